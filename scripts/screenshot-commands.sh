#!/bin/sh
# Drives the desktop program under a virtual X display as a user would and
# takes screenshots: Calculate with its frost warning, Data sheet (the preview at "Zoom to width"),
# the print dialog from the preview's Print button, Esc back to the main
# window; Diagram (the chart window) and its page button (the chart page in
# the preview); Preselection (the size list), a row taken over with Apply,
# Close and Calculate. Clicks go to the default window layout of a fresh
# settings folder.
#   scripts/screenshot-commands.sh [LANG] [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lang=${1:-en_US.UTF-8}
out=${2:-"$root/build/screenshots"}
exe=${TAVRO_EXE:-"$root/build/app/tavro"}
[ -x "$exe" ] || { echo "build the program first: scripts/build.sh build" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing: scripts/install-deps.sh" >&2; exit 1; }
mkdir -p "$out"
config=$(mktemp -d)
tag=$(echo "$lang" | cut -c1-2)
cat > "$config/run.sh" <<INNER
#!/bin/sh
export XDG_CONFIG_HOME="$config" LANG="$lang" LC_ALL= LC_MESSAGES=
"$exe" &
pid=\$!
sleep 5
main=\$(xdotool search --onlyvisible --name "Tavro" | tail -1)
# Calculate, then Data sheet (the buttons of the right column). The
# default case lies below its frost limit: the limit check's dialog carries
# the frost warning, and Enter closes it.
xdotool mousemove --window \$main 563 347 click 1
sleep 1
import -window root "$out/frost-warning-$tag.png"
xdotool key Return
sleep 1
xdotool mousemove --window \$main 502 445 click 1
sleep 2
import -window root "$out/data-sheet-preview-$tag.png"
preview=\$(xdotool search --onlyvisible --name "Tavro" | tail -1)
# The preview's Print button, second in its tool strip.
xdotool mousemove --window \$preview 50 18 click 1
sleep 2
import -window root "$out/data-sheet-print-dialog-$tag.png"
xdotool key Escape
sleep 1
xdotool key Escape
sleep 1
import -window root "$out/data-sheet-closed-$tag.png"
# Diagram, then the chart window's page button (second in its strip).
xdotool mousemove --window \$main 502 416 click 1
sleep 2
import -window root "$out/chart-window-$tag.png"
chart=\$(xdotool search --onlyvisible --name "Mollier" | tail -1)
xdotool mousemove --window \$chart 50 18 click 1
sleep 2
import -window root "$out/chart-page-preview-$tag.png"
xdotool key Escape
sleep 1
xdotool key Escape
sleep 1
# Preselection, the third row, Apply, Close, Calculate.
xdotool mousemove --window \$main 442 347 click 1
sleep 3
sizes=\$(xdotool search --onlyvisible --name "" | tail -1)
xdotool mousemove --window \$sizes 74 179 click 1
sleep 1
import -window root "$out/size-list-$tag.png"
xdotool mousemove --window \$sizes 733 399 click 1
sleep 1
xdotool mousemove --window \$sizes 741 452 click 1
sleep 1
xdotool mousemove --window \$main 563 347 click 1
sleep 2
import -window root "$out/size-taken-over-$tag.png"
kill \$pid
wait \$pid 2>/dev/null || true
INNER
chmod +x "$config/run.sh"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$config/run.sh" 2>/dev/null
rm -rf "$config"
echo "screenshots in $out"

#!/bin/sh
# Takes screenshots of Qt's own dialogs as the running program shows them
# in a language, to see that they follow it: the print dialog and the PDF
# file dialog of the data sheet's preview. Drives the program under a
# virtual X display (Calculate, Data sheet, then the Print and PDF buttons)
# in a fresh settings folder, so it starts in the language of LANG.
#   scripts/screenshot-dialogs.sh [LANG] [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lang=${1:-de_DE.UTF-8}
out=${2:-"$root/build/screenshots"}
exe=$root/build/app/tavro
[ -x "$exe" ] || { echo "build the program first: scripts/build.sh build" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing: scripts/install-deps.sh" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
tag=$(echo "$lang" | cut -c1-2)
cat >"$config/run.sh" <<INNER
#!/bin/sh
export XDG_CONFIG_HOME="$config" LANG="$lang" LC_ALL= LC_MESSAGES= QT_QPA_PLATFORM=xcb
"$exe" &
pid=\$!
sleep 5
main=\$(xdotool search --onlyvisible --name "Tavro" | tail -1)
# Calculate, then Data sheet (the buttons of the right column).
xdotool mousemove --window \$main 563 347 click 1
sleep 1
xdotool mousemove --window \$main 502 445 click 1
sleep 2
preview=\$(xdotool search --onlyvisible --name "Tavro" | tail -1)
# Print and PDF, the second and third buttons of the preview's tool strip.
xdotool mousemove --window \$preview 50 18 click 1
sleep 2
import -window root "$out/print-dialog-$tag.png"
xdotool key Escape
sleep 1
xdotool mousemove --window \$preview 82 18 click 1
sleep 2
import -window root "$out/pdf-dialog-$tag.png"
xdotool key Escape
sleep 1
kill \$pid
wait \$pid 2>/dev/null || true
INNER
chmod +x "$config/run.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$config/run.sh" 2>/dev/null
echo "dialogs in $out/print-dialog-$tag.png and $out/pdf-dialog-$tag.png"

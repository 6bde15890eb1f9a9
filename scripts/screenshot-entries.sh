#!/bin/sh
# Drives the entries of the main window and the options dialog under a
# virtual X display with a window manager (openbox), where the focus moves
# as on a desktop, and takes screenshots:
#   entry-rejected-*: "abc" typed as package width, then a click on the edge
#     list (the width's message; the list stays closed);
#   entry-calculate-*: -31 typed as outside-air temperature, then a click on
#     Calculate (the temperature's message, no results);
#   entry-datasheet-*: 2500 entered with Enter, F9, then a click on Data
#     sheet (the preview opens);
#   options-units-*: the Units page as it opens;
#   options-cancel-*: 590 mbar typed, Enter (the message), Cancel (closed);
#   options-separator-*: "5" as decimal separator and OK (the message).
# Clicks go to the default window layout of a fresh settings folder.
#   scripts/screenshot-entries.sh [LANG] [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lang=${1:-en_US.UTF-8}
out=${2:-"$root/build/screenshots"}
exe=${TAVRO_EXE:-"$root/build/app/tavro"}
[ -x "$exe" ] || { echo "build the program first: scripts/build.sh build" >&2; exit 1; }
for tool in xdotool openbox; do
    command -v $tool >/dev/null || { echo "$tool is missing: scripts/install-deps.sh" >&2; exit 1; }
done
mkdir -p "$out"
config=$(mktemp -d)
tag=$(echo "$lang" | cut -c1-2)
cat > "$config/run.sh" <<INNER
#!/bin/sh
export XDG_CONFIG_HOME="$config" LANG="$lang" LC_ALL= LC_MESSAGES=
openbox >/dev/null 2>&1 &
wm=\$!
sleep 1
"$exe" &
pid=\$!
sleep 5
main=\$(xdotool search --onlyvisible --name "Tavro" | tail -1)
shot() { sleep 1; import -window root "$out/\$1-$tag.png"; }
# Package width "abc", then a click on the edge list.
xdotool mousemove --window \$main 557 111 click --repeat 3 1
xdotool type abc
xdotool mousemove --window \$main 557 83 click 1
shot entry-rejected-message
xdotool key Return
shot entry-rejected-after
xdotool key ctrl+a
xdotool type 500
xdotool key Tab
# Outside-air temperature -31, then a click on Calculate.
xdotool mousemove --window \$main 215 175 click --repeat 3 1
xdotool type -- -31
xdotool mousemove --window \$main 563 347 click 1
shot entry-calculate-message
xdotool key Return
shot entry-calculate-after
xdotool key ctrl+a
xdotool type -- -12
xdotool key Tab
# 2500 m3/h with Enter, F9, then a click on Data sheet.
xdotool mousemove --window \$main 215 95 click --repeat 3 1
xdotool type 2500
xdotool key Return F9
sleep 1
xdotool mousemove --window \$main 502 445 click 1
shot entry-datasheet-preview
xdotool key Escape
sleep 1
# Options: the Units page, then 590 mbar and Cancel.
xdotool mousemove --window \$main 130 8 click 1
sleep 1
xdotool mousemove --window \$main 155 48 click 1
sleep 1
options=\$(xdotool getactivewindow)
xdotool mousemove --window \$options 170 23 click 1
shot options-units
xdotool mousemove --window \$options 60 23 click 1
sleep 1
xdotool mousemove --window \$options 260 74 click --repeat 3 1
xdotool type 590
xdotool key Return
shot options-cancel-message
xdotool key Return
sleep 1
xdotool mousemove --window \$options 402 325 click 1
shot options-cancel-closed
# Options again: "5" as decimal separator, OK.
xdotool mousemove --window \$main 130 8 click 1
sleep 1
xdotool mousemove --window \$main 155 48 click 1
sleep 1
options=\$(xdotool getactivewindow)
xdotool mousemove --window \$options 170 23 click 1
sleep 1
xdotool mousemove --window \$options 221 242 click --repeat 3 1
xdotool type 5
xdotool mousemove --window \$options 322 325 click 1
shot options-separator-message
xdotool key Return
shot options-separator-after
kill \$pid \$wm
wait \$pid 2>/dev/null || true
INNER
chmod +x "$config/run.sh"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$config/run.sh" 2>/dev/null
rm -rf "$config"
echo "screenshots in $out"

#!/bin/sh
# Starts the desktop program under a virtual X display on a settings file
# that cannot be read to its end (a NUL byte in it), takes a screenshot of
# the main window with the status bar message, closes the program and checks
# that the file is byte-identical afterwards.
#   scripts/screenshot-settings.sh [LANG] [out-dir]
# LANG is a session locale such as de_DE.UTF-8 (default en_US.UTF-8).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lang=${1:-en_US.UTF-8}
out=${2:-"$root/build/screenshots"}
exe="$root/build/app/tavro"
[ -x "$exe" ] || { echo "build the program first: scripts/build.sh build" >&2; exit 1; }
mkdir -p "$out"
config=$(mktemp -d)
tag=$(echo "$lang" | cut -c1-2)
mkdir -p "$config/Zelvanor"
printf '[GLOBAL]\nVersion=201611\n[Tavro]\nEdge=600\n\000Width=700\n' > "$config/Zelvanor/Zelvanor.ini"
cp "$config/Zelvanor/Zelvanor.ini" "$config/before.ini"
cat > "$config/run.sh" <<INNER
#!/bin/sh
export XDG_CONFIG_HOME="$config" LANG="$lang" LC_ALL= LC_MESSAGES=
"$exe" &
pid=\$!
sleep 6
import -window root "$out/settings-unreadable-$tag.png"
# File, then Exit: the program ends normally, with its exit writes.
main=\$(xdotool search --onlyvisible --name "Tavro" | tail -1)
xdotool mousemove --window \$main 19 8 click 1
sleep 1
import -window root "$out/settings-unreadable-menu-$tag.png"
xdotool mousemove --window \$main 40 31 click 1
sleep 2
kill \$pid 2>/dev/null && echo "the program did not end through File, Exit" >&2
wait \$pid 2>/dev/null || true
INNER
chmod +x "$config/run.sh"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$config/run.sh"
if cmp -s "$config/before.ini" "$config/Zelvanor/Zelvanor.ini"; then
    echo "settings file unchanged"
else
    echo "settings file CHANGED" >&2
fi
ls -A "$config/Zelvanor"
rm -rf "$config"
echo "screenshot in $out"

#!/bin/sh
# Starts the desktop program under a virtual X display in a fresh settings
# folder and takes screenshots of the whole screen: one during the splash
# and one of the main window.
#   scripts/screenshot-program.sh [LANG] [out-dir]
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
cat > "$config/run.sh" <<INNER
#!/bin/sh
export XDG_CONFIG_HOME="$config" LANG="$lang" LC_ALL= LC_MESSAGES=
"$exe" &
pid=\$!
sleep 1
import -window root "$out/splash-$tag.png"
sleep 3
import -window root "$out/main-$tag.png"
kill \$pid
wait \$pid 2>/dev/null || true
INNER
chmod +x "$config/run.sh"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$config/run.sh"
rm -rf "$config"
echo "screenshots in $out"

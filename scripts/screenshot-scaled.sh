#!/bin/sh
# Takes screenshots on a screen scaled by a factor (QT_SCALE_FACTOR, default
# 2), to see that pictures, glyphs and text stay sharp: the shell's windows
# and the page previews offscreen, and the running program with its splash
# under a virtual X display enlarged by the same factor. Compare them with
# the screenshots of scale 1 (scripts/screenshot-scaled.sh 1).
#   scripts/screenshot-scaled.sh [scale] [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
scale=${1:-2}
out=${2:-"$root/build/screenshots/scale-$scale"}
build=$root/build
exe=$build/app/tavro
[ -x "$exe" ] || { echo "build the program first: scripts/build.sh build" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
export QT_SCALE_FACTOR="$scale"

"$root/scripts/screenshot-windows.sh" "$out/windows" >/dev/null 2>&1
QT_QPA_PLATFORM=offscreen "$build/app/tavro-page-shots" "$out/pages" >/dev/null 2>&1

config=$(mktemp -d)
trap 'rm -rf "$config"' EXIT
cat >"$config/run.sh" <<INNER
#!/bin/sh
export XDG_CONFIG_HOME="$config" LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= QT_QPA_PLATFORM=xcb
"$exe" &
pid=\$!
sleep 1
import -window root "$out/splash.png"
sleep 3
import -window root "$out/main.png"
kill \$pid
wait \$pid 2>/dev/null || true
INNER
chmod +x "$config/run.sh"
xvfb-run -a -s "-screen 0 $((1024 * scale))x$((768 * scale))x24" "$config/run.sh" 2>/dev/null
echo "screenshots at scale $scale in $out"

#!/bin/sh
# Drives the selection documents of the desktop program under a virtual X
# display with a window manager (openbox) and takes screenshots:
#   document-saved-*: Calculate, then Ctrl+S and a name in the file dialog
#     (the title names the document);
#   document-unsaved-*: an entry changed (the title's unsaved mark);
#   document-question-*: Ctrl+O with the change unsaved (Save / Discard /
#     Cancel; Escape cancels);
#   document-open-*: Ctrl+S, Ctrl+O and a document written by tavro-calc
#     save with one stored figure altered (a question on the display options
#     when they differ, Escape keeps the user's);
#   document-differences-*: the figures the recalculation changed;
#   document-file-menu-*: the File menu with the recent files and the stored
#     results of the document.
# Clicks go to the default window layout of a fresh settings folder.
#   scripts/screenshot-documents.sh [LANG] [out-dir]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
lang=${1:-en_US.UTF-8}
out=${2:-"$root/build/screenshots"}
exe=${TAVRO_EXE:-"$root/build/app/tavro"}
calc="$root/build/cli/tavro-calc"
[ -x "$exe" ] && [ -x "$calc" ] || { echo "build the programs first: scripts/build.sh build" >&2; exit 1; }
for tool in xdotool openbox python3; do
    command -v $tool >/dev/null || { echo "$tool is missing: scripts/install-deps.sh" >&2; exit 1; }
done
mkdir -p "$out"
config=$(mktemp -d)
tag=$(echo "$lang" | cut -c1-2)
# A document of the command line in the session's language, one stored
# figure altered as if another program version had calculated it.
"$calc" save AirState=0 AirQuant=0 pbar=1013 SVol11=3000 Temp11=5 Phi11=80 SVol21=2800 \
    Temp21=22 Phi21=40 Edge=600 Width=600 PType=2 design=20 lang="$tag" \
    "header1=Offer 4711" --out "$config/altered.tavro" >/dev/null
python3 - "$config/altered.tavro" <<'PY'
import json, sys
path = sys.argv[1]
doc = json.load(open(path, encoding="utf-8"))
doc["cases"][0]["results"]["Temp12"] += 0.4
doc["cases"][0]["results"]["Eta1"] -= 0.8
doc["programVersion"] = "tavro-calc 4.1, 03/2015"
json.dump(doc, open(path, "w", encoding="utf-8"), indent=1, ensure_ascii=False)
PY
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
# Calculate; Enter closes the frost warning of the default case.
xdotool key F9
sleep 1
xdotool key Return
# Ctrl+S: the file dialog, a name, Enter.
xdotool key ctrl+s
sleep 2
xdotool key ctrl+a
xdotool type "$config/offer.tavro"
xdotool key Return
shot document-saved
# The outside-air flow 2500 with Enter.
xdotool mousemove --window \$main 215 95 click --repeat 3 1
xdotool type 2500
xdotool key Return
shot document-unsaved
xdotool key ctrl+o
shot document-question
xdotool key Escape
sleep 1
xdotool key ctrl+s
sleep 1
xdotool key ctrl+o
sleep 2
xdotool key ctrl+a
xdotool type "$config/altered.tavro"
xdotool key Return
shot document-open
xdotool key Escape
shot document-differences
xdotool key Return
sleep 1
xdotool mousemove --window \$main 15 8 click 1
shot document-file-menu
xdotool key Escape
sleep 1
kill \$pid
wait \$pid 2>/dev/null || true
kill \$wm 2>/dev/null || true
INNER
chmod +x "$config/run.sh"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$config/run.sh" 2>/dev/null
rm -rf "$config"
echo "screenshots in $out"

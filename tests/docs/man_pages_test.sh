#!/bin/sh
# Keeps a manual page in step with its program's --help: every command,
# option and function that --help names is documented in the page, and
# every one the page documents is named by --help; and the page renders
# without a warning.
#   tests/docs/man_pages_test.sh <page.1> <program>
# The page's COMMANDS, OPTIONS and FUNCTIONS sections list one item per .TP
# tag. --help names a command as "  <program> <command> ...", an option as
# any word starting with "--", and a function as a line under "Functions:".
set -eu
page=$1
program=$2
name=$(basename "$program")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! MANWIDTH=80 man --warnings -l "$page" >"$work/rendered" 2>"$work/warnings"; then
    echo "FAIL: man -l $page" >&2
    exit 1
fi
if [ -s "$work/warnings" ]; then
    echo "FAIL: $page renders with warnings:" >&2
    cat "$work/warnings" >&2
    exit 1
fi

# A desktop program must answer --help without opening a window.
if ! QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config timeout 30 "$program" --help \
    >"$work/help" 2>&1; then
    echo "FAIL: $name --help did not end with status 0 within 30 s" >&2
    cat "$work/help" >&2
    exit 1
fi

# The tags of one section of the page, without font escapes: "fn NAME ARG...".
tags() {
    awk -v section="$1" '
        /^\.SH / { current = $2 }
        previous == ".TP" && current == section { print }
        { previous = $0 }' "$page" |
        sed -e 's/^\.[A-Z]* //' -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' -e 's/\\%//g' -e 's/"//g' |
        tr -s ' ' | sed 's/ *$//'
}
tags COMMANDS | awk '{ print $1 }' | sort -u >"$work/man-commands"
tags OPTIONS | awk '{ print $1 }' | sort -u >"$work/man-options"
tags FUNCTIONS | sort -u >"$work/man-functions"

awk -v program="$name" '$1 == program && $2 !~ /^-/ { print $2 }' "$work/help" |
    sort -u >"$work/help-commands"
grep -oE -- '--[a-z][a-z-]*' "$work/help" | sort -u >"$work/help-options"
awk '/^Functions:/ { on = 1; next } !/^  [A-Za-z]/ { on = 0 } on { $1 = $1; print }' \
    "$work/help" | sort -u >"$work/help-functions"

status=0
for kind in commands options functions; do
    missing=$(comm -23 "$work/help-$kind" "$work/man-$kind")
    extra=$(comm -13 "$work/help-$kind" "$work/man-$kind")
    if [ -n "$missing" ]; then
        echo "FAIL: $kind that $name --help names but $(basename "$page") lacks:" >&2
        echo "$missing" >&2
        status=1
    fi
    if [ -n "$extra" ]; then
        echo "FAIL: $kind that $(basename "$page") documents but $name --help does not name:" >&2
        echo "$extra" >&2
        status=1
    fi
    echo "$kind: $(wc -l <"$work/help-$kind") in --help, $(wc -l <"$work/man-$kind") in the page"
done
exit $status

#!/bin/sh
# Checks scripts/debian-packages.txt against what the project really uses, so
# that a fresh Debian 12 machine gets everything from the README commands.
#   scripts/check-packages.sh <build-dir>
# Every file the build compiles against (ninja's header dependencies), every
# shared library the built programs load, every command the scripts and tests
# run, and the font files the pages draw with must come from a package that is
# on the list, is pulled in by one that is (Depends/Pre-Depends, recursively),
# or is part of every Debian system (Essential or Priority: required).
# Exit 0 when all are covered; 1 with a line per missing package otherwise.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The packages the list installs, with everything they depend on.
grep -v '^\s*#' "$root/scripts/debian-packages.txt" | grep -v '^\s*$' | sort -u >"$work/listed"
# shellcheck disable=SC2046
apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
    --no-breaks --no-replaces --no-enhances $(cat "$work/listed") 2>/dev/null |
    sed -n 's/^\([a-z0-9][a-z0-9.+-]*\)\(:[a-z0-9]*\)\?$/\1/p' >"$work/closure"
dpkg-query -W -f='${Package} ${Essential} ${Priority}\n' |
    awk '$2 == "yes" || $3 == "required" { print $1 }' >>"$work/closure"
cat "$work/listed" >>"$work/closure"
sort -u -o "$work/closure" "$work/closure"

# What is used: "<what> <file>" lines.
: >"$work/used"
if [ -f "$build/build.ninja" ]; then
    ninja -C "$build" -t deps 2>/dev/null | awk '$1 ~ /^\/usr\// { print "header", $1 }' |
        sort -u >>"$work/used"
fi
for exe in $(find "$build" -type f -perm -u+x \( -name 'tavro*' -o -name '*_tests' \) 2>/dev/null); do
    ldd "$exe" 2>/dev/null | awk '$3 ~ /^\// { print "library", $3 }'
done | sort -u >>"$work/used"

# Commands: the first word of each command in the scripts, and the commands
# the tests run (string literals that start with a command, and command -v).
builtins=" . : [ [[ alias break cd command continue echo eval exec exit export false for
    getopts hash if in local printf pwd read readonly return set shift test then times trap
    true type ulimit umask unset wait while until do done fi else elif case esac function "
{
    for f in "$root"/scripts/*.sh "$root"/.ci/run; do
        [ "$f" = "$root/scripts/check-packages.sh" ] && continue
        sed -e 's/#.*$//' "$f" | tr ';|&(){}`' '\n' | awk '{ print $1 }'
    done
    grep -rhoE '"[a-z][a-z0-9_.+-]* ' "$root/tests" | tr -d '" '
    grep -rhoE 'command -v [a-z][a-z0-9_.+-]*' "$root/tests" "$root/scripts" | awk '{ print $3 }'
} | grep -E '^[a-z][a-z0-9_.+-]*$' | sort -u | while read -r word; do
    case "$builtins" in *" $word "*) continue ;; esac
    path=$(command -v "$word" 2>/dev/null) || continue
    case "$path" in /usr/* | /bin/* | /sbin/*) echo "command $(readlink -f "$path")" ;; esac
done >>"$work/used"

# Fonts: the faces that serve "Arial", "Tahoma" and Chinese on screen and in PDFs.
for family in "Liberation Sans" "Liberation Sans:bold" "WenQuanYi Micro Hei"; do
    file=$(fc-match -f '%{file}' "$family" 2>/dev/null || true)
    [ -n "$file" ] && echo "font $(readlink -f "$file")"
done >>"$work/used"

# Map every used file to its package (one dpkg call for all of them) and check
# it against the closure. Merged /usr: dpkg may know a file under /lib or /bin.
sort -u "$work/used" >"$work/used.sorted"
awk '{ print $2 }' "$work/used.sorted" | while read -r file; do
    echo "$file"
    echo "$file" | sed -n -e 's|^/usr/lib/|/lib/|p' -e 's|^/usr/bin/|/bin/|p' -e 's|^/usr/sbin/|/sbin/|p'
done >"$work/paths"
xargs -d '\n' dpkg -S <"$work/paths" 2>/dev/null |
    awk -F': ' '{ split($1, pkgs, ", "); sub(/:.*/, "", pkgs[1]); print $2, pkgs[1] }' >"$work/owners"
while read -r what file; do
    alt=$(echo "$file" | sed -e 's|^/usr/lib/|/lib/|' -e 's|^/usr/bin/|/bin/|' -e 's|^/usr/sbin/|/sbin/|')
    pkg=$(awk -v f="$file" -v a="$alt" '$1 == f || $1 == a { print $2; exit }' "$work/owners")
    [ -z "$pkg" ] && continue # made by hand or by the build, not by a package
    grep -qx "$pkg" "$work/closure" || echo "$pkg ($what $file)"
done <"$work/used.sorted" >"$work/missing"
if [ -s "$work/missing" ]; then
    echo "Packages used but not installed by scripts/debian-packages.txt:"
    sort -u "$work/missing" | awk '!seen[$1]++'
    exit 1
fi
echo "scripts/debian-packages.txt covers every package used ($(wc -l <"$work/used.sorted") files checked)."

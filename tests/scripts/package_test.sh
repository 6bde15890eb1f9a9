#!/bin/sh
# Builds the Debian package from a build tree as scripts/package.sh does,
# unpacks it into a scratch root with dpkg -x and checks it as a fresh
# Debian 12 machine would see it: the control data and its dependencies,
# the programs starting from there, the desktop entry, the AppStream
# metadata with its screenshots, the icons and the manual pages.
#   tests/scripts/package_test.sh <build-dir> <source-dir>
set -eu
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack could not build the package" >&2
    exit 1
fi
deb=$(ls "$work"/out/tavro_*.deb)
echo "package: $(basename "$deb")"

# Control data: the libraries found by dpkg-shlibdeps and the fonts and
# translations named by hand.
depends=$(dpkg-deb -f "$deb" Depends)
for need in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    libhpdf libjpeg62-turbo libpng16-16 fonts-liberation2 fonts-wqy-microhei \
    qt6-translations-l10n; do
    case ", $depends" in
    *", $need"*) ;;
    *) fail "Depends lacks $need: $depends" ;;
    esac
done
[ "$(dpkg-deb -f "$deb" Package)" = tavro ] || fail "the package is not named tavro"

# Everything lies under /usr; the look-at programs and the tests stay out.
dpkg-deb -c "$deb" | awk '{ print $6 }' >"$work/files"
grep -v '^\./usr/' "$work/files" | grep -v '^\./$' && fail "files outside /usr"
grep -E 'shots|_tests|bench' "$work/files" && fail "build-only programs in the package"

root=$work/root
dpkg -x "$deb" "$root"
bin=$root/usr/bin

# The programs start from the scratch root and need no file of the build.
for exe in "$bin/tavro" "$bin/tavro-calc" "$bin/tavro-sheet"; do
    [ -x "$exe" ] || { fail "$exe is missing"; continue; }
    ldd "$exe" | grep 'not found' && fail "$exe misses a library"
    ldd "$exe" | grep -F "$build" && fail "$exe loads a library of the build tree"
done
# --version answers at once, with a version number, and opens no window.
if out=$("$bin/tavro-calc" --version 2>&1); then
    echo "tavro-calc --version: $out"
    echo "$out" | grep -qE '[0-9]+\.[0-9]+' || fail "tavro-calc --version names no version"
else
    fail "tavro-calc --version: $out"
fi
if out=$(QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config timeout 30 "$bin/tavro" --version 2>&1); then
    echo "tavro --version: $out"
    echo "$out" | grep -qE '[0-9]+\.[0-9]+' || fail "tavro --version names no version"
else
    fail "tavro --version ended with status $?: $out"
fi
x=$("$bin/tavro-calc" fn HumidityRatio 20 50 1013) || fail "tavro-calc fn failed"
# tavro-calc links no Qt; its sheet command runs the tavro-sheet beside it,
# which renders a saved selection without a display.
ldd "$bin/tavro-calc" | grep -q Qt && fail "tavro-calc links Qt"
if "$bin/tavro-calc" save AirState=0 AirQuant=0 pbar=1013 SVol11=4000 Temp11=-12 Phi11=90 \
    SVol21=3600 Temp21=22 Phi21=40 Edge=600 Width=600 PType=2 --out "$work/offer.tavro" >/dev/null &&
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_CONFIG_HOME=$work/config \
        "$bin/tavro-calc" sheet "$work/offer.tavro" --pdf "$work/offer.pdf"; then
    pdftotext "$work/offer.pdf" - | grep -q "Tavro 10 / 600 / 600" ||
        fail "the rendered data sheet lacks the designation"
else
    fail "tavro-calc sheet could not render a saved selection"
fi
case "$x" in 7.25*) ;; *) fail "tavro-calc fn HumidityRatio 20 50 1013 gave '$x'" ;; esac

# The desktop entry and the metadata, each on its own and as a tree.
id=example.zelvanor.Tavro
share=$root/usr/share
desktop-file-validate "$share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
grep -qx "Exec=tavro" "$share/applications/$id.desktop" || fail "the entry does not start tavro"
grep -qx "Icon=$id" "$share/applications/$id.desktop" || fail "the entry does not name the icon $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$share/metainfo/$id.metainfo.xml" ||
    fail "the metadata does not launch $id.desktop"
version=$(dpkg-deb -f "$deb" Version)
grep -q "<release version=\"${version%-*}\"" "$share/metainfo/$id.metainfo.xml" ||
    fail "the metadata has no release entry for ${version%-*}"

# Each screenshot the metadata shows is one of docs/screenshots at the size
# the metadata gives (scripts/screenshot-metainfo.sh takes them).
shots=$(grep -o '<image type="source"[^<]*' "$share/metainfo/$id.metainfo.xml" |
    sed 's/.*width="\([0-9]*\)" height="\([0-9]*\)">.*\/\([^/]*\)$/\3 \1x\2/')
[ -n "$shots" ] || fail "the metadata shows no screenshot"
echo "$shots" | while read -r file size; do
    shot=$source/docs/screenshots/$file
    if [ -f "$shot" ]; then
        got=$(identify -format '%wx%h' "$shot")
        [ "$got" = "$size" ] || echo "$file is $got, the metadata says $size"
    else
        echo "$file is not in docs/screenshots"
    fi
done >"$work/shots"
[ -s "$work/shots" ] && fail "screenshots: $(cat "$work/shots")"

# The icon in every size of the theme, each as large as its folder says.
for size in 16 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/$id.png
    if [ -f "$icon" ]; then
        got=$(identify -format '%wx%h' "$icon")
        [ "$got" = "${size}x${size}" ] || fail "$icon is $got"
    else
        fail "no ${size}x${size} icon"
    fi
done
[ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"

# The manual pages render from the installed tree.
for page in tavro tavro-calc tavro-sheet; do
    file=$share/man/man1/$page.1.gz
    if MANWIDTH=80 man --warnings -l "$file" >"$work/$page.txt" 2>"$work/$page.err"; then
        [ -s "$work/$page.err" ] && fail "man $page: $(cat "$work/$page.err")"
        grep -q '^NAME' "$work/$page.txt" || fail "man $page shows no NAME"
    else
        fail "man -l $file failed"
    fi
    # man finds it by name in the installed tree.
    [ "$(MANPATH=$share/man man -w "$page")" = "$file" ] || fail "man -w $page does not find $file"
done

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "the package installs, starts and validates"

#!/bin/bash
# Remakes every raster picture of the program in resources/pictures/ from
# nothing: the product picture, the logos, the certification stand-in marks,
# the language banners of the information window and the button glyphs, and
# of those the windows show the drawing at twice the size (<name>@2x) for
# screens scaled by two.
#   scripts/make-pictures.sh
# Needs ImageMagick 6 (convert), Liberation Sans (fonts-liberation2) and
# WenQuanYi Micro Hei (fonts-wqy-microhei). With the same ImageMagick and
# fonts the output is byte for byte the same on every run: no metadata, no
# time stamps. KEEP_TMP=1 keeps the intermediate drawings and prints their
# folder.
#
# Larger pictures are drawn at four times their size and scaled down, which
# gives clean anti-aliased edges and fine plate lines; the 16-pixel glyphs are
# drawn on their own pixel grid.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/resources/pictures
mkdir -p "$out"
tmp=$(mktemp -d)
if [ -n "${KEEP_TMP:-}" ]; then
    echo "make-pictures: intermediate drawings in $tmp"
else
    trap 'rm -rf "$tmp"' EXIT
fi

fontdir=/usr/share/fonts/truetype
sans=$fontdir/liberation2/LiberationSans-Regular.ttf
bold=$fontdir/liberation2/LiberationSans-Bold.ttf
bolditalic=$fontdir/liberation2/LiberationSans-BoldItalic.ttf
chinese=$fontdir/wqy/wqy-microhei.ttc
for f in "$sans" "$bold" "$bolditalic" "$chinese"; do
    [ -f "$f" ] || { echo "make-pictures: font $f is missing" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "make-pictures: ImageMagick's convert is missing" >&2; exit 1; }

# The palette.
blue='#1f4e79'      # dark blue: marks, lettering, glyphs
blue2='#2e6da4'     # lighter blue for shading within blue shapes
grey='#7f8a94'      # mid grey: outlines, secondary lettering
lightgrey='#d9dee3'
red='#c0392b'       # the accent: warm air, close, the PDF band

# Writes a baseline 8-bit RGB JPEG of quality 90 without metadata.
jpeg() {
    convert "$1" -background white -alpha remove -alpha off -colorspace sRGB \
        -type TrueColor -depth 8 -interlace none -sampling-factor 1x1 -quality 90 \
        -strip +set date:create +set date:modify "$2"
}

# Writes an 8-bit RGBA PNG without metadata or time chunks.
png() {
    convert "$1" -colorspace sRGB -depth 8 -strip +set date:create +set date:modify \
        -define png:exclude-chunk=date,time,tIME,tEXt,zTXt,iTXt -define png:color-type=6 \
        -define png:bit-depth=8 "PNG32:$2"
}

# Scales a picture drawn at four times its size down to its own size.
shrink() {
    convert "$1" -filter Lanczos -resize 25% "$2"
}

# The pictures the windows show have a second drawing at twice their size,
# <name>@2x, for screens scaled by two. These write both from a drawing at
# four times the size: $1 the drawing, $2 the name.
jpeg_both() {
    shrink "$1" "$tmp/$2.png"
    jpeg "$tmp/$2.png" "$out/$2.jpg"
    convert "$1" -filter Lanczos -resize 50% "$tmp/$2@2x.png"
    jpeg "$tmp/$2@2x.png" "$out/$2@2x.jpg"
}
png_both() {
    shrink "$1" "$tmp/$2.png"
    png "$tmp/$2.png" "$out/$2.png"
    convert "$1" -filter Lanczos -resize 50% "$tmp/$2@2x.png"
    png "$tmp/$2@2x.png" "$out/$2@2x.png"
}

# ---------------------------------------------------------------------------
# 3101: the product picture, 500 x 220, the background of the information
# window's picture panel and of the splash. The window lays the banner, the
# family logo and the marks over its middle and right part (from x 156,
# y 43) and the maker's address over the rows from y 182, so the package
# stands at the left and the rest stays white.

# Plate-edge texture of a side face: the package is a stack of horizontal
# plates, so each open face shows fine horizontal lines between the corner
# profiles; the end plates show as bands at top and bottom.
side_face() { # $1 file, $2 top colour, $3 bottom colour, $4 line colour, $5 highlight colour
    dark='' light=''
    for y in $(seq 24 10 374); do
        dark="$dark rectangle 0,$y 399,$((y + 2))"
        light="$light rectangle 0,$((y + 5)) 399,$((y + 6))"
    done
    convert -size 400x400 "gradient:$2-$3" -fill "$4" -draw "$dark" -fill "$5" -draw "$light" \
        -fill '#e3e7ea' -draw 'rectangle 0,0 399,21' -draw 'rectangle 0,378 399,399' \
        -fill '#a9b1b8' -draw 'rectangle 0,20 399,23' -draw 'rectangle 0,376 399,379' \
        -fill '#eef1f3' -draw 'rectangle 0,0 30,399' -draw 'rectangle 369,0 399,399' \
        -fill '#9aa3ab' -draw 'rectangle 29,0 32,399' -draw 'rectangle 367,0 370,399' \
        -fill '#c9cfd4' -draw 'rectangle 0,0 6,399' -draw 'rectangle 393,0 399,399' \
        "$1"
}
side_face "$tmp/left.png" '#cdd3d9' '#b3bbc2' '#737e88' '#f0f2f4'
side_face "$tmp/right.png" '#a9b1b9' '#8e97a0' '#555f69' '#c6ccd2'

# The top end plate: a flat sheet with a rim and four screws.
convert -size 400x400 gradient:'#eef1f3'-'#d6dbdf' \
    -fill none -stroke '#a3abb2' -strokewidth 4 -draw 'rectangle 22,22 377,377' \
    -stroke '#fbfcfc' -strokewidth 3 -draw 'rectangle 28,28 371,371' \
    -stroke '#8c959d' -strokewidth 3 -fill '#c2c9cf' \
    -draw 'circle 52,52 64,52' -draw 'circle 347,52 359,52' \
    -draw 'circle 52,347 64,347' -draw 'circle 347,347 359,347' \
    "$tmp/top.png"

# Corners in the 150 x 176 area at four times the size: left, near, right and
# far corner of the top, left, near and right corner of the bottom.
Ltx=56 Lty=208  Ntx=320 Nty=280  Rtx=560 Rty=176  Ftx=304 Fty=120
Lbx=64 Lby=560  Nbx=320 Nby=664  Rbx=552 Rby=528
view='-define distort:viewport=600x704+0+0 -virtual-pixel transparent -background none'
# shellcheck disable=SC2086
convert "$tmp/left.png" -alpha set $view -distort Perspective \
    "0,0 $Ltx,$Lty  399,0 $Ntx,$Nty  399,399 $Nbx,$Nby  0,399 $Lbx,$Lby" "$tmp/left-p.png"
# shellcheck disable=SC2086
convert "$tmp/right.png" -alpha set $view -distort Perspective \
    "0,0 $Ntx,$Nty  399,0 $Rtx,$Rty  399,399 $Rbx,$Rby  0,399 $Nbx,$Nby" "$tmp/right-p.png"
# shellcheck disable=SC2086
convert "$tmp/top.png" -alpha set $view -distort Perspective \
    "0,0 $Ltx,$Lty  399,0 $Ftx,$Fty  399,399 $Rtx,$Rty  0,399 $Ntx,$Nty" "$tmp/top-p.png"

convert -size 600x704 xc:white \
    \( -size 600x704 xc:none -fill '#00000040' -draw 'ellipse 316,640 270,44 0,360' -blur 0x18 \) \
    -compose over -composite \
    "$tmp/left-p.png" -composite "$tmp/right-p.png" -composite "$tmp/top-p.png" -composite \
    -fill none -stroke '#56606a' -strokewidth 3 -draw "polygon $Ltx,$Lty $Ftx,$Fty $Rtx,$Rty $Rbx,$Rby $Nbx,$Nby $Lbx,$Lby" \
    -strokewidth 2.5 -draw "polyline $Ltx,$Lty $Ntx,$Nty $Rtx,$Rty" -draw "line $Ntx,$Nty $Nbx,$Nby" \
    "$tmp/package4.png"

# The heading above the overlays: the product line and the maker, and a thin
# rule; a narrow blue band closes the picture at the bottom. $1 is the scale
# (1, or 2 for the double drawing), $2 the name.
product_picture() {
    s=$1
    convert "$tmp/package4.png" -filter Lanczos -resize $((25 * s))% "$tmp/package-$s.png"
    convert -size $((500 * s))x$((220 * s)) xc:white \
        "$tmp/package-$s.png" -geometry +$((2 * s))+$((4 * s)) -composite \
        -font "$bolditalic" -pointsize $((26 * s)) -fill "$blue" -annotate +$((158 * s))+$((31 * s)) 'Tavro' \
        -font "$sans" -pointsize $((13 * s)) -fill "$grey" -annotate +$((244 * s))+$((30 * s)) 'by Zelvanor' \
        -fill "$blue" -draw "rectangle $((158 * s)),$((37 * s)) $((495 * s - 1)),$((39 * s - 1))" \
        -fill "$red" -draw "rectangle $((158 * s)),$((37 * s)) $((197 * s - 1)),$((39 * s - 1))" \
        -fill "$blue" -draw "rectangle 0,$((217 * s)) $((500 * s - 1)),$((220 * s - 1))" \
        "$tmp/$2.png"
    jpeg "$tmp/$2.png" "$out/$2.jpg"
}
product_picture 1 3101
product_picture 2 3101@2x

# ---------------------------------------------------------------------------
# The cross-flow sign shared by the Tavro marks: two arrows crossing at a
# right angle, the cold stream in blue, the warm stream in red. Drawn at four
# times the size into a 128 x 128 square; $1 file, $2 colour of the cold
# arrow, $3 colour of the warm arrow, $4 background.
crossflow_sign() {
    convert -size 128x128 "xc:$4" \
        -fill "$2" -draw 'rectangle 8,54 92,74' -draw 'polygon 88,38 122,64 88,90' \
        -fill "$4" -draw 'rectangle 54,6 74,122' \
        -fill "$3" -draw 'rectangle 56,36 72,122' -draw 'polygon 40,40 64,6 88,40' \
        "$1"
}

# Cuts the white left and right of a mark drawn at four times the size,
# keeping its full height and a margin of 24 (6 pixels at the end size) on
# the left and as much on the right as makes the width a multiple of four,
# so that the double drawing is exactly twice the size of the picture.
trim_sides() {
    box=$(convert "$1" -trim -format '%w %X' info:)
    width=${box% *} left=${box#* }
    convert "$1" -crop "$(((width + 48 + 3) / 4 * 4))x168+$((left - 24))+0" +repage "$1"
}

# 3202: the maker's mark for the left of the main window's logo strip,
# 42 pixels high (the strip shows rows 1 to 40): a square standing on its
# corner, split into four plates, three blue and one red, and the name
# over a thin rule as long as the name.
zelvanor_width=$(convert -font "$bold" -pointsize 92 -kerning 10 label:ZELVANOR -trim -format '%w' info:)
convert -size 880x168 xc:white \
    -fill "$blue" -draw 'polygon 84,16 148,80 84,144 20,80' \
    -fill "$red" -draw 'polygon 84,16 116,48 84,80 52,48' \
    -stroke white -strokewidth 10 -draw 'line 52,48 116,112' -draw 'line 52,112 116,48' -stroke none \
    -font "$bold" -pointsize 92 -kerning 10 -fill "$blue" -annotate +176+114 'ZELVANOR' \
    -fill "$grey" -draw "rectangle 180,132 $((176 + zelvanor_width)),135" \
    "$tmp/3202-4.png"
trim_sides "$tmp/3202-4.png"
jpeg_both "$tmp/3202-4.png" 3202

# 3203: the Tavro mark for the right of the logo strip, 42 pixels high.
crossflow_sign "$tmp/sign.png" "$blue" "$red" white
convert -size 600x168 xc:white \
    \( "$tmp/sign.png" -resize 120x120 \) -geometry +24+24 -composite \
    -font "$bolditalic" -pointsize 112 -fill "$blue" -annotate +166+122 'Tavro' \
    -fill "$red" -draw 'rectangle 172,136 290,142' -fill "$grey" -draw 'rectangle 296,136 486,142' \
    "$tmp/3203-4.png"
trim_sides "$tmp/3203-4.png"
jpeg_both "$tmp/3203-4.png" 3203

# 3401: the product-family logo, 62 x 62, the size of its place in the
# information window: a blue tile with the cross-flow sign and the name.
crossflow_sign "$tmp/sign-w.png" white "$red" "$blue"
convert -size 248x248 xc:white \
    -fill "$blue" -draw 'roundrectangle 4,4 243,243 28,28' \
    \( "$tmp/sign-w.png" -resize 112x112 \) -geometry +68+22 -composite \
    -font "$bolditalic" -pointsize 68 -fill white -gravity north -annotate +0+144 'Tavro' \
    "$tmp/3401-4.png"
jpeg_both "$tmp/3401-4.png" 3401

# ---------------------------------------------------------------------------
# Certification marks: neutral stand-ins with plain lettering.

# 195: the test mark of the data sheet, drawn 8.8 x 8.8 mm; 160 x 160. A round
# seal with the lettering around the rim and the standard in the middle.
arc_top() { # $1 text, $2 file: lettering along the upper rim, centre at 320,320
    convert -background none -fill white -font "$bold" -pointsize 50 -kerning 2 label:"$1" \
        -virtual-pixel transparent -define distort:viewport=640x640-320-320 \
        -distort Arc '170 0 296 246' +repage "$2"
}
arc_bottom() { # $1 text, $2 file: lettering along the lower rim, centre at 320,320
    convert -background none -fill white -font "$bold" -pointsize 50 -kerning 2 label:"$1" \
        -rotate 180 -virtual-pixel transparent -define distort:viewport=640x640-320-320 \
        -distort Arc '90 180 296 246' +repage "$2"
}
arc_top 'AIR-TO-AIR HEAT EXCHANGER' "$tmp/arc-top.png"
arc_bottom 'CERTIFIED' "$tmp/arc-bottom.png"
convert -size 640x640 xc:white \
    -fill "$blue" -draw 'circle 320,320 320,8' \
    -fill none -stroke white -strokewidth 6 -draw 'circle 320,320 320,20' \
    -stroke none -fill white -draw 'circle 320,320 320,84' \
    -fill none -stroke "$blue" -strokewidth 5 -draw 'circle 320,320 320,96' -stroke none \
    "$tmp/arc-top.png" -composite "$tmp/arc-bottom.png" -composite \
    -font "$bold" -pointsize 112 -fill "$blue" -gravity center -annotate +0-30 'EN 308' \
    -fill none -stroke "$red" -strokewidth 22 -draw 'stroke-linecap round stroke-linejoin round polyline 262,378 306,422 384,330' \
    "$tmp/195-4.png"
shrink "$tmp/195-4.png" "$tmp/195.png"
jpeg "$tmp/195.png" "$out/195.jpg"

# 198: the performance mark of the information window, 62 x 62: a round
# badge "ErP READY" with a check.
convert -size 248x248 xc:white \
    -fill "$blue" -draw 'circle 124,124 124,4' \
    -fill none -stroke white -strokewidth 4 -draw 'circle 124,124 124,14' -stroke none \
    -font "$bold" -pointsize 78 -fill white -gravity north -annotate +0+44 'ErP' \
    -font "$bold" -pointsize 38 -kerning 3 -annotate +0+128 'READY' \
    -fill none -stroke "$red" -strokewidth 12 -draw 'stroke-linecap round stroke-linejoin round polyline 98,186 118,206 154,170' \
    "$tmp/198-4.png"
jpeg_both "$tmp/198-4.png" 198

# 200: the efficiency mark of the information window, 89 x 50: a class
# ladder of four bars beside the lettering "ENERGY EFFICIENCY CLASS".
convert -size 356x200 xc:white \
    -fill none -stroke "$blue" -strokewidth 6 -draw 'roundrectangle 4,4 351,195 18,18' -stroke none \
    -fill "$blue" -draw 'polygon 24,24 76,24 92,40 76,56 24,56' \
    -fill "$blue2" -draw 'polygon 24,64 96,64 112,80 96,96 24,96' \
    -fill '#6f9cc8' -draw 'polygon 24,104 116,104 132,120 116,136 24,136' \
    -fill '#a9c3dc' -draw 'polygon 24,144 136,144 152,160 136,176 24,176' \
    -font "$bold" -pointsize 29 -fill "$blue" \
    -annotate +166+58 'ENERGY' -annotate +166+100 'EFFICIENCY' -annotate +166+142 'CLASS' \
    -font "$sans" -pointsize 25 -fill "$grey" -annotate +166+180 'EN 13053' \
    "$tmp/200-4.png"
jpeg_both "$tmp/200-4.png" 200

# 196: the test stamp of the information window, shown at its own size from
# x 405, y 46 of the picture panel: 64 x 64 with a transparent surround.
convert -size 256x256 xc:none \
    -fill white -stroke "$blue" -strokewidth 10 -draw 'roundrectangle 12,12 243,243 26,26' \
    -fill none -strokewidth 4 -draw 'roundrectangle 28,28 227,227 16,16' -stroke none \
    -fill "$blue" -draw 'roundrectangle 28,168 227,227 16,16' -draw 'rectangle 28,168 227,200' \
    -font "$bold" -pointsize 40 -kerning 3 -fill white -gravity north -annotate +0+175 'TESTED' \
    -fill none -stroke "$red" -strokewidth 24 -draw 'stroke-linecap round stroke-linejoin round polyline 72,92 110,130 184,56' \
    "$tmp/196-4.png"
png_both "$tmp/196-4.png" 196

# ---------------------------------------------------------------------------
# Language banners of the information window, 220 x 14: one line in the
# language on a blue band; drawn once at its size and once at twice it.
banner() { # $1 number, $2 font, $3 text
    for s in 1 2; do
        name=$1
        [ "$s" = 2 ] && name=$1@2x
        convert -size $((220 * s))x$((14 * s)) xc:white \
            -fill "$blue" -draw "roundrectangle 0,0 $((220 * s - 1)),$((14 * s - 1)) $((3 * s)),$((3 * s))" \
            -fill "$red" -draw "rectangle 0,0 $((3 * s - 1)),$((14 * s - 1))" \
            -font "$2" -pointsize $((11 * s)) -fill white -gravity center -annotate +$((s))+0 "$3" \
            "$tmp/$name.png"
        jpeg "$tmp/$name.png" "$out/$name.jpg"
    done
}
banner 1900 "$sans" 'Wärmerückgewinnung mit Plattentauschern'
banner 2900 "$sans" 'Heat recovery with plate heat exchangers'
banner 3900 "$sans" 'Récupérateurs de chaleur à plaques'
banner 7900 "$sans" 'Odzysk ciepła z wymiennikami płytowymi'
banner 8900 "$chinese" '板式换热器热回收'
banner 9900 "$sans" 'Пластинчатые рекуператоры тепла'

# ---------------------------------------------------------------------------
# Button glyphs of the page preview, the chart window and the main window's
# seasons button, 16 x 16, flat, on a transparent ground, and the same drawing
# at 32 x 32 for screens scaled by two (<name>@2x.png). The coordinates are
# those of the 16-pixel grid, pixel centres on whole numbers; the double
# drawing maps x to 2x + 0.5, so that a pixel of the small glyph becomes two
# by two pixels and lines and curves gain their finer steps.
glyph() { # $1 name, then the drawing options
    name=$1
    shift
    convert -size 16x16 xc:none "$@" "$tmp/$name.png"
    png "$tmp/$name.png" "$out/$name.png"
    convert -size 32x32 xc:none -affine 2,0,0,2,0.5,0.5 "$@" "$tmp/$name@2x.png"
    png "$tmp/$name@2x.png" "$out/$name@2x.png"
}

glyph BUTTON_CLOSE -fill none -stroke "$red" -strokewidth 2.6 -draw 'stroke-linecap round line 3.5,3.5 12.5,12.5' \
    -draw 'stroke-linecap round line 12.5,3.5 3.5,12.5'
glyph BUTTON_PAGE +antialias -fill white -stroke "$grey" -strokewidth 1 \
    -draw 'polygon 3,1 9,1 12,4 12,14 3,14' -fill "$lightgrey" -draw 'polygon 9,1 9,4 12,4' \
    -stroke "$blue" -draw 'line 5,6 10,6' -draw 'line 5,8 10,8' -draw 'line 5,10 10,10' \
    -draw 'line 5,12 8,12'
glyph BUTTON_PRINT +antialias -fill white -stroke "$grey" -strokewidth 1 -draw 'rectangle 4,1 11,6' \
    -fill '#9aa4ad' -stroke '#4f5961' -draw 'roundrectangle 1,6 14,12 1,1' \
    -fill '#4f5961' -stroke none -draw 'rectangle 3,10 12,11' \
    -fill white -stroke "$grey" -draw 'rectangle 4,10 11,14' \
    -stroke "$blue" -draw 'line 6,12 9,12' -stroke none -fill "$red" -draw 'rectangle 11,8 12,8'
glyph BUTTON_NOTES +antialias -fill white -stroke "$grey" -strokewidth 1 -draw 'rectangle 2,2 11,14' \
    -fill "$blue" -stroke none -draw 'rectangle 2,1 11,3' \
    -fill white -draw 'point 4,2' -draw 'point 7,2' -draw 'point 10,2' \
    -stroke "$grey" -draw 'line 4,6 9,6' -draw 'line 4,8 9,8' -draw 'line 4,10 9,10' -draw 'line 4,12 7,12' \
    -stroke "$red" -strokewidth 2 -draw 'line 14,5 9,12' -stroke none -fill '#4f5961' -draw 'point 8,13'
glyph BUTTON_PREVIOUS -fill "$blue" -stroke '#163a5c' -strokewidth 0.8 -draw 'polygon 3.5,8 11.5,2.5 11.5,13.5'
glyph BUTTON_NEXT -fill "$blue" -stroke '#163a5c' -strokewidth 0.8 -draw 'polygon 12.5,8 4.5,2.5 4.5,13.5'
glyph BUTTON_FIRST -fill "$blue" -stroke '#163a5c' -strokewidth 0.8 -draw 'polygon 5.5,8 13,2.5 13,13.5' \
    -stroke none -draw 'rectangle 2,2.5 4,13.5'
glyph BUTTON_LAST -fill "$blue" -stroke '#163a5c' -strokewidth 0.8 -draw 'polygon 10.5,8 3,2.5 3,13.5' \
    -stroke none -draw 'rectangle 12,2.5 14,13.5'
glyph BUTTON_SHOW -fill white -stroke "$blue" -strokewidth 1.2 \
    -draw 'path "M 0.8,8 C 4,2.4 12,2.4 15.2,8 C 12,13.6 4,13.6 0.8,8 Z"' \
    -stroke none -fill "$blue2" -draw 'circle 8,8 8,5' -fill '#10263d' -draw 'circle 8,8 8,6.6' \
    -fill white -draw 'circle 9,7 9,6.4'
glyph BUTTON_HIDE -fill white -stroke "$blue" -strokewidth 1.2 \
    -draw 'path "M 0.8,8 C 4,2.4 12,2.4 15.2,8 C 12,13.6 4,13.6 0.8,8 Z"' \
    -stroke none -fill "$grey" -draw 'circle 8,8 8,5' -fill '#4f5961' -draw 'circle 8,8 8,6.6' \
    -stroke white -strokewidth 3.4 -draw 'line 2.5,13.5 13.5,2.5' \
    -stroke "$red" -strokewidth 1.6 -draw 'line 2.5,13.5 13.5,2.5'

# 9990: the PDF button of the page preview, 32 x 32: a page with a red band
# carrying the letters PDF.
convert -size 128x128 xc:none \
    -fill white -stroke "$grey" -strokewidth 4 -draw 'polygon 22,6 84,6 108,30 108,122 22,122' \
    -fill "$lightgrey" -draw 'polygon 84,6 84,30 108,30' \
    -stroke "$grey" -strokewidth 5 -draw 'line 36,24 70,24' -draw 'line 36,104 94,104' -draw 'line 36,114 80,114' \
    -stroke none -fill "$red" -draw 'roundrectangle 6,44 122,90 8,8' \
    -font "$bold" -pointsize 46 -fill white -gravity center -annotate +0+3 'PDF' \
    "$tmp/9990-4.png"
png_both "$tmp/9990-4.png" 9990

echo "make-pictures: wrote the pictures into $out"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Regenerates every picture and icon under resources/ from scratch.
#
# Needs ImageMagick 6 (convert), the Liberation fonts (fonts-liberation) and Python's fontTools
# (python3-fonttools).
# The generated files are committed, so a normal build never runs this.
#
# Usage: scripts/make-resources.sh   (from any directory)

set -euo pipefail

script_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo_dir="$(cd "$script_dir/.." && pwd)"
out="$repo_dir/resources"
mkdir -p "$out/icons"

# Keep the output independent of the environment.
export LC_ALL=C
export MAGICK_THREAD_LIMIT=1

for tool in convert identify; do
    command -v "$tool" >/dev/null || { echo "error: $tool (ImageMagick) not found" >&2; exit 1; }
done
/usr/bin/python3 -c "import fontTools" 2>/dev/null ||
    { echo "error: Python's fontTools (python3-fonttools) not found" >&2; exit 1; }

font_dir=/usr/share/fonts/truetype/liberation
font_bold="$font_dir/LiberationSans-Bold.ttf"
font_regular="$font_dir/LiberationSans-Regular.ttf"
font_narrow="$font_dir/LiberationSansNarrow-Bold.ttf"
for f in "$font_bold" "$font_regular" "$font_narrow"; do
    [ -f "$f" ] || { echo "error: font $f not found" >&2; exit 1; }
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# Options that strip timestamps and other metadata so reruns give the same bytes.
clean=(+set date:create +set date:modify +set date:timestamp -strip)
png_clean=(-define 'png:exclude-chunks=date,time')

# Ball colours: base colour of each ball in the palette.
red='#d7262b'
blue='#1f6fd8'
yellow='#f2a20c'
green='#239a41'
purple='#7a3db8'

# ---------------------------------------------------------------------------
# ball OUT SIZE COLOUR TEXT [DISC%] [TEXT%]
#   A shaded lottery ball with a white disc and a dark number, drawn at
#   512 px and scaled down to SIZE x SIZE (PNG with alpha).
#   DISC% is the disc diameter relative to the ball, TEXT% the font size
#   relative to the ball; an empty TEXT draws no number.
ball() {
    local dst=$1 size=$2 colour=$3 text=$4 disc=${5:-60} tsize=${6:-34}
    local S=512 c=256 r=250
    local dr=$(( r * disc / 100 ))
    local pt=$(( S * tsize / 100 ))
    local b="$tmp/ball_work"

    # Colour ramp: dark edge -> base colour -> light highlight.
    convert \( xc:"$colour" -fill black -colorize 55% \) \
            \( xc:"$colour" \) \
            \( xc:"$colour" -fill white -colorize 65% \) \
            +append -filter triangle -resize 256x1\! "$b-lut.png"

    # Off-centre radial shading, highlight at the upper left.
    convert -size ${S}x${S} -define gradient:center=190,165 \
            -define gradient:radii=430,430 radial-gradient:white-black \
            -evaluate pow 0.9 "$b-lut.png" -clut "$b-body.png"

    # Soft gloss spot at the upper left.
    convert "$b-body.png" \
        \( -size ${S}x${S} xc:none -fill 'rgba(255,255,255,0.55)' \
           -draw "translate 160,125 rotate -40 ellipse 0,0 95,50 0,360" -blur 0x14 \) \
        -compose over -composite "$b-disc.png"

    # White disc with a faint shadow rim.
    if [ "$disc" -gt 0 ]; then
        convert "$b-disc.png" \
            -fill 'rgba(0,0,0,0.28)' -draw "circle $c,$((c + 5)) $c,$((c + 5 + dr + 7))" \
            -fill white -draw "circle $c,$c $c,$((c + dr))" "$b-disc.png"
    fi

    if [ -n "$text" ]; then
        convert "$b-disc.png" -font "$font_bold" -pointsize "$pt" -fill '#1b1b1f' \
            -gravity center -annotate +0+0 "$text" "$b-disc.png"
    fi

    # Cut out the round shape.
    convert "$b-disc.png" \
        \( -size ${S}x${S} xc:black -fill white -draw "circle $c,$c $c,$((c - r))" \) \
        -alpha off -compose CopyOpacity -composite \
        -filter Lanczos -resize "${size}x${size}" "$dst"
}

# shadowed IN OUT : adds a soft drop shadow below a transparent picture.
shadowed() {
    local src=$1 dst=$2 blur=${3:-5} off=${4:-4}
    convert "$src" \( +clone -background '#1a2a40' -shadow "45x${blur}+0+${off}" \) \
        +swap -background none -layers merge +repage "$dst"
}

# gif_from PNG GIF MATTE : GIF only knows fully transparent pixels, so soft
# edges are blended onto MATTE (the colour the picture will be seen on)
# and the alpha channel is cut at a threshold.
gif_from() {
    local src=$1 dst=$2 matte=$3
    convert \( "$src" -background "$matte" -alpha remove -alpha off \) \
            \( "$src" -alpha extract -threshold 45% \) \
            -compose CopyOpacity -composite +dither -colors 255 \
            "${clean[@]}" "$dst"
}

# ---------------------------------------------------------------------------
# ticket OUT SCALE
#   A green lottery ticket: a dark title band and a grid of numbered
#   cells, six of them marked.  Drawn on an 89 x 62 unit layout.
ticket() {
    local dst=$1 k=$2
    local mvg="$tmp/ticket.mvg"
    awk -v font="$font_narrow" -v tfont="$font_bold" 'BEGIN {
        print "stroke-antialias 1"
        print "fill \"#1f9a45\" stroke \"#0c6128\" stroke-width 1"
        print "roundrectangle 0.5,0.5 88.5,61.5 4,4"
        print "stroke none fill \"#0f7331\""
        print "roundrectangle 2.5,2.5 86.5,12 2,2"
        print "fill white font \"" tfont "\" font-size 7.2"
        print "text 6,10.2 \"QUINTARA\""
        # small coloured balls in the title band
        split("#d7262b #f2a20c #ffffff", col, " ")
        for (i = 1; i <= 3; i++) {
            x = 60 + (i - 1) * 8.5
            print "fill \"" col[i] "\" circle " x ",7.25 " x + 3 ",7.25"
        }
        cols = 9; rows = 4
        x0 = 4.5; y0 = 15.5; pw = 8.9; ph = 11.3; cw = 7.7; ch = 9.9
        marks = " 4 11 17 23 30 35 "
        n = 0
        for (rr = 0; rr < rows; rr++) for (cc = 0; cc < cols; cc++) {
            n++
            x = x0 + cc * pw; y = y0 + rr * ph
            print "stroke none fill \"#eaf8ee\""
            print "roundrectangle " x "," y " " x + cw "," y + ch " 1.2,1.2"
            w = (n < 10 ? 1 : 2) * 6.2 * 0.556
            print "fill \"#0f7331\" font \"" font "\" font-size 6.2"
            print "text " x + (cw - w) / 2 "," y + ch / 2 + 2.25 " \"" n "\""
            if (index(marks, " " n " ") > 0) {
                print "fill none stroke \"#d7262b\" stroke-width 1.1 stroke-linecap round"
                print "line " x + 1.3 "," y + 1.5 " " x + cw - 1.3 "," y + ch - 1.5
                print "line " x + cw - 1.3 "," y + 1.5 " " x + 1.3 "," y + ch - 1.5
            }
        }
    }' > "$mvg"
    convert -size $((89 * k))x$((62 * k)) xc:none \
        -draw "scale $k,$k $(tr '\n' ' ' < "$mvg")" "$dst"
}

# ---------------------------------------------------------------------------
echo "balls..."
ball "$tmp/b07.png" 96 "$red" 7 64 40
ball "$tmp/b23.png" 96 "$blue" 23 64 40
ball "$tmp/b45.png" 96 "$yellow" 45 64 40
ball "$tmp/b61.png" 96 "$green" 61 64 40
ball "$tmp/b88.png" 96 "$purple" 88 64 40
for n in 07 23 45 61 88; do
    shadowed "$tmp/b$n.png" "$tmp/s$n.png" 4 4
done

# ---------------------------------------------------------------------------
echo "header.jpg"
ticket "$tmp/ticket_big.png" 2
convert "$tmp/ticket_big.png" -background none -rotate -7 "$tmp/ticket_rot.png"
shadowed "$tmp/ticket_rot.png" "$tmp/ticket_hdr.png" 5 5

convert -size 984x204 gradient:'#ffffff'-'#e6eef8' \
    -fill '#239a41' -draw "rectangle 0,196 984,204" \
    -fill '#d7262b' -draw "rectangle 0,200 984,204" \
    "$tmp/ticket_hdr.png" -geometry +12+8 -compose over -composite \
    \( -size 984x204 xc:none -font "$font_bold" -pointsize 104 \
       -fill '#16325c' -annotate +224+112 'Quintara' \
       -background '#16325c' -shadow 35x3+3+4 \) -geometry +0+0 -compose over -composite \
    -font "$font_bold" -pointsize 104 -fill '#16325c' -annotate +222+108 'Quintara' \
    -font "$font_regular" -pointsize 40 -fill '#1e7a38' -annotate +226+162 'numeri per il tuo gioco' \
    "$tmp/s07.png" -geometry +662+4   -composite \
    "$tmp/s23.png" -geometry +714+90  -composite \
    "$tmp/s45.png" -geometry +766+4   -composite \
    "$tmp/s61.png" -geometry +818+90  -composite \
    "$tmp/s88.png" -geometry +870+4   -composite \
    -alpha off "${clean[@]}" -quality 92 -sampling-factor 1x1 "$out/header.jpg"


# ---------------------------------------------------------------------------
echo "information_logo.jpg"
ball "$tmp/logo_ball.png" 284 "$red" 90 62 39
shadowed "$tmp/logo_ball.png" "$tmp/logo_ball_s.png" 9 9
convert -size 354x343 -define gradient:center=177,150 -define gradient:radii=260,260 \
    radial-gradient:'#ffffff'-'#dfe7f1' \
    "$tmp/logo_ball_s.png" -gravity center -geometry +0-2 -compose over -composite \
    -alpha off "${clean[@]}" -quality 92 -sampling-factor 1x1 "$out/information_logo.jpg"

# ---------------------------------------------------------------------------
echo "donation.jpg, donation@2x.jpg"
# Drawn four times larger, then scaled down: a red mug with a heart of
# steam and the word "Dona".
donation=(
    -size 480x240 gradient:'#fff7e3'-'#ffd27f'
    -fill none -stroke '#c9771b' -strokewidth 6 -draw "roundrectangle 3,3 476,236 22,22"
    -stroke none -fill '#8e2a1e' -draw "ellipse 100,210 82,15 0,360"
    -fill none -stroke '#c0392b' -strokewidth 15 -draw "ellipse 158,148 26,30 0,360"
    -stroke none -fill '#c0392b'
    -draw "path 'M 38,102 L 162,102 L 150,186 Q 147,204 129,204 L 71,204 Q 53,204 50,186 Z'"
    -fill 'rgba(255,255,255,0.30)'
    -draw "path 'M 54,112 L 72,112 L 76,190 Q 66,188 63,176 Z'"
    -fill '#8e2a1e' -draw "ellipse 100,102 62,15 0,360"
    -fill '#5b2a0e' -draw "ellipse 100,105 53,10 0,360"
    -fill '#e5322b'
    -draw "path 'M 100,84 C 62,60 62,26 86,26 C 94,26 99,32 100,40 C 101,32 106,26 114,26 C 138,26 138,60 100,84 Z'"
    -font "$font_bold" -pointsize 100
    -fill 'rgba(255,255,255,0.8)' -annotate +200+166 'Dona'
    -fill '#7a2a0c' -annotate +196+162 'Dona'
)
convert "${donation[@]}" -filter box -resize 120x60 \
    -alpha off "${clean[@]}" -quality 92 -sampling-factor 1x1 "$out/donation.jpg"
convert "${donation[@]}" -filter box -resize 240x120 \
    -alpha off "${clean[@]}" -quality 92 -sampling-factor 1x1 "$out/donation@2x.jpg"

# ---------------------------------------------------------------------------
echo "information_warning.gif, information_warning@2x.gif"
for size in 16 32; do
    ball "$tmp/small_ball.png" $size "$green" "" 0
    convert -size ${size}x${size} xc:none "$tmp/small_ball.png" -geometry +0+0 -compose over \
        -composite "$tmp/small_ball$size.png"
done
gif_from "$tmp/small_ball16.png" "$out/information_warning.gif" '#f0f0f0'
gif_from "$tmp/small_ball32.png" "$out/information_warning@2x.gif" '#f0f0f0'

# ---------------------------------------------------------------------------
echo "information_ticket.bmp, information_ticket@2x.bmp"
ticket "$tmp/ticket_small.png" 4
convert "$tmp/ticket_small.png" -filter box -resize 89x62\! \
    -background '#0c6128' -alpha remove -alpha off \
    "${clean[@]}" -type TrueColor -define bmp:format=bmp3 BMP3:"$out/information_ticket.bmp"
convert "$tmp/ticket_small.png" -filter box -resize 178x124\! \
    -background '#0c6128' -alpha remove -alpha off \
    "${clean[@]}" -type TrueColor -define bmp:format=bmp3 BMP3:"$out/information_ticket@2x.bmp"

# ---------------------------------------------------------------------------
# Button glyphs: drawn on a 96 x 96 canvas (four times the final size) and
# scaled down to 24 x 24, and to 48 x 48 for screens scaled above 100 %
# (NAME@2x.gif).  Soft edges are blended onto a light button face.
button_face='#ececec'

# button NAME GLYPH... : the glyph drawn by convert's arguments GLYPH, at both sizes.
button() {
    local name=$1 k
    shift
    for k in 1 2; do
        convert "$@" -filter box -resize $((24 * k))x$((24 * k)) "$tmp/$name-$k.png"
    done
    gif_from "$tmp/$name-1.png" "$out/$name.gif" "$button_face"
    gif_from "$tmp/$name-2.png" "$out/$name@2x.gif" "$button_face"
}

echo "button_new_series.gif"
for k in 1 2; do
    ball "$tmp/btn_ball.png" $((20 * k)) "$blue" 7 66 50
    convert -size 96x96 xc:none -stroke '#b07800' -strokewidth 3 -fill '#ffd21a' \
        -draw "path 'M 76,2 L 81,15 L 94,20 L 81,25 L 76,38 L 71,25 L 58,20 L 71,15 Z'" \
        -filter box -resize $((24 * k))x$((24 * k)) "$tmp/btn_spark.png"
    convert -size $((24 * k))x$((24 * k)) xc:none \
        "$tmp/btn_ball.png" -geometry +0+$((4 * k)) -compose over -composite \
        "$tmp/btn_spark.png" -geometry +0+0 -compose over -composite "$tmp/btn_new-$k.png"
done
gif_from "$tmp/btn_new-1.png" "$out/button_new_series.gif" "$button_face"
gif_from "$tmp/btn_new-2.png" "$out/button_new_series@2x.gif" "$button_face"

echo "button_conditions.gif"
button button_conditions -size 96x96 xc:none \
    -fill '#ffffff' -stroke '#4b5b70' -strokewidth 5 -draw "roundrectangle 14,9 82,92 7,7" \
    -stroke none -fill '#4b5b70' -draw "roundrectangle 34,2 62,16 4,4" \
    -fill none -stroke '#9aa6b4' -strokewidth 6 \
    -draw "line 48,34 72,34" -draw "line 48,54 72,54" -draw "line 48,74 72,74" \
    -stroke '#239a41' -strokewidth 7 -draw "stroke-linecap round stroke-linejoin round polyline 24,33 30,39 40,26" \
    -draw "stroke-linecap round stroke-linejoin round polyline 24,53 30,59 40,46" \
    -stroke '#4b5b70' -strokewidth 4 -fill white -draw "rectangle 24,68 38,81"

echo "button_print.gif"
button button_print -size 96x96 xc:none \
    -fill white -stroke '#4a4f57' -strokewidth 4 -draw "rectangle 26,6 70,40" \
    -fill '#8d97a3' -stroke '#3f454d' -strokewidth 5 -draw "roundrectangle 6,34 90,72 9,9" \
    -stroke none -fill '#b9c1ca' -draw "rectangle 12,38 84,46" \
    -fill '#2b3037' -draw "rectangle 20,58 76,64" \
    -fill '#39d05a' -draw "circle 77,47 77,52" \
    -fill white -stroke '#4a4f57' -strokewidth 4 -draw "rectangle 24,60 72,92" \
    -stroke '#9aa6b4' -strokewidth 4 -draw "line 32,72 64,72" -draw "line 32,82 56,82"

echo "button_exit.gif"
button button_exit -size 96x96 xc:none \
    -fill '#3b2b20' -stroke '#5c3b1e' -strokewidth 4 -draw "rectangle 8,6 56,92" \
    -fill '#c0854a' -stroke '#6b4220' -strokewidth 4 -draw "polygon 8,6 36,16 36,84 8,92" \
    -stroke none -fill '#ffd21a' -draw "circle 29,50 29,55" \
    -fill '#d7262b' -stroke '#8f1519' -strokewidth 4 \
    -draw "polygon 42,40 64,40 64,24 92,50 64,76 64,60 42,60"

# ---------------------------------------------------------------------------
echo "icons/quintara-*.png"
# Application icon: a green ball with a dark "Q".  Small sizes get a larger
# disc and letter so they stay readable.
ball "$tmp/icon-256.png" 256 "$green" Q 62 42
ball "$tmp/icon-128.png" 128 "$green" Q 62 42
ball "$tmp/icon-64.png" 64 "$green" Q 63 43
ball "$tmp/icon-48.png" 48 "$green" Q 64 44
ball "$tmp/icon-32.png" 32 "$green" Q 68 48
ball "$tmp/icon-16.png" 16 "$green" Q 74 56
for s in 16 32 48 64 128 256; do
    convert "$tmp/icon-$s.png" "${clean[@]}" "${png_clean[@]}" PNG32:"$out/icons/quintara-$s.png"
done

# ---------------------------------------------------------------------------
echo "icons/quintara.svg"
# The same icon, scalable: the ball's shading as gradients and the "Q" as the outline of
# Liberation Sans Bold's glyph, so that it looks the same whatever fonts the desktop has.
q_path=$(/usr/bin/python3 - "$font_bold" <<'PYTHON'
import sys
from fontTools.pens.boundsPen import BoundsPen
from fontTools.pens.svgPathPen import SVGPathPen
from fontTools.pens.transformPen import TransformPen
from fontTools.ttLib import TTFont

font = TTFont(sys.argv[1])
glyphs = font.getGlyphSet()
glyph = glyphs[font.getBestCmap()[ord("Q")]]
bounds = BoundsPen(glyphs)
glyph.draw(bounds)
left, _, right, _ = bounds.bounds
cap_height = font["OS/2"].sCapHeight
scale = 107.5 / font["head"].unitsPerEm  # 42 % of the 256-pixel ball, as in the PNG icons
# Centred across on its outline, and down on its capital's height (the tail hangs below).
dx = 128 - (left + right) / 2 * scale
dy = 128 + cap_height / 2 * scale
path = SVGPathPen(glyphs, ntos=lambda n: ("%.2f" % n).rstrip("0").rstrip("."))
glyph.draw(TransformPen(path, (scale, 0, 0, -scale, dx, dy)))
print(path.getCommands())
PYTHON
)
cat >"$out/icons/quintara.svg" <<SVG
<?xml version="1.0" encoding="UTF-8"?>
<!--
SPDX-FileCopyrightText: 2026 gli autori di Quintara

SPDX-License-Identifier: GPL-3.0-or-later
-->
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <radialGradient id="body" cx="95" cy="82.5" r="215" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#b2dcbd"/>
      <stop offset="0.45" stop-color="$green"/>
      <stop offset="1" stop-color="#10451d"/>
    </radialGradient>
    <radialGradient id="gloss">
      <stop offset="0" stop-color="#ffffff" stop-opacity="0.55"/>
      <stop offset="1" stop-color="#ffffff" stop-opacity="0"/>
    </radialGradient>
  </defs>
  <circle cx="128" cy="128" r="125" fill="url(#body)"/>
  <ellipse cx="0" cy="0" rx="62" ry="36" fill="url(#gloss)"
           transform="translate(80 62.5) rotate(-40)"/>
  <circle cx="128" cy="130.5" r="81" fill="#000000" fill-opacity="0.28"/>
  <circle cx="128" cy="128" r="77.5" fill="#ffffff"/>
  <path fill="#1b1b1f" d="$q_path"/>
</svg>
SVG

echo "done: pictures written to $out"

#!/usr/bin/env bash
# Draws the program's icon, a twenty-sided die on the window's blue, into
# ui/icons/vostrel-calculator.png: 41 by 41 pixels, 24-bit colour, no alpha.
# Needs ImageMagick. The PNG is committed; run this only to redraw it.
set -euo pipefail
cd "$(dirname "$0")/.."

out=ui/icons/vostrel-calculator.png
edge='#1b1f5e'

convert -size 41x41 xc:'#0000ff' \
    -fill '#f3c13a' -stroke "$edge" -strokewidth 1.5 \
    -draw 'polygon 20.5,1.5 37.5,11 37.5,30 20.5,39.5 3.5,30 3.5,11' \
    -fill '#ffe08a' -stroke "$edge" -strokewidth 1.2 \
    -draw 'polygon 20.5,9 30.5,27 10.5,27' \
    -stroke "$edge" -strokewidth 1 \
    -draw 'line 20.5,1.5 20.5,9' \
    -draw 'line 20.5,9 37.5,11' -draw 'line 20.5,9 3.5,11' \
    -draw 'line 30.5,27 37.5,11' -draw 'line 30.5,27 37.5,30' -draw 'line 30.5,27 20.5,39.5' \
    -draw 'line 10.5,27 3.5,11' -draw 'line 10.5,27 3.5,30' -draw 'line 10.5,27 20.5,39.5' \
    -fill "$edge" -stroke none -font DejaVu-Sans-Bold -pointsize 8 -gravity center \
    -draw 'text 0,3 "20"' \
    -alpha off -type TrueColor -define png:color-type=2 -define png:bit-depth=8 \
    "PNG24:$out"

identify "$out"

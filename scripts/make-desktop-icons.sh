#!/usr/bin/env bash
# Renders the desktop icons from their one source, ui/icons/vostrel-calculator.svg, into
# ui/icons/hicolor/<size>x<size>/apps/vostrel-calculator.png for the sizes the install
# ships (the SVG itself is installed as the scalable icon). Needs rsvg-convert (package
# librsvg2-bin). The PNGs are committed; run this only after editing the SVG.
# The window's own 41x41 icon is drawn by scripts/make-icon.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing (package librsvg2-bin)" >&2; exit 1; }

source=ui/icons/vostrel-calculator.svg
for size in 48 64 128 256; do
    out=ui/icons/hicolor/${size}x${size}/apps/vostrel-calculator.png
    mkdir -p "$(dirname "$out")"
    rsvg-convert --width "$size" --height "$size" --format png "$source" --output "$out"
    echo "wrote $out"
done

#!/usr/bin/env bash
# Renders data/icons/yuchaling.svg (the logo's feather) to the PNG sizes the icon theme and the
# window use; run after changing the SVG and commit the PNGs (rsvg-convert: package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
for size in 48 128 256; do
    rsvg-convert -w "$size" -h "$size" yuchaling.svg -o "yuchaling-$size.png"
done

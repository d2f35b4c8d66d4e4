#!/bin/bash
# Generates the pointer of the bundled content: one 24x24 cell per look, in
# a row: the plain arrow, then the arrow with a dot that shows an item is
# held. The tip of the arrow is the cell's top-left corner. Needs `convert`.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/content/anim/pointer"
mkdir -p "$out"
arrow="polygon 0,0 0,18 5,14 9,22 12,21 8,13 14,13"
convert -size 24x24 xc:none +antialias -fill black -draw "$arrow" -fill white \
  -draw "polygon 2,4 2,14 5,11 9,19 10,18 6,10 10,10" \
  \( -size 24x24 xc:none +antialias -fill black -draw "$arrow" -fill '#FFD040' \
  -draw "polygon 2,4 2,14 5,11 9,19 10,18 6,10 10,10" -fill '#FFD040' -draw "circle 18,18 18,22" \) \
  +append -strip -define png:color-type=6 "$out/pointer.png"

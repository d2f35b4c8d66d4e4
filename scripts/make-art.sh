#!/usr/bin/env bash
# Draws the game's own pictures with ImageMagick (Debian package imagemagick).
# The outputs are small and committed, so building and testing never need
# this script; run it again after changing a picture here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-art.sh: needs ImageMagick's convert" >&2; exit 1; }

# Plain 8-bit RGBA PNGs without timestamps, so a re-run gives the same bytes.
png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }

button() {  # button SIZE FILL EDGE OUT
  local size=$1 fill=$2 edge=$3
  out=$4
  local w=${size%x*} h=${size#*x}
  png -size "$size" xc:none -fill "$fill" -stroke "$edge" -strokewidth 2 \
    -draw "roundrectangle 1,1 $((w - 2)),$((h - 2)) 8,8"
}

# The bundled demo.
mkdir -p content/images
out=content/images/backdrop.png
png -size 800x600 gradient:'#23384d'-'#0b1520'
button 180x44 '#6b4a2b' '#d9b77a' content/images/button_normal.png
button 180x44 '#8a6136' '#f2d49b' content/images/button_hover.png
button 180x44 '#4a321c' '#d9b77a' content/images/button_pressed.png

# The modal-stack scenario reads these colours back from the screen, so they
# are flat and exact: no border, no rounding.
dir=tests/scenarios/platform_modal/images
mkdir -p "$dir"
out=$dir/red.png;     png -size 100x40 xc:'rgb(200,40,40)'
out=$dir/red_hi.png;  png -size 100x40 xc:'rgb(230,90,90)'
out=$dir/red_lo.png;  png -size 100x40 xc:'rgb(120,20,20)'
out=$dir/blue.png;    png -size 100x40 xc:'rgb(40,40,200)'
out=$dir/panel.png;   png -size 300x200 xc:'rgb(30,120,60)'

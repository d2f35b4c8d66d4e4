#!/usr/bin/env bash
# Draws the pictures of the save, load, players and options menus: their
# panels, the slot rows (normal, hover, chosen), the text field, the slider
# and the check box. Needs ImageMagick's convert. The outputs are small and
# committed; run this again after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-menu-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
box() {  # box SIZE FILL EDGE RADIUS OUT
  local size=$1 fill=$2 edge=$3 radius=$4
  out=$5
  local w=${size%x*} h=${size#*x}
  png -size "$size" xc:none -fill "$fill" -stroke "$edge" -strokewidth 2 \
    -draw "roundrectangle 1,1 $((w - 2)),$((h - 2)) $radius,$radius"
}
ui=content/images/ui
mkdir -p "$ui"

box 420x470 '#1e2a38f0' '#d9b77a' 16 "$ui/menu_panel.png"
box 420x260 '#1e2a38f0' '#d9b77a' 16 "$ui/name_panel.png"
box 320x440 '#1e2a38f0' '#d9b77a' 14 "$ui/localmenu.png"
box 300x36 '#2c3c50' '#6f86a0' 6 "$ui/slot_normal.png"
box 300x36 '#3a4f68' '#a8bcd2' 6 "$ui/slot_hover.png"
box 300x36 '#6b4a2b' '#f2d49b' 6 "$ui/slot_on.png"
# The scene picker's rows, narrower: five columns of them.
box 150x36 '#2c3c50' '#6f86a0' 6 "$ui/pick_normal.png"
box 150x36 '#3a4f68' '#a8bcd2' 6 "$ui/pick_hover.png"
box 150x36 '#6b4a2b' '#f2d49b' 6 "$ui/pick_on.png"
box 300x32 '#0e1620' '#6f86a0' 4 "$ui/field.png"
out=$ui/slider_track.png
png -size 300x24 xc:none -fill '#0e1620' -stroke '#6f86a0' -strokewidth 2 -draw "roundrectangle 1,8 298,16 4,4"
box 16x24 '#d9b77a' '#f2d49b' 4 "$ui/slider_thumb.png"
box 28x28 '#0e1620' '#d9b77a' 4 "$ui/check_off.png"
box 28x28 '#2c3c50' '#f2d49b' 4 "$ui/check_hover.png"
out=$ui/check_on.png
png -size 28x28 xc:none -fill '#0e1620' -stroke '#d9b77a' -strokewidth 2 -draw "roundrectangle 1,1 26,26 4,4" \
  -fill none -stroke '#f2d49b' -strokewidth 4 -draw "polyline 7,14 12,20 21,8"

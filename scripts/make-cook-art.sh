#!/usr/bin/env bash
# Draws the pictures of the kitchen game: the shelf's products (carrot,
# potato, water, cherry, flour) and the spoon, their masks, the scene's
# mask over the panel, the mixer's layers and the stew and tart results,
# the serving plates' masks, the exit items (feast token, burnt spoon), the
# cook book item lying in the nursery, and the cook book itself: its
# background and five sheets of recipe pages, each face a colour of its own
# with a number of bars, so a scenario can tell the pages apart. Needs
# ImageMagick's convert. The outputs are small and committed; run this
# again after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-cook-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh

mkdir -p content/anim/kitchen content/images/masks content/images/cook_book content/images/ui/panel

out=content/anim/kitchen/carrot.png
png -size 40x40 xc:none -fill '#f08020' -draw "polygon 20,39 10,8 30,8" -fill '#3a8a2a' -draw "rectangle 16,0 24,8"
out=content/anim/kitchen/potato.png
png -size 40x40 xc:none -fill '#b08850' -draw "ellipse 20,20 18,14 0,360"
out=content/anim/kitchen/water.png
png -size 40x40 xc:none -fill '#4080e0' -draw "rectangle 8,6 32,39" -fill '#a0c0f0' -draw "rectangle 12,10 28,16"
out=content/anim/kitchen/cherry.png
png -size 40x40 xc:none -fill '#b01030' -draw "circle 14,28 14,38 circle 28,28 28,38" -fill '#3a8a2a' \
  -draw "line 14,20 22,2 line 28,20 22,2"
out=content/anim/kitchen/flour.png
png -size 40x40 xc:none -fill '#f4f0e4' -draw "rectangle 6,6 34,39" -fill '#c0b8a0' -draw "rectangle 6,6 34,12"
out=content/anim/kitchen/spoon.png
png -size 60x20 xc:none -fill '#8a6a4a' -draw "rectangle 20,8 59,12" -fill '#a0804a' -draw "ellipse 12,10 11,8 0,360"
for name in carrot potato water cherry flour; do
  mask content/images/masks/${name}_mask.png 40x40
done
mask content/images/masks/spoon_mask.png 60x20
for name in salad_plate stew_plate tart_plate; do
  mask content/images/masks/${name}_mask.png 120x80
done
mask content/images/masks/cook_book_mask.png 50x40
# The scene's mask over the kitchen's panel (the plants game's too): the
# pointer turns plain over it and hides a held item, so the clear button
# (56 by 40 at 174, 52) is left out, and a large dish carried there shows
# shrunk.
out=content/images/ui/panel/king_cook_mask.png
png -size 800x100 xc:white -alpha set \( -size 56x40 xc:none \) -geometry +174+52 -compose copy -composite

# The mixer's layers, one per product, and the two dishes' results: the
# stew right (orange) or wrong (grey), the tart right (red) or wrong (black).
layer() {  # layer NAME COLOUR
  out=content/anim/kitchen/layer_$1.png
  png -size 60x30 xc:none -fill "$2" -draw "ellipse 30,15 29,14 0,360"
}
layer carrot '#f08020'
layer potato '#c8a060'
layer water '#4080e0'
layer cherry '#b01030'
layer flour '#f4f0e4'
out=content/anim/kitchen/stew_good.png
png -size 100x50 xc:'#e07818'
out=content/anim/kitchen/stew_bad.png
png -size 100x50 xc:'#707070'
out=content/anim/kitchen/tart_good.png
png -size 100x50 xc:'#d02040'
out=content/anim/kitchen/tart_bad.png
png -size 100x50 xc:'#202020'

out=content/anim/kitchen/feast_token.png
png -size 40x40 xc:none -fill '#f0c030' -draw "circle 20,20 20,38" -fill '#b08010' -draw "circle 20,20 20,28"
out=content/anim/kitchen/burnt_spoon.png
png -size 60x20 xc:none -fill '#282018' -draw "rectangle 20,8 59,12" -fill '#181410' -draw "ellipse 12,10 11,8 0,360"
out=content/anim/kitchen/cook_book.png
png -size 50x40 xc:'#7a2a2a' -fill none -stroke '#e0c080' -strokewidth 3 -draw "rectangle 4,4 45,35"

# The open book: a dark desk under the pages, and five sheets of two faces
# (300 by 400). Face n has the colour of its place and n bars.
out=content/images/cook_book/background.png
png -size 800x600 xc:'#2a1a10' -fill '#5a3a20' -draw "rectangle 80,80 720,520"
colours=('#f0e0c0' '#e0f0c0' '#c0e0f0' '#f0c0e0' '#e0e0e0' '#f0f0a0' '#a0f0f0' '#f0a0a0' '#c0c0f0' '#d0f0d0')
for i in $(seq 0 9); do
  sheet_no=$((i / 2))
  side=$([ $((i % 2)) -eq 0 ] && echo front || echo back)
  bars=""
  for b in $(seq 0 $i); do bars="$bars rectangle 40,$((40 + b * 30)) 260,$((52 + b * 30))"; done
  out=content/images/cook_book/page${sheet_no}_${side}.png
  png -size 300x400 xc:"${colours[$i]}" -fill '#5a3a20' -draw "$bars"
done

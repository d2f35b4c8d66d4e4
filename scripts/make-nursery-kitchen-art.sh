#!/usr/bin/env bash
# Draws the pictures of the house's nursery and kitchen: the rooms (the
# kitchen also as it is once its game is won or lost) and their masks, the
# two matches boxes (at rest, and with a match burning), the lit lamp, the
# star drawn over the game panel, the tutorial's panel and its page of
# coloured bands, and the kitchen's board, bowl (a plate and one
# layer per product and per result), onion, its cut and dust, knife and
# tomato. Needs ImageMagick's convert. The outputs are small and committed;
# run this again after changing a picture here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-nursery-kitchen-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh

mkdir -p content/images/scenes content/images/masks content/images/tutorial content/anim/nursery \
  content/anim/kitchen

# The nursery: doors back to the study and on to the kitchen, a low shelf
# with the two matches boxes, a table with a candle, and an oil lamp on the
# wall whose wick wants a light.
out=content/images/scenes/nursery.png
png -size 800x600 xc:'#5a6a8a' -fill '#3a3a4a' -draw "polygon 0,600 0,440 800,440 800,600" \
  -fill '#6b4a2b' -draw "rectangle 20,150 100,420" -draw "rectangle 700,150 780,420" \
  -fill '#c99a4b' -draw "circle 88,290 88,295" -draw "circle 712,290 712,295" \
  -fill '#7a5634' -draw "rectangle 120,480 300,490" \
  -fill '#6a4a2a' -draw "rectangle 300,380 420,392" -draw "rectangle 310,392 320,440" \
  -draw "rectangle 400,392 410,440" \
  -fill '#f0e8d0' -draw "rectangle 350,320 366,380" -fill '#202020' -draw "rectangle 357,312 359,320" \
  -fill '#8a8a90' -draw "rectangle 540,230 580,260" -fill '#d8e0f0' -draw "ellipse 560,215 16,22 0,360" \
  -fill '#202020' -draw "rectangle 559,200 561,210"
mask content/images/masks/nursery_door.png 80x270
mask content/images/masks/nursery_kitchen_door.png 80x270
mask content/images/masks/tutorial_box_mask.png 50x30
mask content/images/masks/matches_box_mask.png 50x30
# The combination rules find these masks by their names, which have no
# extension.
mask content/images/masks/candle 40x90
mask content/images/masks/wick 60x80

# A matches box: at rest, then two frames of a match burning in its hand.
box() {  # box FLAME-COLOUR: none for the box at rest
  frame -size 50x30 xc:none -fill '#b0302a' -draw "rectangle 0,8 49,29" -fill '#f0d070' \
    -draw "rectangle 4,12 45,25" -fill '#5a3020' -draw "rectangle 20,16 29,21" \
    -fill "$([ "$1" = none ] && echo none || echo '#e0c090')" -draw "rectangle 40,0 43,12" \
    -fill "$1" -draw "circle 41,3 41,7"
}
box none
box '#ff8020'
box '#ffd040'
sheet content/anim/nursery/matches_box.png
out=content/anim/nursery/lit_lamp.png
png -size 40x40 xc:none -fill '#8a8a90' -draw "rectangle 10,24 30,39" -fill '#ffe060' \
  -draw "ellipse 20,14 9,13 0,360"
# Drawn over the panel beside the inventory's cells: a five-pointed star,
# solid yellow at its heart, which the tutorial scenario looks for.
out=content/anim/nursery/star.png
png -size 60x60 xc:none -fill '#ffff00' -stroke '#c08000' -strokewidth 2 \
  -draw "polygon 30,3 37,22 57,22 41,34 47,54 30,42 13,54 19,34 3,22 23,22"

# The tutorial's window: the panel, five 100-pixel pages on bands of colour
# (red, green, blue, yellow, magenta: the scenario tells the pages by the
# top rows, which no text touches), and the slider's track and thumb.
out=content/images/tutorial/panel.png
png -size 400x440 xc:'#1e2a38' -fill none -stroke '#d9b77a' -strokewidth 4 -draw "rectangle 2,2 397,437"
out=content/images/tutorial/bands.png
png -size 300x500 xc:none -fill '#c82828' -draw "rectangle 0,0 299,99" -fill '#28c828' \
  -draw "rectangle 0,100 299,199" -fill '#2828c8' -draw "rectangle 0,200 299,299" -fill '#c8c828' \
  -draw "rectangle 0,300 299,399" -fill '#c828c8' -draw "rectangle 0,400 299,499" \
  -font DejaVu-Sans -pointsize 15 -fill white -stroke none \
  -annotate +12+32 "Look around: the pointer changes\nover what you can take or use." \
  -annotate +12+132 "Click an item to take it; click a\ncell of the panel to keep it there." \
  -annotate +12+232 "Click what you hold on a thing\nin the scene to use it there." \
  -annotate +12+332 "The book on the panel tells\nwhat to do next." \
  -annotate +12+432 "Escape opens the menu: save, load,\noptions, and this help."
out=content/images/tutorial/track.png
png -size 300x20 xc:'#3a4658'
out=content/images/tutorial/thumb.png
png -size 20x20 xc:'#d9b77a'
out=content/images/tutorial/close.png
png -size 100x30 xc:'#6b4a2b' -fill none -stroke '#d9b77a' -strokewidth 2 -draw "rectangle 1,1 98,28"

# The kitchen: a shelf for the products, a counter. While the game is on
# it has no door: the game is the only way out.
kitchen_room=(-size 800x600 xc:'#8a7a5a' -fill '#4a3a2a' -draw "polygon 0,600 0,440 800,440 800,600"
  -fill '#6b4a2b' -draw "rectangle 100,100 500,110"
  -fill '#5a4632' -draw "rectangle 200,420 700,436")
out=content/images/scenes/kitchen.png
png "${kitchen_room[@]}"
# Once the game is played the kitchen is a room like any other: the shelf
# bare, the door back to the nursery on the left (the nursery's far door
# leads here). Won, the three dishes stand on the counter; lost, a burnt
# pot smokes there.
kitchen_door=(-fill '#6b4a2b' -draw "rectangle 20,150 100,420" -fill '#c99a4b' -draw "circle 88,290 88,295")
out=content/images/scenes/kitchen_won.png
png "${kitchen_room[@]}" "${kitchen_door[@]}" -fill '#f0f0f0' -draw "ellipse 300,410 50,14 0,360" \
  -draw "ellipse 450,410 50,14 0,360" -draw "ellipse 600,410 50,14 0,360" -fill '#3cdc3c' \
  -draw "ellipse 300,402 34,10 0,360" -fill '#e07818' -draw "ellipse 450,402 34,10 0,360" -fill '#d02040' \
  -draw "ellipse 600,402 34,10 0,360"
out=content/images/scenes/kitchen_lost.png
png "${kitchen_room[@]}" "${kitchen_door[@]}" -fill '#282018' -draw "rectangle 400,370 500,420" \
  -draw "rectangle 380,366 520,374" -fill '#909090' -draw "ellipse 440,330 26,20 0,360" \
  -draw "ellipse 470,290 22,18 0,360" -draw "ellipse 450,255 16,14 0,360"
mask content/images/masks/kitchen_door.png 80x270
mask content/images/masks/board_mask.png 200x120
mask content/images/masks/bowl_mask.png 120x80
mask content/images/masks/onion_mask.png 40x40
mask content/images/masks/knife_mask.png 60x20
mask content/images/masks/tomato_mask.png 40x40

out=content/anim/kitchen/board.png
png -size 200x120 xc:'#b08050' -fill none -stroke '#6b4a2b' -strokewidth 4 -draw "rectangle 2,2 197,117"
out=content/anim/kitchen/onion.png
png -size 40x40 xc:none -fill '#c8a0c8' -draw "circle 20,22 20,38" -fill '#6a8a3a' -draw "rectangle 18,0 22,8"
out=content/anim/kitchen/onion_cut.png
png -size 50x40 xc:none -fill '#e8d0e8' -draw "ellipse 25,20 24,18 0,360" -fill none -stroke '#b080b0' \
  -draw "ellipse 25,20 16,12 0,360" -draw "ellipse 25,20 8,6 0,360"
out=content/anim/kitchen/onion_dust.png
png -size 40x30 xc:none -fill '#d8c0a8' -draw "circle 8,22 8,27 circle 20,18 20,24 circle 32,22 32,27"
out=content/anim/kitchen/knife.png
png -size 60x20 xc:none -fill '#c0c0c8' -draw "polygon 0,10 36,4 36,16" -fill '#4a3020' -draw "rectangle 36,6 59,14"
out=content/anim/kitchen/tomato.png
png -size 40x40 xc:none -fill '#d83020' -draw "circle 20,22 20,38" -fill '#3a8a2a' -draw "rectangle 17,2 23,8"
# The bowl and its layers: the plate, the onion, the tomato, and the
# finished salad, right (bright green) or wrong (brown).
out=content/anim/kitchen/bowl.png
png -size 120x80 xc:none -fill '#f0f0f0' -draw "ellipse 60,40 59,39 0,360"
out=content/anim/kitchen/layer_onion.png
png -size 60x30 xc:none -fill '#e8d0e8' -draw "ellipse 30,15 29,14 0,360"
out=content/anim/kitchen/layer_tomato.png
png -size 60x30 xc:none -fill '#e04030' -draw "ellipse 30,15 29,14 0,360"
out=content/anim/kitchen/salad_good.png
png -size 100x50 xc:'#3cdc3c'
out=content/anim/kitchen/salad_bad.png
png -size 100x50 xc:'#6a4a2a'

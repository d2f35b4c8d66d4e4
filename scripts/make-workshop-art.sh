#!/usr/bin/env bash
# Draws the workshop off the hall and the yard behind its door: the scene
# backgrounds, the chest, the lockbox, the door, the well, the statue and its
# parts, the workshop's items, and the masks that make them clickable.
# Needs ImageMagick's convert. The outputs are small and committed; run this
# again after changing a picture here (the hall's door to the workshop is
# drawn by make-demo-art.sh with the rest of the hall).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-workshop-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
mkdir -p content/images/scenes content/images/masks content/anim/items content/anim/workshop

# The workshop: the way back to the hall on the left, the fire pit on the
# floor, the winch over the well, and an alcove where the statue stands.
out=content/images/scenes/workshop.png
png -size 800x600 xc:'#4a3a2c' -fill '#2e241b' -draw "polygon 0,600 0,440 800,440 800,600" \
  -fill '#3a2616' -draw "rectangle 20,140 100,400" -fill '#c99a4b' -draw "circle 88,280 88,285" \
  -fill '#3b3024' -draw "rectangle 280,80 420,290" \
  -fill '#6a6258' -draw "ellipse 625,500 55,28 0,360" -fill '#1c1612' -draw "ellipse 625,500 40,18 0,360" \
  -fill '#6b4a2b' -draw "rectangle 450,330 560,345" -draw "rectangle 455,330 465,360" -draw "rectangle 545,330 555,360" \
  -fill '#8a6a44' -draw "rectangle 495,322 515,352"

# The yard behind the door, its gate back in, and on the right the tower
# with its door, where yard_tower.png lies (680, 280; 80 by 120).
out=content/images/scenes/yard.png
png -size 800x600 gradient:'#6a8ab0'-'#c8d8e0' -fill '#4a6a34' -draw "polygon 0,600 0,420 800,400 800,600" \
  -fill '#3a2616' -draw "rectangle 40,200 160,430" -fill '#6b4a2b' -draw "rectangle 50,210 150,420" \
  -fill '#7a7680' -draw "rectangle 660,150 780,410" -draw "rectangle 660,130 680,150" -draw "rectangle 700,130 720,150" \
  -draw "rectangle 740,130 760,150" -fill '#2a2630' -draw "rectangle 710,200 730,240" \
  -fill '#4a3a2a' -draw "rectangle 690,290 750,400" -fill '#c9a24b' -draw "circle 740,350 740,354"

# Masks opaque over their whole region.
mask() {  # mask NAME WxH
  out=content/images/masks/$1.png
  png -size "$2" xc:'#ffffff'
}
mask workshop_exit 80x260
mask fire_pit 110x60
mask well_top 110x30
mask well 110x100
mask chest_closed 140x90
mask chest_opened 140x90
mask chest_return 140x50
mask lockbox_closed 100x60
mask lockbox_opened 100x90
mask door 120x260
mask stone_statue 120x190
mask yard_gate 120x230

# Items, 40 by 40. Those that lie in a scene also get a mask opaque where
# the item is; the others only ever are in the hand or an inventory.
picture() {  # picture NAME DRAW...
  local name=$1
  shift
  out=content/anim/items/$name.png
  png -size 40x40 xc:none "$@"
}
item() {  # item NAME DRAW...
  picture "$@"
  out=content/images/masks/${1}_mask.png
  png content/anim/items/$1.png -alpha extract -threshold 0 -background white -alpha shape
}
item stick -stroke '#8a5a2a' -strokewidth 5 -draw "line 6,34 34,6"
picture torch -stroke '#6b4a2b' -strokewidth 5 -draw "line 20,38 20,16" -stroke none -fill '#f0a030' \
  -draw "ellipse 20,12 8,11 0,360" -fill '#fff0a0' -draw "ellipse 20,14 4,6 0,360"
item rope -fill none -stroke '#c8a870' -strokewidth 4 -draw "circle 20,20 20,32" -draw "circle 20,20 20,26"
item brass_key -fill '#d8b040' -draw "circle 10,20 10,28" -draw "rectangle 16,18 38,22" -draw "rectangle 32,22 36,30"
item brass_key2 -fill '#e0c060' -draw "rectangle 4,12 16,28" -draw "rectangle 16,18 38,22" -draw "rectangle 28,22 32,32"
picture water_jug -fill '#a06040' -draw "ellipse 20,26 14,12 0,360" -draw "rectangle 14,6 26,16" -fill '#60a0e0' \
  -draw "ellipse 20,8 6,3 0,360"
picture tool_bundle -fill '#8a6a44' -draw "rectangle 6,14 34,30" -stroke '#c0c0c8' -strokewidth 3 -draw "line 8,10 32,34"
item saw -fill '#c0c0c8' -draw "polygon 4,26 36,16 36,28 4,30" -fill '#8a5a2a' -draw "rectangle 30,12 38,30"
item pliers -stroke '#9090a0' -strokewidth 4 -draw "line 8,36 22,14" -draw "line 32,36 18,14"
item chisel -fill '#8a5a2a' -draw "rectangle 16,22 24,38" -fill '#c0c0c8' -draw "polygon 16,22 24,22 22,4 18,4"
item statue_base -fill '#b0b0b8' -draw "rectangle 4,22 36,36"
item statue_torso -fill '#8fb0d0' -draw "rectangle 12,6 28,36"
item statue_head -fill '#e0c090' -draw "circle 20,20 20,34"
picture berry -fill '#9a2040' -draw "circle 16,24 16,32" -draw "circle 26,22 26,30" -fill '#4a8a34' \
  -draw "rectangle 19,6 22,16"
item oil_can -fill '#5a7a5a' -draw "rectangle 8,14 30,36" -stroke '#5a7a5a' -strokewidth 3 -draw "line 30,18 38,8"
# The study's apple and shears, and the rope the shears cut.
item apple -fill '#c02020' -draw "circle 20,23 20,36" -fill '#4a8a34' -draw "ellipse 24,8 6,3 0,360"
item shears -stroke '#c0c0c8' -strokewidth 4 -draw "line 8,34 30,8" -draw "line 32,34 10,8" \
  -stroke none -fill '#8a2a1e' -draw "circle 8,34 8,38" -draw "circle 32,34 32,38"
picture rope_cut -fill none -stroke '#c8a870' -strokewidth 4 -draw "arc 6,6 34,34 0,160" -draw "arc 6,6 34,34 200,340"

# The chest, closed and opened, as two 140 by 140 cells: the lid rises into
# the upper 50 rows when it opens.
out=content/anim/workshop/chest.png
png -size 280x140 xc:none \
  -fill '#6b4a2b' -draw "rectangle 0,50 139,139" -fill '#8a6136' -draw "rectangle 0,50 139,70" \
  -fill '#c99a4b' -draw "rectangle 64,62 76,78" \
  -fill '#6b4a2b' -draw "rectangle 140,0 279,48" -fill '#2a1c12' -draw "rectangle 140,50 279,139" \
  -fill '#6b4a2b' -draw "rectangle 140,50 149,139" -draw "rectangle 270,50 279,139" -draw "rectangle 140,130 279,139"

# The lockbox, closed and opened, as two 100 by 90 cells.
out=content/anim/workshop/lockbox.png
png -size 200x90 xc:none \
  -fill '#5a5a66' -draw "rectangle 0,30 99,89" -fill '#d8b040' -draw "rectangle 44,44 56,60" \
  -fill '#5a5a66' -draw "rectangle 100,0 199,26" -fill '#22222a' -draw "rectangle 100,30 199,89" \
  -fill '#5a5a66' -draw "rectangle 100,30 107,89" -draw "rectangle 192,30 199,89"

# The door: locked, four steps of swinging open, and the open doorway onto
# the yard's light, each 120 by 260.
out=content/anim/workshop/door.png
png -size 720x260 xc:none \
  -fill '#5a3a22' -draw "rectangle 0,0 119,259" -fill '#8a8a90' -draw "rectangle 96,120 108,140" \
  -fill '#c8d8e0' -draw "rectangle 120,0 239,259" -fill '#5a3a22' -draw "rectangle 120,0 219,259" \
  -fill '#c8d8e0' -draw "rectangle 240,0 359,259" -fill '#5a3a22' -draw "rectangle 240,0 309,259" \
  -fill '#c8d8e0' -draw "rectangle 360,0 479,259" -fill '#5a3a22' -draw "rectangle 360,0 399,259" \
  -fill '#c8d8e0' -draw "rectangle 480,0 599,259" -fill '#5a3a22' -draw "rectangle 480,0 494,259" \
  -fill '#c8d8e0' -draw "rectangle 600,0 719,259" -fill '#4a6a34' -draw "rectangle 600,200 719,259"

# The well and the statue: its plinth and the three parts that stand on it.
out=content/anim/workshop/well.png
png -size 110x100 xc:none -fill '#7a7a80' -draw "rectangle 0,20 109,99" -fill '#14181e' -draw "ellipse 55,20 55,14 0,360"
out=content/anim/workshop/plinth.png
png -size 120x30 xc:'#6a6258'
out=content/anim/workshop/statue_base.png
png -size 120x40 xc:'#b0b0b8'
out=content/anim/workshop/statue_torso.png
png -size 60x70 xc:'#8fb0d0'
out=content/anim/workshop/statue_head.png
png -size 40x50 xc:none -fill '#e0c090' -draw "ellipse 20,25 19,24 0,360"

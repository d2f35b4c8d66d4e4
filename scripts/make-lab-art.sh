#!/usr/bin/env bash
# Draws the laboratory beside the crypt and its alchemical device: the scene,
# the device and its mask, the device panel's background, the liquid as it
# fills and boils, the three pictures of a brewed potion, the ingredients and
# the other things the device takes or gives, and their masks. Needs
# ImageMagick's convert. The outputs are small and committed; run this again
# after changing a picture here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-lab-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh
mask() {  # mask NAME WxH: opaque over the whole region
  out=content/images/masks/$1.png
  png -size "$2" xc:'#ffffff'
}

mkdir -p content/images/scenes content/images/masks content/images/lab content/anim/lab content/anim/items

# The laboratory: the way back to the crypt on the left, shelves with the
# ingredients, and the long table the device stands on. Lit, the same room
# has the burner's flame, which shows below the still's round belly.
lab_room=(-size 800x600 xc:'#40362c' -fill '#2a231c' -draw "polygon 0,600 0,440 800,440 800,600"
  -fill '#261e16' -draw "rectangle 20,150 100,420" -fill '#6b5238'
  -draw "rectangle 110,360 250,372" -draw "rectangle 130,240 250,252"
  -fill '#5a4430' -draw "rectangle 280,350 620,366" -draw "rectangle 296,366 310,440" -draw "rectangle 590,366 604,440")
out=content/images/scenes/lab.png
png "${lab_room[@]}"
out=content/images/scenes/lab_lit.png
png "${lab_room[@]}" -fill '#ff8a30' -draw "ellipse 400,302 34,10 0,360" -fill '#ffd060' -draw "ellipse 400,304 14,5 0,360"
mask lab_exit 80x270
# The crypt's door to here is drawn with the crypt.
mask crypt_lab 40x270

# The device: a burner, a round copper still and its spout, 160 by 200;
# the flame belongs to the lit room behind it.
# The brewed potion shows in the glass on the table beside it.
out=content/anim/lab/device.png
png -size 160x200 xc:none -fill '#2c2c30' -draw "rectangle 40,160 120,199" \
  -fill '#b8743a' -draw "circle 80,105 80,50" -fill '#d8945a' -draw "ellipse 64,88 14,20 0,360" \
  -fill '#9a5e2e' -draw "rectangle 70,10 90,56" -draw "polygon 90,30 150,70 150,80 90,44"
mask device_mask 160x200

# The panel under the device: a shelf for the liquid's glass and four cells.
out=content/images/lab/panel.png
png -size 380x90 xc:'#2e2418' -fill '#5a4630' -draw "rectangle 4,4 375,85" -fill '#3a2e20' \
  -draw "rectangle 10,12 44,78" -draw "rectangle 53,12 115,74" -draw "rectangle 128,12 190,74" \
  -draw "rectangle 203,12 265,74" -draw "rectangle 278,12 340,74"

# The liquid in its glass, 30 by 60: nothing yet, three frames filling, then
# two frames boiling.
glass() {  # glass LEVEL_Y [BUBBLES]
  frame -size 30x60 xc:none -fill '#3c78c8' -draw "rectangle 3,$1 26,57" ${2:+-fill '#c8e0ff' -draw "$2"}
}
frame -size 30x60 xc:none
glass 44
glass 30
glass 16
glass 12 "circle 10,20 10,23 circle 20,34 20,36"
glass 12 "circle 16,16 16,19 circle 8,40 8,42"
sheet content/anim/lab/liquid.png

# The potion in its glass on the table, built up in three pictures.
potion() {  # potion N TOP_Y
  out=content/images/lab/potion$1.png
  png -size 40x60 xc:none -fill "rgb(200,40,60)" -draw "rectangle 8,$2 31,57"
}
potion 1 42
potion 2 26
potion 3 10

# The things the device takes and gives, 40 by 40.
item() {  # item NAME CONVERT-ARGS...
  out=content/anim/items/$1.png
  shift
  png -size 40x40 xc:none "$@"
}
item herb -fill '#3a8a3a' -draw "ellipse 14,20 8,14 0,360" -draw "ellipse 26,20 8,14 0,360" \
  -fill '#2a5a2a' -draw "rectangle 19,20 21,38"
item herb_bunch -fill '#3a8a3a' -draw "ellipse 10,16 7,12 0,360" -draw "ellipse 20,12 7,12 0,360" \
  -draw "ellipse 30,16 7,12 0,360" -fill '#8a6a3a' -draw "rectangle 12,26 28,32"
item herb_stalk -fill '#2a5a2a' -draw "rectangle 18,4 22,38" -fill '#8a6a3a' -draw "rectangle 14,26 26,32"
item bark -fill '#6a4a2a' -draw "polygon 6,10 34,4 36,30 8,36" -fill '#4a3218' -draw "line 12,14 30,10 line 12,24 32,20"
item root -fill '#c8a070' -draw "polygon 18,4 24,4 26,20 34,34 28,36 22,24 12,36 8,32 18,20"
item seed -fill '#8a6a2a' -draw "ellipse 12,20 5,7 0,360" -draw "ellipse 26,14 5,7 0,360" -draw "ellipse 24,30 5,7 0,360"
item rock -fill '#7a7a80' -draw "polygon 6,30 10,12 24,6 36,16 34,34 16,36"
item bucket -fill '#8a8a90' -draw "polygon 6,10 34,10 30,38 10,38" -fill '#5a5a60' -draw "rectangle 8,10 32,14"
item bucket_water -fill '#8a8a90' -draw "polygon 6,10 34,10 30,38 10,38" -fill '#3c78c8' -draw "rectangle 8,10 32,16"
item bottle -fill '#c8e0e8' -draw "rectangle 12,14 28,38" -draw "rectangle 17,4 23,14"
item tonic -fill '#c8e0e8' -draw "rectangle 12,14 28,38" -draw "rectangle 17,4 23,14" -fill '#c83c50' -draw "rectangle 13,20 27,37"

mask herb_mask 40x40
mask herb_bunch_mask 40x40
mask rock_mask 40x40
mask root_mask 40x40
mask seed_mask 40x40
mask bucket_water_mask 40x40
mask bottle_mask 40x40
mask bark_mask 40x40
mask lab_matches_mask 40x40

#!/usr/bin/env bash
# Draws the pictures of the crypt under the cellar and of the full-screen
# magic effects: the crypt itself, its glinting spot and what a touch of it
# shows, the creaking coffin lid, the candle, the cistern and cauldron, the
# altar with its stones and its two lights, the flask with its potions, and
# the five effect pictures. Needs ImageMagick's convert. The outputs are
# small and committed; run this again after changing a picture here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-crypt-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh

mkdir -p content/images/scenes content/images/masks content/images/effects content/anim/crypt

# The effects cover the whole screen in one flat colour, so the scenarios
# can read how far each has blended over the scene.
out=content/images/effects/health.png;  png -size 800x600 xc:'rgb(60,200,120)'
out=content/images/effects/fire.png;    png -size 800x600 xc:'rgb(230,110,30)'
out=content/images/effects/wake_up.png; png -size 800x600 xc:'rgb(250,236,200)'
out=content/images/effects/invisibility.png; png -size 800x600 xc:'rgb(170,190,230)'
out=content/images/effects/rainbow.png; png -size 600x800 \
  gradient:'rgb(240,80,80)-rgb(80,120,240)' -rotate 90

# The crypt: stone walls, the stairs up on the left, a low coffin, the
# cistern on the right with the cauldron before it, the altar's place in
# the middle, and the low door to the laboratory on the right edge.
out=content/images/scenes/crypt.png
png -size 800x600 xc:'#3c3a44' -fill '#24222a' -draw "polygon 0,600 0,440 800,440 800,600" \
  -fill '#2a2830' -draw "rectangle 20,150 100,420" -fill '#4a4852' \
  -draw "rectangle 20,390 100,420" -draw "rectangle 30,340 100,370" -draw "rectangle 40,290 100,320" \
  -fill '#5a5060' -draw "rectangle 650,250 750,400" -fill '#2a4a6a' -draw "ellipse 700,255 50,12 0,360" \
  -fill '#1a1a1e' -draw "ellipse 580,420 40,22 0,360" \
  -fill '#2a2830' -draw "rectangle 760,150 800,420" -fill '#6a5a40' -draw "rectangle 766,160 800,420"
# The cellar's door down to the crypt is drawn with the cellar.
mask content/images/masks/cellar_crypt.png 80x200
mask content/images/masks/crypt_stairs.png 80x270
mask content/images/masks/sparkle_mask.png 40x40
# A mask is found by its file name: these two are named for the rules.
out=content/images/masks/cistern; png -size 100x150 xc:'#ffffff'
out=content/images/masks/cauldron; png -size 80x44 xc:'#ffffff'

# The glinting spot, and its touch: nothing, then a bright star.
out=content/anim/crypt/sparkle.png
png -size 40x40 xc:none -fill '#e8e0b0' -draw "polygon 20,4 24,16 36,20 24,24 20,36 16,24 4,20 16,16"
frame -size 60x60 xc:none
frame -size 60x60 xc:none -fill 'rgb(255,250,160)' -draw "polygon 30,0 38,22 60,30 38,38 30,60 22,38 0,30 22,22"
sheet content/anim/crypt/sparkle_hit.png

# The coffin's lid: shut, lifting, open.
lid() {  # lid TOP_Y
  frame -size 160x80 xc:none -fill '#4a3626' -draw "rectangle 0,40 159,79" \
    -fill '#6a4e36' -draw "polygon 0,40 159,40 150,$1 10,$1"
}
lid 30
lid 12
lid 0
sheet content/anim/crypt/creak.png

# The candle of the particle item: two flames that take turns.
frame -size 20x50 xc:none -fill '#e8e0d0' -draw "rectangle 6,20 14,49" -fill '#ffc040' -draw "ellipse 10,12 4,8 0,360"
frame -size 20x50 xc:none -fill '#e8e0d0' -draw "rectangle 6,20 14,49" -fill '#ffd860' -draw "ellipse 10,10 5,10 0,360"
sheet content/anim/crypt/candle.png

# The fire the fire magic puts into the hand: a flame.
out=content/anim/crypt/fire.png
png -size 30x40 xc:none -fill '#ff7a20' -draw "ellipse 15,24 11,15 0,360" -fill '#ffd860' -draw "ellipse 15,28 5,9 0,360"

# The flask: empty, then with water, bad water, the health potion and its
# finished form, the strength potion and its finished form.
flask() {  # flask LIQUID
  frame -size 30x40 xc:none -fill "$1" -draw "ellipse 15,28 11,11 0,360" \
    -fill none -stroke '#d8e8f0' -strokewidth 2 -draw "ellipse 15,28 12,11 0,360" -draw "rectangle 11,2 19,17"
}
flask none
flask '#3a7ad8'
flask '#6a7a3a'
flask '#d87aa8'
flask '#e02a4a'
flask '#e88a2a'
flask '#f0c830'
sheet content/anim/crypt/flask.png
mask content/images/masks/flask_mask.png 30x40

# The altar: bare, with its four sockets aglow once complete, and opened
# onto its hole once set off. The stones that fill the sockets, the gem
# that sets it off, the two lights that rise over it and the glow that
# fades in and out as it opens.
altar() {  # altar SOCKET TOP
  frame -size 140x180 xc:none -fill '#6a6470' -draw "rectangle 10,60 129,179" -fill '#7a7480' \
    -draw "rectangle 0,40 139,70" -fill "$1" -draw "circle 30,90 30,100" -draw "circle 110,90 110,100" \
    -draw "circle 30,150 30,160" -draw "circle 110,150 110,160" -fill "$2" -draw "rectangle 40,45 99,65"
}
altar '#2a2830' '#7a7480'
altar '#a0e0ff' '#7a7480'
altar '#a0e0ff' '#0a0810'
sheet content/anim/crypt/altar.png
mask content/images/masks/altar_mask.png 140x180
out=content/anim/crypt/stone.png
png -size 30x30 xc:none -fill '#8ab0c8' -draw "circle 15,15 15,2" -fill '#c8e0f0' -draw "circle 11,10 11,13"
for i in 0 1 2 3; do mask content/images/masks/stone${i}_mask.png 30x30; done
mask content/images/masks/gem_mask.png 40x40
out=content/images/effects/altar_light1.png
png -size 140x160 xc:none -fill 'rgba(160,220,255,0.6)' -draw "polygon 50,160 90,160 80,0 60,0"
out=content/images/effects/altar_light2.png
png -size 140x160 xc:none -fill 'rgba(200,240,255,0.8)' -draw "polygon 20,160 120,160 90,0 50,0"
out=content/images/effects/altar_glow.png
png -size 200x200 radial-gradient:'rgba(220,240,255,0.9)'-'rgba(220,240,255,0)'

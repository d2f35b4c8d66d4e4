#!/usr/bin/env bash
# Draws the pictures of the bundled house "home": the menu's entry slides,
# the scene backgrounds, the items, and the masks that make parts of a scene
# clickable (opaque where a click counts). Needs ImageMagick's convert. The
# outputs are small and committed; run this again after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-demo-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
font=DejaVu-Serif

mkdir -p content/images/slides content/images/scenes content/images/masks content/images/ui content/anim/items

# Entry slides: the road to the house, then its door.
out=content/images/slides/slide1.png
png -size 800x600 gradient:'#1b2a44'-'#3d2a3a' -fill '#0e1622' -draw "polygon 0,600 0,430 260,380 520,420 800,360 800,600" \
  -fill '#f3e2a8' -draw "circle 640,120 640,150" -font $font -pointsize 30 -fill '#e8ce96' \
  -gravity south -annotate +0+60 'An old house waits on the hill.'
out=content/images/slides/slide2.png
png -size 800x600 xc:'#2a1c14' -fill '#5a3b22' -draw "rectangle 300,120 500,600" -fill '#c99a4b' -draw "circle 470,380 470,390" \
  -font $font -pointsize 30 -fill '#e8ce96' -gravity south -annotate +0+60 'The door is not locked.'

# Scenes. The living room in the dark and lit; the hall; the attic with its
# skylight.
room() {  # room OUT WALL FLOOR
  out=$1
  png -size 800x600 xc:"$2" -fill "$3" -draw "polygon 0,600 0,440 800,440 800,600"
}
room content/images/scenes/living_room_dark.png '#1d1a22' '#15110f'
convert content/images/scenes/living_room_dark.png \
  -fill '#3a2a1c' -draw "rectangle 620,150 720,420" -fill '#6a6a70' -draw "rectangle 100,220 130,260" \
  -fill '#0c0907' -draw "rectangle 120,470 240,550" \
  -fill '#2a2018' -draw "rectangle 430,300 520,306" -fill '#3a1616' -draw "rectangle 445,274 505,299" \
  -depth 8 -strip -define png:color-type=6 content/images/scenes/living_room_dark.png
room content/images/scenes/living_room_lit.png '#8a6a48' '#4a3322'
convert content/images/scenes/living_room_lit.png \
  -fill '#6b4a2b' -draw "rectangle 620,150 720,420" -fill '#e0e0e8' -draw "rectangle 100,220 130,260" \
  -fill '#fff3c0' -draw "circle 400,80 400,110" -fill '#5a3a28' -draw "rectangle 250,380 420,440" \
  -fill '#3a2616' -draw "rectangle 120,470 240,550" -stroke '#6b4a2b' -strokewidth 3 -draw "line 120,510 240,510" \
  -fill '#b08a50' -stroke none -draw "circle 180,490 180,496" \
  -fill '#5a3a22' -draw "rectangle 430,300 520,306" -fill '#7a2424' -draw "rectangle 445,274 505,299" \
  -fill '#d9b77a' -draw "rectangle 449,278 501,281" -draw "rectangle 449,292 501,295" \
  -depth 8 -strip -define png:color-type=6 content/images/scenes/living_room_lit.png
room content/images/scenes/hall.png '#4a5a52' '#2b2a26'
convert content/images/scenes/hall.png \
  -fill '#6b4a2b' -draw "rectangle 60,150 160,420" -fill '#3b2f28' -draw "polygon 500,400 700,100 700,400" \
  -fill '#5a3f26' -draw "rectangle 230,170 310,420" -fill '#c99a4b' -draw "circle 296,300 296,305" \
  -fill '#4a3422' -draw "rectangle 715,170 785,400" -fill '#c99a4b' -draw "circle 775,290 775,295" \
  -depth 8 -strip -define png:color-type=6 content/images/scenes/hall.png
room content/images/scenes/attic.png '#5a4630' '#3c2c1c'
convert content/images/scenes/attic.png \
  -fill '#2a1f14' -draw "polygon 0,0 400,0 0,300" -fill '#2a1f14' -draw "polygon 800,0 400,0 800,300" \
  -fill '#1a120c' -draw "rectangle 350,520 450,590" \
  -fill '#1a2440' -stroke '#6b4a2b' -strokewidth 4 -draw "rectangle 42,32 128,88" -draw "line 85,32 85,88" \
  -fill '#f3e2a8' -stroke none -draw "circle 105,50 105,56" \
  -depth 8 -strip -define png:color-type=6 content/images/scenes/attic.png

# Masks of the passages and the switch: opaque over the whole region.
mask() {  # mask OUT WxH
  out=$1
  png -size "$2" xc:'#ffffff'
}
mask content/images/masks/living_room_door.png 100x270
mask content/images/masks/living_room_switch.png 30x40
# The quest book on its shelf in the living room.
mask content/images/masks/living_room_book.png 70x36
mask content/images/masks/hall_door.png 100x270
mask content/images/masks/hall_stairs.png 200x300
mask content/images/masks/attic_hatch.png 100x70
mask content/images/masks/hall_workshop_door.png 70x230

# Items, 40 by 40 each, and their masks: opaque where the item is.
item() {  # item NAME DRAW...
  local name=$1
  shift
  out=content/anim/items/$name.png
  png -size 40x40 xc:none "$@"
  out=content/images/masks/${name}_mask.png
  png content/anim/items/$name.png -alpha extract -threshold 0 -background white -alpha shape
}
item lamp -fill '#c99a4b' -draw "rectangle 12,30 28,38" -fill '#f3e2a8' -draw "ellipse 20,18 9,13 0,360"
item coin -fill '#d8b040' -draw "circle 20,20 20,34" -fill '#a88020' -draw "circle 20,20 20,28"
item key -fill '#b0a080' -draw "circle 10,20 10,28" -draw "rectangle 16,18 38,22" -draw "rectangle 30,22 34,30"
item feather -fill '#e8e8f0' -draw "ellipse 20,20 6,18 30,360" -stroke '#a0a0b0' -draw "line 8,36 30,4"
item ring -fill none -stroke '#e0c050' -strokewidth 5 -draw "circle 20,20 20,32"
item shell -fill '#f0c8b0' -draw "polygon 4,34 20,4 36,34" -fill '#d09880' -draw "polygon 12,34 20,14 28,34"

# The popup and the menus' dialog.
out=content/images/ui/popup.png
png -size 240x44 xc:none -fill '#1e2a38e0' -stroke '#d9b77a' -strokewidth 2 -draw "roundrectangle 1,1 238,42 10,10"
out=content/images/ui/dialog.png
png -size 320x260 xc:none -fill '#1e2a38f0' -stroke '#d9b77a' -strokewidth 2 -draw "roundrectangle 1,1 318,258 14,14"

# The study off the hall: a desk to put things on, the door back, an arch
# into the gallery, a low door into the nursery, and a window onto the garden. The desk's drop
# zone is opaque over the part of the desk top where an item may stand.
mkdir -p content/images/zones content/images/rooms
room content/images/scenes/study.png '#5a4a3a' '#3a2a1e'
convert content/images/scenes/study.png \
  -fill '#6b4a2b' -draw "rectangle 40,150 140,420" -fill '#c99a4b' -draw "circle 126,300 126,305" \
  -fill '#2a2030' -draw "rectangle 160,170 230,420" -draw "ellipse 195,170 35,30 180,360" \
  -fill '#1b2a44' -draw "rectangle 590,120 730,300" -stroke '#3a2616' -strokewidth 6 -fill none \
  -draw "rectangle 590,120 730,300" -draw "line 660,120 660,300" -draw "line 590,210 730,210" -stroke none \
  -fill '#7a5634' -draw "rectangle 240,400 560,416" -fill '#5a3a22' -draw "rectangle 256,416 272,520" \
  -draw "rectangle 528,416 544,520" \
  -fill '#5a3f26' -draw "rectangle 450,150 520,350" -fill '#c99a4b' -draw "circle 508,260 508,264" \
  -depth 8 -strip -define png:color-type=6 content/images/scenes/study.png
out=content/images/zones/study_desk.png
png -size 300x48 xc:'#ffffff'
mask content/images/masks/hall_study_door.png 80x250
mask content/images/masks/study_door.png 100x270
mask content/images/masks/study_window.png 140x180
mask content/images/masks/study_gallery_door.png 70x250
mask content/images/masks/study_nursery_door.png 70x200

# The garden, seen three times as the evening falls: the study shows it
# fading from dusk to night the first time. The gate leads back in; the path
# on the right goes down to the pond (garden_pond_path.png at 560, 430; 240
# by 70).
garden() {  # garden OUT SKY_TOP SKY_BOTTOM GROUND MOON
  out=$1
  png -size 800x600 gradient:"$2"-"$3" -fill "$4" -draw "polygon 0,600 0,430 300,400 560,420 800,390 800,600" \
    -fill "$5" -draw "circle 620,110 620,140" -fill '#100c0a' -draw "rectangle 150,250 170,430" \
    -draw "circle 160,230 160,290" -fill '#2a1c14' -draw "rectangle 340,330 460,520" \
    -stroke '#5a3b22' -strokewidth 4 -draw "line 340,360 460,360" -draw "line 340,480 460,480" \
    -draw "line 370,330 370,520" -draw "line 400,330 400,520" -draw "line 430,330 430,520" \
    -stroke none -fill '#6a5440' -draw "polygon 560,500 610,440 800,428 800,500" \
    "${tavern[@]}" "${herb_arch[@]}"
}
# The arch of the herb garden on the left, a hedge with a way through, where
# herb_garden_path.png lies (10, 330; 100 by 170).
herb_arch=(-fill '#2e5a24' -draw "rectangle 10,360 30,500" -draw "rectangle 90,360 110,500"
  -draw "ellipse 60,362 50,34 180,360" -fill '#6a5440' -draw "polygon 30,500 40,440 80,440 90,500")
# The tavern over the lane on the right: a low house under its roof, two lit
# windows, a sign with a mug, and its door, where garden_tavern_door.png
# lies (620, 330; 60 by 90).
tavern=(-fill '#3a2a1e' -draw "rectangle 540,260 760,420" -fill '#5a2a1a' -draw "polygon 525,262 650,195 775,262"
  -fill '#f0c060' -draw "rectangle 560,300 600,340" -draw "rectangle 700,300 740,340"
  -fill '#6a4424' -draw "rectangle 620,330 680,420" -fill '#f0c060' -draw "rectangle 632,342 668,376"
  -fill '#c9a24b' -draw "circle 672,380 672,384" -stroke '#c9a24b' -strokewidth 2 -draw "line 600,268 600,280"
  -draw "line 640,268 640,280" -stroke none -fill '#8a5a2a' -draw "rectangle 590,280 650,316"
  -fill '#f0e0b0' -draw "rectangle 608,287 626,309" -draw "rectangle 626,292 633,302")
garden content/images/scenes/garden_dusk.png '#e0905a' '#f4d08a' '#3c5a2c' '#f8e8b0'
garden content/images/scenes/garden_evening.png '#5a3a6a' '#c0706a' '#2a4020' '#f0e0b0'
garden content/images/scenes/garden_night.png '#0a0e22' '#26304e' '#141e12' '#f3e2a8'
mask content/images/masks/garden_gate.png 120x190
mask content/images/masks/garden_pond_path.png 240x70
mask content/images/masks/garden_tavern_door.png 60x90

# The cellar under the living room: dark unless something is held up to
# light it. The ladder leads back up, the low door on the right down to the
# crypt.
room content/images/scenes/cellar.png '#8a7660' '#5a4836'
convert content/images/scenes/cellar.png \
  -fill '#8a5a2a' -draw "ellipse 200,380 60,80 0,360" -draw "ellipse 600,390 60,70 0,360" \
  -fill '#3a2a1c' -draw "rectangle 690,130 770,330" \
  -stroke '#3a2616' -strokewidth 4 -draw "line 140,340 260,340" -draw "line 140,420 260,420" \
  -draw "line 540,360 660,360" -draw "line 540,420 660,420" \
  -stroke '#8a6a44' -strokewidth 6 -draw "line 370,0 370,300" -draw "line 430,0 430,300" \
  -draw "line 370,60 430,60" -draw "line 370,130 430,130" -draw "line 370,200 430,200" -draw "line 370,270 430,270" \
  -depth 8 -strip -define png:color-type=6 content/images/scenes/cellar.png
mask content/images/masks/living_room_trapdoor.png 120x80
mask content/images/masks/cellar_ladder.png 80x300

# The light around a held item in the dark: clear in the middle, black at
# the rim, softly between. Two sizes that take turns make it flicker.
for r in 70 74; do
  out=content/images/rooms/aureole$r.png
  png -size 220x220 xc:black \( -size 220x220 radial-gradient:'#000000'-'#ffffff' \
    -level "$((r - 15))%,$((r + 20))%" \) -alpha off -compose CopyOpacity -composite
done

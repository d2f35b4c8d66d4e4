#!/usr/bin/env bash
# Draws the pictures of the house's gallery and parlour: the rooms, the
# things in them that react (the statue, the guard, the lever, the snake,
# the mouse trap, the chalk spot), the items the player carries there, the
# notes' large pages, and the old man's conversation (panel, figure, speech
# bubbles). Needs ImageMagick's convert. The outputs are small and committed;
# run this again after changing a picture here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-gallery-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh

mkdir -p content/images/scenes content/images/masks content/images/dialog content/anim/items \
  content/anim/gallery content/windows/gamescreen

# The gallery: a long wall with a statue, a portrait and a plaque, a shelf
# to put things on, a low ledge, and doors to the study and the parlour.
out=content/images/scenes/gallery.png
png -size 800x600 xc:'#4a3f52' -fill '#2c2420' -draw "polygon 0,600 0,440 800,440 800,600" \
  -fill '#5a3f26' -draw "rectangle 20,150 100,420" -draw "rectangle 700,150 780,420" \
  -fill '#c99a4b' -draw "circle 88,290 88,295" -draw "circle 712,290 712,295" \
  -fill '#8a8a90' -draw "rectangle 120,380 180,420" -draw "ellipse 150,300 26,80 0,360" \
  -draw "circle 150,220 150,240" \
  -fill '#6b4a2b' -draw "rectangle 430,50 550,140" -fill '#a07850' -draw "rectangle 440,60 540,130" \
  -fill '#e0c8a0' -draw "circle 490,90 490,108" \
  -fill '#3a2a1c' -draw "rectangle 570,50 680,100" \
  -fill '#6b4a2b' -draw "rectangle 555,250 695,258" -draw "rectangle 590,340 700,350"
mask content/images/masks/gallery_door.png 80x270
mask content/images/masks/gallery_parlour_door.png 80x270
mask content/images/masks/statue_mask.png 80x220
mask content/images/masks/guard_mask.png 100x150
mask content/images/masks/spot_mask.png 180x140
mask content/images/masks/portrait_mask.png 120x90
mask content/images/masks/lever_mask.png 40x110
mask content/images/masks/snake_mask.png 80x60
mask content/images/masks/trap_mask.png 60x40
out=content/images/zones/gallery_shelf.png
png -size 140x48 xc:'#ffffff'

# The parlour: a warm room where the old man waits. Its door back to the
# gallery; every other click belongs to the conversation ("all_scene").
out=content/images/scenes/parlour.png
png -size 800x600 xc:'#6a4a3a' -fill '#3a2a20' -draw "polygon 0,600 0,440 800,440 800,600" \
  -fill '#5a3f26' -draw "rectangle 20,150 100,420" -fill '#c99a4b' -draw "circle 88,290 88,295" \
  -fill '#8a3a2a' -draw "rectangle 300,330 520,440" -fill '#a04a3a' -draw "rectangle 300,300 520,340"
mask content/images/masks/parlour_door.png 80x270
# The mask is found by its file name, so that name has no extension.
out=content/images/masks/all_scene
png -size 800x500 xc:'#ffffff'

# The conversation: the panel that slides down, the two speech bubbles, and
# the old man: idle, talking, silent, listening.
out=content/images/dialog/panel.png
png -size 640x200 xc:none -fill '#1e2a38' -stroke '#d9b77a' -strokewidth 4 -draw "rectangle 2,2 637,197"
out=content/windows/gamescreen/back_for_text_up.png
png -size 440x110 xc:none -fill '#f4e8c8' -stroke '#6b4a2b' -strokewidth 2 \
  -draw "roundrectangle 1,1 420,108 14,14" -draw "polygon 420,40 439,55 420,70"
out=content/windows/gamescreen/back_for_text_down.png
png -size 440x110 xc:none -fill '#f4e8c8' -stroke '#6b4a2b' -strokewidth 2 \
  -draw "roundrectangle 1,12 438,108 14,14" -draw "polygon 200,12 220,0 240,12"
figure() {  # figure MOUTH EYES
  frame -size 100x160 xc:none -fill '#5a4a7a' -draw "polygon 10,160 30,70 70,70 90,160" \
    -fill '#e8c8a8' -draw "circle 50,45 50,75" -fill '#e8e8f0' -draw "ellipse 50,70 22,12 0,180" \
    -fill '#2a1c14' -draw "$2" -fill '#6a2a20' -draw "$1"
}
figure "rectangle 44,58 56,60" "circle 42,42 42,45 circle 58,42 58,45"
figure "ellipse 50,60 6,5 0,360" "circle 42,42 42,45 circle 58,42 58,45"
figure "rectangle 44,59 56,60" "rectangle 38,44 46,45 rectangle 54,44 62,45"
figure "rectangle 44,58 56,60" "circle 40,42 40,45 circle 56,42 56,45"
sheet content/anim/gallery/old_man.png

# The guard: standing, looking (three frames), biting (three), bitten.
guard() {  # guard HEAD_X JAW
  frame -size 100x150 xc:none -fill '#3a6a3a' -draw "ellipse 50,100 30,40 0,360" \
    -draw "rectangle 30,130 40,150 rectangle 60,130 70,150" -draw "circle $1,45 $1,70" \
    -fill '#f0e060' -draw "circle $(($1 + 8)),38 $(($1 + 8)),42" -fill '#1a2a1a' -draw "$2"
}
guard 50 "rectangle 40,55 60,57"
guard 44 "rectangle 34,55 54,57"
guard 38 "rectangle 28,55 48,57"
guard 44 "rectangle 34,55 54,57"
guard 50 "rectangle 40,52 60,60"
guard 50 "rectangle 36,48 64,66"
guard 50 "rectangle 40,52 60,60"
guard 50 "rectangle 40,56 60,57"
sheet content/anim/gallery/guard.png

# The lever: down, half way, up.
lever() {  # lever X Y: where the knob is
  frame -size 40x110 xc:none -fill '#5a5a60' -draw "rectangle 8,90 32,110" -stroke '#c0c0c8' -strokewidth 5 \
    -draw "line 20,95 $1,$2" -stroke none -fill '#c04030' -draw "circle $1,$2 $1,$(($2 + 5))"
}
lever 34 70
lever 20 40
lever 6 12
sheet content/anim/gallery/lever.png

# The snake: coiled, then a strike of four frames.
snake() {  # snake HEAD_X HEAD_Y
  frame -size 80x60 xc:none -fill '#6a8a2a' -draw "ellipse 20,45 18,12 0,360" -stroke '#6a8a2a' -strokewidth 7 \
    -draw "line 20,40 $1,$2" -stroke none -draw "circle $1,$2 $(($1 + 6)),$2" -fill '#e03020' \
    -draw "circle $(($1 + 2)),$(($2 - 2)) $(($1 + 3)),$(($2 - 2))"
}
snake 26 24
snake 40 18
snake 58 14
snake 70 20
snake 46 22
sheet content/anim/gallery/snake.png

# The mouse trap's place: nothing, the trap set, a mouse caught, the trap
# sprung and empty.
trapframe() {  # trapframe DRAW...
  frame -size 60x40 xc:none -fill '#3a2c22' -draw "ellipse 30,34 28,5 0,360" "$@"
}
trapbox=(-fill '#b08a5a' -draw "rectangle 10,20 50,34")
trapframe
trapframe "${trapbox[@]}" -fill '#e0d040' -draw "circle 30,16 30,19"
trapframe "${trapbox[@]}" -fill '#808088' -draw "ellipse 32,16 12,7 0,360"
trapframe "${trapbox[@]}" -stroke '#c0c0c8' -draw "line 12,22 48,22"
sheet content/anim/gallery/trap.png

out=content/anim/gallery/chalk_mark.png
png -size 24x24 xc:none -stroke '#f8f8f8' -strokewidth 4 -draw "line 3,3 21,21" -draw "line 21,3 3,21"

# Items, 40 by 40, with their masks where they lie in the gallery.
item() {  # item NAME DRAW...
  local name=$1
  shift
  out=content/anim/items/$name.png
  png -size 40x40 xc:none "$@"
}
itemmask() {
  out=content/images/masks/${1}_mask.png
  png content/anim/items/$1.png -alpha extract -threshold 0 -background white -alpha shape
}
item token -fill '#b0b8c0' -draw "circle 20,20 20,34" -fill '#7a8088' -draw "rectangle 14,18 26,22"
item flower -stroke '#3a7a2a' -strokewidth 3 -draw "line 20,38 20,18" -stroke none -fill '#e05a8a' \
  -draw "circle 14,14 14,20" -draw "circle 26,14 26,20" -draw "circle 20,8 20,14" -draw "circle 20,18 20,24" \
  -fill '#f8e060' -draw "circle 20,14 20,17"
item dagger -fill '#c0c0c8' -draw "polygon 20,2 25,26 15,26" -fill '#6b4a2b' -draw "rectangle 10,26 30,30" \
  -draw "rectangle 17,30 23,38"
item chalk -fill '#f4f4f0' -draw "rectangle 8,16 32,26" -fill '#d0d0c8' -draw "rectangle 8,16 12,26"
item trap_ready -fill '#b08a5a' -draw "rectangle 4,18 36,34" -stroke '#c0c0c8' -strokewidth 2 -draw "line 6,18 34,18" \
  -stroke none -fill '#e0d040' -draw "circle 20,14 20,17"
item trap_empty -fill '#b08a5a' -draw "rectangle 4,18 36,34" -stroke '#c0c0c8' -strokewidth 2 -draw "line 6,20 34,20"
item whisker -stroke '#303030' -strokewidth 2 -fill none -draw "bezier 4,30 14,10 26,30 36,10"
item claw -fill '#e8e0c8' -draw "polygon 6,36 14,4 30,30 18,28"
item ticket -fill '#e8c86a' -draw "rectangle 2,10 38,30" -fill '#a07820' -draw "rectangle 8,16 32,18" \
  -draw "rectangle 8,22 26,24"
item candle -fill '#f0ead8' -draw "rectangle 15,14 25,38" -fill '#f8c040' -draw "ellipse 20,8 4,7 0,360"
item cup -fill '#d0d8e8' -draw "polygon 8,10 32,10 28,36 12,36" -fill none -stroke '#d0d8e8' -strokewidth 3 \
  -draw "ellipse 33,22 5,7 270,90"
item letter -fill '#f4e8c8' -draw "rectangle 4,8 36,32" -stroke '#8a6a40' -draw "line 4,8 20,22" -draw "line 36,8 20,22"
item tablet -fill '#9a9a90' -draw "roundrectangle 6,2 34,38 6,6" -fill '#5a5a54' -draw "rectangle 12,12 28,14" \
  -draw "rectangle 12,20 28,22"
for name in token flower dagger chalk trap_ready letter tablet candle cup; do itemmask "$name"; done
mv content/images/masks/candle_mask.png content/images/masks/candle_flag_mask.png

# The notes read large: the letter's page, and the tablet, which glows into
# sight the first time.
out=content/anim/items/letter_large.png
png -size 300x200 xc:'#f4e8c8' -stroke '#8a6a40' -strokewidth 3 -fill none -draw "rectangle 1,1 298,198"
for a in 0.3 0.6 1.0; do
  frame -size 260x180 xc:none -fill "rgba(154,154,144,$a)" -draw "roundrectangle 0,0 259,179 24,24"
done
sheet content/anim/items/tablet_large.png

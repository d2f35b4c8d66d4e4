#!/usr/bin/env bash
# Draws the tower off the yard and its two games, and makes their sounds:
# the tower with its doors to the tag puzzle and the mirrors board, the
# puzzle's tiles, symbols, highlight and note, the mirrors board, marker and
# win picture, the tower's items (the plan, the key, the sun disc and the
# mirror), and the games' sounds at the paths the games load (WAV data under
# their names). Needs ImageMagick's convert and sox. The outputs are small
# and committed; run this again after changing a picture or a sound here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-tower-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh
source scripts/sound-kit.sh

tag=content/anim/minigames/tag
mirrors=content/anim/minigames/mirrors
mkdir -p content/images/scenes content/images/masks content/anim/items $tag $mirrors \
  content/audio/sfx/minigames/tags content/audio/sfx/game/items

# The tower: a round stone room, the puzzle's door on the left, the mirrors'
# stair on the right, the way back to the yard at the bottom left.
out=content/images/scenes/tower.png
png -size 800x600 xc:'#5a5660' -fill '#3e3a44' -draw "polygon 0,600 0,430 800,430 800,600" \
  -fill '#2a2630' -draw "rectangle 120,150 260,420" -fill '#8a7a50' -draw "rectangle 135,170 245,400" \
  -fill '#2a2630' -draw "rectangle 540,120 700,420" -fill '#a0b8d0' -draw "ellipse 620,230 50,70 0,360" \
  -fill '#2a2630' -draw "rectangle 10,300 70,440"
mask content/images/masks/tower_tag.png 140x270
mask content/images/masks/tower_mirrors.png 160x300
mask content/images/masks/tower_exit.png 60x140
mask content/images/masks/yard_tower.png 80x120
mask content/images/masks/tower_plan_mask.png 40x40

# The games' backgrounds.
out=content/images/scenes/tower_tag.png
png -size 800x600 xc:'#3a3440' -fill '#24202a' -draw "rectangle 230,130 570,470"
out=content/images/scenes/tower_mirrors.png
png -size 800x600 gradient:'#202840'-'#505a70'

# The games once won are quiet rooms with the door back to the tower on
# the left, where tower_exit.png lies (10, 300; 60 by 140): a lit frame, the
# dark way through and an arrow pointing out.
door=(-fill '#8a7a50' -draw "rectangle 6,296 73,443" -fill '#14121a' -draw "rectangle 12,302 67,440"
  -fill '#e8dcb8' -draw "polygon 20,370 40,350 40,362 60,362 60,378 40,378 40,390")
# The tiles solved: each home, its arrow upright, the last cell empty.
solved=()
colours=('#8a7a6a' '#6a7a8a' '#7a8a6a' '#8a6a7a')
for n in 0 1 2 3 4 5 6 7; do
  x=$((253 + 100 * (n % 3))) y=$((153 + 100 * (n / 3)))
  solved+=(-fill "${colours[$((n % 4))]}" -draw "roundrectangle $x,$y $((x + 93)),$((y + 93)) 10,10"
    -fill '#f0e8d0' -draw "polygon $((x + 47)),$((y + 18)) $((x + 61)),$((y + 38)) $((x + 51)),$((y + 38)) $((x + 51)),$((y + 60)) $((x + 43)),$((y + 60)) $((x + 43)),$((y + 38)) $((x + 33)),$((y + 38))")
done
out=content/images/scenes/tower_tag_won.png
png -size 800x600 xc:'#3a3440' -fill '#24202a' -draw "rectangle 230,130 570,470" "${solved[@]}" "${door[@]}"
# The sun risen over the place of the board.
out=content/images/scenes/tower_mirrors_won.png
png -size 800x600 gradient:'#405078'-'#a0a8b8' -fill '#ffd040' -draw "circle 400,200 400,320" \
  -fill '#ffe890' -draw "circle 400,200 400,270" "${door[@]}"

# The tiles, 100 by 100 around their centre: four stone faces and the
# empty cell; the highlight is a bright frame over a tile.
tile() {  # tile COLOUR
  frame -size 100x100 xc:none -fill "$1" -draw "roundrectangle 3,3 96,96 10,10" \
    -fill none -stroke '#1a1820' -strokewidth 3 -draw "roundrectangle 3,3 96,96 10,10"
}
tile '#8a7a6a'
tile '#6a7a8a'
tile '#7a8a6a'
tile '#8a6a7a'
frame -size 100x100 xc:none -fill '#14121a' -draw "rectangle 4,4 95,95"
sheet $tag/tiles.png
frame -size 100x100 xc:none
frame -size 100x100 xc:none -fill none -stroke '#f0e080' -strokewidth 4 -draw "rectangle 2,2 97,97"
sheet $tag/hilight.png

# The symbols, 60 by 60: an arrow pointing up, so a turn shows, and as many
# dots as the symbol's number.
for n in 1 2 3 4 5 6 7 8 9; do
  dots=""
  for ((i = 0; i < n; i++)); do
    x=$((12 + (i % 5) * 9)); y=$((42 + (i / 5) * 9))
    dots="$dots circle $x,$y $((x + 3)),$y"
  done
  frame -size 60x60 xc:none -fill '#f0e8d0' -draw "polygon 30,4 44,24 34,24 34,36 26,36 26,24 16,24" \
    -draw "$dots"
done
sheet $tag/symbols.png

# The note read during the puzzle: the plan of the tower's tiles.
out=$tag/note.png
png -size 220x160 xc:'#e8dcb8' -fill none -stroke '#6a5030' -strokewidth 2 \
  -draw "rectangle 40,20 180,140" -draw "line 86,20 86,140" -draw "line 133,20 133,140" \
  -draw "line 40,60 180,60" -draw "line 40,100 180,100"

# The mirrors board, the marker (its frame, a laid mirror, the mirror's
# glint, and the highlight) and the win picture: a sun that grows.
# The board shows the places of the markers (whose own pictures show only
# with a mirror on them): gold rings where a mirror is needed, grey ones
# elsewhere, at the markers of tower_mirrors.xml less the board's (124, 17).
sockets=()
socket() {  # socket X Y COLOUR: a ring around the 60 by 60 marker at X, Y
  sockets+=(-fill '#2a2018' -stroke "$3" -strokewidth 3 -draw "ellipse $(($1 + 30)),$(($2 + 30)) 28,28 0,360")
}
socket 126 183 '#d0a840'
socket 276 133 '#d0a840'
socket 426 183 '#d0a840'
socket 176 333 '#8a8070'
socket 376 333 '#8a8070'
out=$mirrors/board.png
png -size 552x420 xc:none -fill '#3a3028' -draw "roundrectangle 0,0 551,419 20,20" \
  -fill '#5a4a3a' -draw "roundrectangle 12,12 539,407 14,14" "${sockets[@]}"
frame -size 60x60 xc:none -fill '#c0d8f0' -draw "ellipse 30,30 26,26 0,360" \
  -fill none -stroke '#e0c060' -strokewidth 3 -draw "ellipse 30,30 27,27 0,360"
frame -size 60x60 xc:none -fill '#f0f8ff' -draw "ellipse 30,30 26,26 0,360" \
  -fill none -stroke '#e0c060' -strokewidth 3 -draw "ellipse 30,30 27,27 0,360"
frame -size 60x60 xc:none -fill none -stroke '#fff0a0' -strokewidth 3 -draw "rectangle 1,1 58,58"
sheet $mirrors/marker.png
for r in 20 40 60 80 100 120; do
  frame -size 260x260 xc:none -fill '#ffd040' -draw "circle 130,130 $((130 + r)),130"
done
sheet $mirrors/win.png

# The items: the tower's plan, the key and the sun disc the games give, and
# the mirror.
out=content/anim/items/tower_plan.png
png -size 40x40 xc:none -fill '#e8dcb8' -draw "rectangle 4,6 35,33" -fill none -stroke '#6a5030' \
  -draw "line 14,6 14,33" -draw "line 24,6 24,33" -draw "line 4,19 35,19"
out=content/anim/items/tower_key.png
png -size 40x40 xc:none -fill '#b0a090' -draw "circle 12,20 18,20" -draw "rectangle 16,18 36,22" \
  -draw "rectangle 30,22 33,28"
out=content/anim/items/sun_disc.png
png -size 40x40 xc:none -fill '#ffc030' -draw "circle 20,20 34,20" -fill '#ffe080' -draw "circle 20,20 26,20"
out=content/anim/items/mirror.png
png -size 40x40 xc:none -fill '#c0d8f0' -draw "ellipse 20,20 16,16 0,360" \
  -fill none -stroke '#e0c060' -strokewidth 3 -draw "ellipse 20,20 17,17 0,360"

# The sounds: WAV data under the names the games load.
tone content/audio/sfx/minigames/tags/stone_rotate.ogg 0.15 brownnoise
tone content/audio/sfx/minigames/tags/stone_turn.ogg 0.3 sine 180:120
tone content/audio/sfx/minigames/tags/composition_done.ogg 0.3 sine 660:990
tone content/audio/sfx/game/items/item_take.ogg 0.12 sine 900
tone content/audio/sfx/game/items/item_drop.ogg 0.15 sine 340:220

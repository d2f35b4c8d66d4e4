#!/usr/bin/env bash
# Draws the tavern and its two games: the tavern room, the card table (and
# the table once won) and its cards (a back and three faces, side by side),
# the shooting range with
# its bottles, lamp, wall, holes, sight, gun, bullet and score icons and the
# haze that swells over it, the range once won, and the prizes. Needs
# ImageMagick's convert. The outputs are small and committed; run this again
# after changing a picture here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-tavern-art.sh: needs ImageMagick's convert" >&2; exit 1; }
. scripts/art-kit.sh

cards=content/anim/minigames/cards
shooter=content/anim/minigames/shooter
mkdir -p content/images/scenes content/images/masks content/anim/items content/images/minigames "$cards" "$shooter"

# The tavern: the card table on the left, the door to the range on the right,
# the street door to the garden between them.
out=content/images/scenes/tavern.png
png -size 800x600 xc:'#5a3a22' -fill '#3a2414' -draw "polygon 0,600 0,430 800,430 800,600" \
  -fill '#2e6a3a' -draw "ellipse 220,400 150,60 0,360" -fill '#6b4a2b' -draw "rectangle 210,440 230,520" \
  -fill '#2a1a0e' -draw "rectangle 600,150 720,420" -fill '#c9a24b' -draw "circle 700,290 700,296" \
  -fill '#8a6a44' -draw "rectangle 434,162 536,420" -fill '#141a30' -draw "rectangle 444,172 526,420" \
  -fill '#e8e0b0' -draw "circle 500,200 500,203" -draw "circle 462,236 462,238" -fill '#1a2818' \
  -draw "polygon 444,420 444,370 526,355 526,420" -fill '#c9a24b' -draw "circle 456,300 456,306"
# The street door in the middle, open on the night garden: tavern_street_door.png
# lies there (440, 170; 90 by 250).
mask content/images/masks/tavern_street_door.png 90x250
mask content/images/masks/tavern_table.png 300x120
mask content/images/masks/tavern_range_door.png 120x270

# The card table seen from above.
out=content/images/scenes/tavern_cards.png
png -size 800x600 xc:'#1e5a2e' -fill '#164822' -draw "rectangle 0,0 800,40" -draw "rectangle 0,560 800,600"
# The table once won: the cards gathered face down, and above the panel a
# wooden arrow pointing back down into the tavern, where
# tavern_cards_exit.png lies (340, 400; 120 by 90).
out=content/images/scenes/tavern_cards_played.png
png -size 800x600 xc:'#1e5a2e' -fill '#164822' -draw "rectangle 0,0 800,40" -draw "rectangle 0,560 800,600" \
  -fill '#4a1010' -draw "rectangle 356,206 456,356" -fill '#7a1e1e' -stroke '#f0d890' -strokewidth 4 \
  -draw "rectangle 350,200 450,350" -draw "line 350,200 450,350" -draw "line 450,200 350,350" \
  -stroke '#3a2414' -strokewidth 3 -fill '#8a6a44' \
  -draw "polygon 370,405 430,405 430,440 452,440 400,486 348,440 370,440"
mask content/images/masks/tavern_cards_exit.png 120x90

# The cards, 100 by 150: the back, then the faces 1, 2 and 3 (as many pips,
# card 1 the red one the player looks for).
face() {  # face FILL PIPS...
  local fill=$1
  shift
  frame -size 100x150 xc:'#f4efe0' -stroke '#222222' -strokewidth 3 -fill none -draw "rectangle 1,1 98,148" \
    -stroke none -fill "$fill" "$@"
}
frame -size 100x150 xc:'#7a1e1e' -stroke '#f0d890' -strokewidth 4 -fill none -draw "rectangle 6,6 93,143" \
  -draw "line 6,6 93,143" -draw "line 93,6 6,143"
face '#c02020' -draw "circle 50,75 50,97"
face '#202020' -draw "circle 50,45 50,60" -draw "circle 50,105 50,120"
face '#202020' -draw "circle 50,35 50,48" -draw "circle 50,75 50,88" -draw "circle 50,115 50,128"
sheet "$cards/cards.png"

# The range: a plaster wall over the upper 450 rows, the counter below.
out=content/images/scenes/range.png
png -size 800x600 xc:'#b8a888' -fill '#a09070' -draw "rectangle 0,0 800,20" \
  -fill '#6b4a2b' -draw "rectangle 0,450 800,600" -fill '#4a301a' -draw "rectangle 0,450 800,462" \
  -fill '#8a7a5a' -draw "rectangle 120,300 720,312"
# The range once the medal is won: the shelf is empty, a ribbon hangs on it,
# and the door on the left leads back to the tavern.
out=content/images/scenes/range_won.png
png -size 800x600 xc:'#b8a888' -fill '#6b4a2b' -draw "rectangle 0,450 800,600" \
  -fill '#8a7a5a' -draw "rectangle 120,300 720,312" -fill '#2050c0' -draw "rectangle 380,150 420,300" \
  -fill '#2a1a0e' -draw "rectangle 20,150 100,430"
mask content/images/masks/range_exit.png 80x280

# Bottles, 100 by 100: whole, then broken.
frame -size 100x100 xc:none -fill '#2a7a3a' -draw "rectangle 38,30 62,96" -draw "rectangle 45,6 55,30"
frame -size 100x100 xc:none -fill '#2a7a3a' -draw "polygon 38,96 44,70 50,90 56,66 62,96"
sheet "$shooter/bottle.png"
# The lamp on the wall, 60 by 80: lit, then broken.
frame -size 60x80 xc:none -fill '#4a3a2a' -draw "rectangle 26,40 34,80" -fill '#f0d050' -draw "circle 30,24 30,44"
frame -size 60x80 xc:none -fill '#4a3a2a' -draw "rectangle 26,40 34,80" -fill '#6a6a6a' -draw "polygon 14,40 22,20 30,38 40,16 46,40"
sheet "$shooter/lamp.png"
# The wall's mask, opaque over the whole wall; the game draws it nearly clear.
out=$shooter/wall.png
png -size 800x450 xc:'#ffffff'
# A hole, 20 by 20: nothing until placed, then the hole.
frame -size 20x20 xc:none
frame -size 20x20 xc:none -fill '#2a2018' -draw "circle 10,10 10,16" -fill '#000000' -draw "circle 10,10 10,13"
sheet "$shooter/hole.png"
# The sight, 60 by 60.
out=$shooter/sight.png
png -size 60x60 xc:none -fill none -stroke '#e02020' -strokewidth 3 -draw "circle 30,30 30,52" \
  -draw "line 30,0 30,60" -draw "line 0,30 60,30"
# The gun, 120 by 160: at rest, then with its flash.
frame -size 120x160 xc:none -fill '#3a3a3a' -draw "rectangle 50,0 70,110" -fill '#5a3a1a' -draw "rectangle 35,100 85,160"
frame -size 120x160 xc:none -fill '#f0c040' -draw "circle 60,8 60,24" -fill '#3a3a3a' -draw "rectangle 50,0 70,110" \
  -fill '#5a3a1a' -draw "rectangle 35,100 85,160"
sheet "$shooter/gun.png"
# A bullet, 20 by 40: ready, then used.
frame -size 20x40 xc:none -fill '#c8a040' -draw "rectangle 4,12 16,40" -draw "circle 10,12 10,4"
frame -size 20x40 xc:none -fill '#5a5040' -draw "rectangle 4,30 16,40"
sheet "$shooter/bullet.png"
# A score mark, 30 by 30: not yet, hit, missed. The empty ring is light on
# the dark counter, where the marks lie left of the panel's box.
frame -size 30x30 xc:none -fill none -stroke '#e0d0b0' -strokewidth 2 -draw "circle 15,15 15,26"
frame -size 30x30 xc:none -fill '#30a030' -draw "circle 15,15 15,27"
frame -size 30x30 xc:none -fill '#c03030' -draw "circle 15,15 15,27"
sheet "$shooter/score.png"
# The haze of the drink taken before shooting.
out=content/images/minigames/alcohol.png
png -size 400x300 radial-gradient:'#d09030'-'#d0903000'

# The prizes, 40 by 40.
out=content/anim/items/silver_coin.png
png -size 40x40 xc:none -fill '#c8c8d0' -draw "circle 20,20 20,36" -fill '#a0a0a8' -draw "circle 20,20 20,28"
out=content/anim/items/bent_coin.png
png -size 40x40 xc:none -fill '#8a6a3a' -draw "ellipse 20,20 16,10 0,360"
out=content/anim/items/tin_medal.png
png -size 40x40 xc:none -fill '#2050c0' -draw "rectangle 14,0 26,16" -fill '#b0b0b8' -draw "circle 20,26 20,38"

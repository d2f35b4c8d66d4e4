#!/usr/bin/env bash
# Draws the game panel: its backgrounds (one per kind of scene), the book
# mask, the inventory and passage arrows, the buttons of the menu and the
# mini-games, the magic control's selectors, magic buttons and pictures,
# the book button's animation, and the tick of the quest book's pages.
# Needs ImageMagick's convert. The outputs are small and committed; run this
# again after changing a picture here. The panel lies over the bottom 100 rows of the screen; every
# position below is the one content/scripts/game.lua gives.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-panel-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
ui=content/images/ui/panel
mkdir -p "$ui" content/anim/panel content/images/book

# Backgrounds. Fully opaque wherever the panel takes clicks: a click on them
# never reaches the scene. The common strip has a slot under each of the
# five cells (x 256 + 70 i, y 18 within the strip), the magic control's
# frame at the left and the book's niche at the right.
strip() {  # strip OUT BASE EDGE SLOT
  out=$1
  local slots=""
  for i in 0 1 2 3 4; do
    local x=$((256 + 70 * i))
    slots="$slots -draw \"rectangle $((x - 2)),16 $((x + 65)),83\""
  done
  eval png -size 800x100 "xc:'$2'" -fill "'$3'" -draw "'rectangle 0,0 799,3'" \
    -fill "'$4'" -stroke "'$3'" -strokewidth 2 "$slots" \
    -draw "'rectangle 4,8 168,92'" -draw "'rectangle 624,4 702,96'"
}
strip $ui/bg_common.png '#3b2a1e' '#8a6a44' '#2a1d14'
strip $ui/bg_king_cook.png '#5a2a1e' '#c08050' '#3a1a12'
# The tiles' strip (only the tag game shows it) holds no inventory: no slot,
# no magic frame, no book; one niche behind the note, done and exit buttons
# (x 100 to 230).
out=$ui/bg_alchemical.png
png -size 800x100 xc:'#1e3a2a' -fill '#60a070' -draw "rectangle 0,0 799,3" \
  -fill '#12281c' -stroke '#60a070' -strokewidth 2 -draw "roundrectangle 92,12 238,88 8,8"
# Full screen: a box at the right for the exit and book buttons.
out=$ui/bg_full_screen.png
png -size 192x100 xc:'#3b2a1e' -fill '#8a6a44' -draw "rectangle 0,0 191,3" -draw "rectangle 0,0 3,99" \
  -fill '#2a1d14' -stroke '#8a6a44' -strokewidth 2 -draw "rectangle 16,4 94,96"
# Game over: a thin dark band.
out=$ui/bg_gameover.png
png -size 800x24 xc:'#2a0a0a' -fill '#6a2020' -draw "rectangle 0,0 799,2"
# The alchemical device's trim along the strip's top edge.
out=$ui/alchemical_stub.png
png -size 800x6 xc:'#60a070'

# The book mask over the book's niche (626, 505; 76 by 90): red 200 on the
# book's shape, no red around it.
out=$ui/book_mask.png
png -size 76x90 xc:black -fill 'rgb(200,0,0)' -draw "rectangle 10,10 65,79"

# Arrows: live, hovered, and the greyed picture shown while disabled.
arrow() {  # arrow NAME SIZE POLYGON
  local size=$2 poly=$3
  for look in "normal:#d9b77a:#6b4a2b" "hover:#f2d49b:#8a6136" "off:#6a5a4a:#3b2a1e"; do
    IFS=: read -r suffix fill back <<<"$look"
    out=$ui/$1_$suffix.png
    png -size "$size" xc:"$back" -fill "$fill" -draw "polygon $poly"
  done
}
arrow inv_left 18x64 "14,8 4,32 14,56"
arrow inv_right 18x64 "4,8 14,32 4,56"
arrow pass_left 20x20 "15,3 3,10 15,17"
arrow pass_right 20x20 "5,3 17,10 5,17"
arrow pass_top 20x20 "3,15 10,3 17,15"
arrow pass_bottom 20x20 "3,5 10,17 17,5"

# Plain buttons that carry a label, live and hovered, and the greyed
# pictures of done and clear.
face() {  # face NAME SIZE FILL EDGE
  out=$ui/$1.png
  local w=${2%x*} h=${2#*x}
  png -size "$2" xc:none -fill "$3" -stroke "$4" -strokewidth 2 -draw "roundrectangle 1,1 $((w - 2)),$((h - 2)) 6,6"
}
face btn_menu 86x24 '#6b4a2b' '#d9b77a'
face btn_menu_hover 86x24 '#8a6136' '#f2d49b'
face btn_wide 56x40 '#6b4a2b' '#d9b77a'
face btn_wide_hover 56x40 '#8a6136' '#f2d49b'
face btn_wide_off 56x40 '#4a3a2c' '#6a5a4a'
# Note and cook-book buttons: a sheet and a closed book.
out=$ui/note.png
png -size 56x56 xc:none -fill '#e8dcc0' -draw "rectangle 12,6 44,50" -stroke '#8a6a44' -draw "line 18,16 38,16" \
  -draw "line 18,24 38,24" -draw "line 18,32 34,32"
out=$ui/cook_book.png
png -size 56x56 xc:none -fill '#8a2a1e' -draw "rectangle 10,8 46,50" -fill '#e8dcc0' -draw "rectangle 14,12 42,16"
# The globe's buttons of the Vethra world.
out=$ui/globe.png
png -size 54x54 xc:none -fill '#3a6aa0' -draw "circle 27,27 27,50" -fill '#4a8a44' -draw "ellipse 22,24 10,8 0,360"
out=$ui/globe_left.png
png -size 26x26 xc:none -fill '#d9b77a' -draw "circle 13,13 13,24" -fill '#3b2a1e' -draw "polygon 17,6 7,13 17,20"
out=$ui/globe_right.png
png -size 26x26 xc:none -fill '#d9b77a' -draw "circle 13,13 13,24" -fill '#3b2a1e' -draw "polygon 9,6 19,13 9,20"
# The cooking game's progress bar: its back and its front.
out=$ui/bar_back.png
png -size 84x20 xc:'#2a1d14'
out=$ui/bar_front.png
png -size 84x20 xc:'#c08050'
# The book button's click area: its look is its animation.
out=$ui/book_click.png
png -size 76x90 xc:none
# Where the book button would be in the mini-games: a grey book.
out=$ui/inactive_quest.png
png -size 76x90 xc:none -fill '#5a5048' -draw "rectangle 10,10 65,79"

# The magic control: per magic a small selector (26 by 26, and hovered),
# the big magic button's live face and its filling picture (64 by 64), and
# the greyed picture that stays behind the button.
magic() {  # magic ID COLOUR
  out=$ui/small_$1.png
  png -size 26x26 xc:none -fill "$2" -stroke '#d9b77a' -draw "circle 13,13 13,24"
  out=$ui/small_$1_hover.png
  png -size 26x26 xc:none -fill "$2" -stroke '#fff0c0' -strokewidth 2 -draw "circle 13,13 13,24"
  out=$ui/magic_$1.png
  png -size 64x64 xc:none -fill "$2" -stroke '#d9b77a' -strokewidth 2 -draw "circle 32,32 32,60" \
    -fill none -stroke '#fff0c0' -draw "circle 32,32 32,44"
  out=$ui/magic_$1_hover.png
  png -size 64x64 xc:none -fill "$2" -stroke '#fff0c0' -strokewidth 3 -draw "circle 32,32 32,60" \
    -fill none -draw "circle 32,32 32,44"
  out=$ui/magic_$1_fill.png
  png -size 64x64 xc:none -fill "$2" -draw "circle 32,32 32,60"
  out=$ui/magic_$1_grey.png
  png -size 64x64 xc:none -fill '#4a4440' -stroke '#6a5a4a' -strokewidth 2 -draw "circle 32,32 32,60"
}
magic fire '#e0502a'
magic health '#4ac060'
magic invisibility '#a0a8d8'
magic rainbow '#e0c040'
magic through_space '#4a70e0'
magic through_time '#b060d0'

# The book button, 76 by 90 a frame: "0" shut to "11" open (the cover lifts
# and narrows over the pages), then three frames of the task mark (green)
# and three of the mission mark (gold).
frames=()
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for k in $(seq 0 11); do
  cover=$((55 - 4 * k))
  out=$tmp/f$k.png
  png -size 76x90 xc:none -fill '#e8dcc0' -draw "rectangle 12,12 65,79" \
    -fill '#6b3a1e' -stroke '#c99a4b' -draw "rectangle 10,$((10 - k / 2)) $((10 + cover)),$((79 - k / 2))"
  frames+=("$out")
done
for mark in "t:#60e070" "m:#f0c040"; do
  IFS=: read -r tag colour <<<"$mark"
  for k in 1 2 3; do
    out=$tmp/$tag$k.png
    png -size 76x90 xc:none -fill "$colour" -draw "roundrectangle $((8 - 2 * k)),$((8 - 2 * k)) $((67 + 2 * k)),$((81 + 2 * k)) 6,6" \
      -fill '#6b3a1e' -stroke '#c99a4b' -draw "rectangle 10,10 65,79"
    frames+=("$out")
  done
done
out=content/anim/panel/book_button.png
png "${frames[@]}" +append

# The tick that quest-book pages show beside a task done or an item held.
out=content/images/book/tick.png
png -size 24x24 xc:none -stroke '#2a7a2a' -strokewidth 4 -fill none -draw "polyline 4,12 10,19 20,5"

#!/usr/bin/env bash
# Draws what travel between worlds shows: the navigator's portal pictures and
# its selection of worlds, the Vethra globe on the panel, the Vethra world
# map (its four parts, frame, marker, grid highlight and travel button), the
# chooser of the through-space magic in the Vethra, and the scenes of the
# Vethra and of the old keep that the demo travels to. Needs ImageMagick's
# convert. The outputs are small and committed; run this again after
# changing a picture here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-travel-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
mkdir -p content/images/travel content/images/vethra content/images/scenes content/images/masks \
  content/anim/vethra content/anim/travel

# ---- the navigator ----

# The portal that covers the scene at the start and on the way back, and the
# tunnel shown while travelling; the after-portal mask is loaded, never shown.
out=content/images/travel/pre_travel.png
png -size 800x600 xc:'#2a2050' +antialias -fill none -stroke '#f0e0a0' -strokewidth 6 \
  -draw "ellipse 400,300 180,240 0,360" -stroke '#a080e0' -strokewidth 3 -draw "ellipse 400,300 220,280 0,360"
out=content/images/travel/travel.png
png -size 800x600 xc:'#603818' +antialias -fill none -stroke '#ffd070' -strokewidth 4 \
  -draw "ellipse 400,300 60,80 0,360" -draw "ellipse 400,300 140,180 0,360" -draw "ellipse 400,300 240,290 0,360"
out=content/images/travel/after_portal.png
png -size 200x200 xc:none -fill '#ffffffff' -draw "ellipse 100,100 90,90 0,360"

# The selection: a starry sky, one picture per world shown large while the
# pointer is over its button.
out=content/images/travel/selection.png
png -size 800x600 gradient:'#0c1028'-'#281838' -fill '#e8e0c0' \
  -draw "point 40,60" -draw "point 130,30" -draw "point 220,90" -draw "point 350,40" -draw "point 470,70" \
  -draw "point 590,25" -draw "point 700,80" -draw "point 760,140" -draw "point 60,200" -draw "point 740,260"
world() {  # world NAME SKY GROUND
  out=content/images/travel/world_$1.png
  png -size 360x240 gradient:"$2"-"$3" -fill none -stroke '#e0c080' -strokewidth 3 -draw "rectangle 1,1 358,238"
}
world home '#8ab0d8' '#4a6a34'
world vethra '#d08a50' '#503020'
world old_keep '#a0a0a8' '#4a4038'

# The small animation beside a button while the pointer is over it: a star
# that blinks in two frames.
out=content/anim/travel/star.png
png -size 48x24 xc:none -fill '#ffe890' -draw "polygon 12,2 15,9 22,12 15,15 12,22 9,15 2,12 9,9" \
  -fill '#fff8d0' -draw "polygon 36,5 38,10 43,12 38,14 36,19 34,14 29,12 34,10"

# ---- the Vethra globe on the panel ----

# Frames of 100 by 100: the four positions (0 to 3), then the halfway
# pictures between position p and p + 1 (4 to 7), then the neutral globe.
# Each position turns the continent a quarter further. The globe fills the
# frame's top-left 56 pixels only: the panel's magic selectors lie below it
# and the magic's button beside it.
small=(-resize 56x56 -background none -gravity NorthWest -extent 100x100)
globe_frame() {  # globe_frame OUT CONTINENT_X
  out=$1
  png -size 100x100 xc:none -fill '#2a5a8a' -draw "circle 50,50 50,4" \
    -fill '#c89048' -draw "ellipse $2,46 16,24 0,360" -fill none -stroke '#e0d0a0' -strokewidth 2 \
    -draw "circle 50,50 50,4" "${small[@]}"
}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for i in 0 1 2 3 4 5 6 7; do
  case $i in
    0) x=30 ;; 1) x=50 ;; 2) x=70 ;; 3) x=90 ;; 4) x=40 ;; 5) x=60 ;; 6) x=80 ;; 7) x=20 ;;
  esac
  globe_frame "$tmp/g$i.png" "$x"
done
out=$tmp/g8.png
png -size 100x100 xc:none -fill '#5a5a60' -draw "circle 50,50 50,4" -fill none -stroke '#a0a0a0' \
  -strokewidth 2 -draw "circle 50,50 50,4" "${small[@]}"
out=content/anim/vethra/globe.png
png "$tmp"/g0.png "$tmp"/g1.png "$tmp"/g2.png "$tmp"/g3.png "$tmp"/g4.png "$tmp"/g5.png "$tmp"/g6.png \
  "$tmp"/g7.png "$tmp"/g8.png +append

# ---- the Vethra world map ----

# Each part is a 400 by 300 picture with a grid of 3 by 2 cells of 100 by
# 80 at (50, 50) inside it; the part's window places it at (200, 100), so the cells lie
# at (250, 150) on the screen.
# A cell with a scene shows a sign of the place, bright; every cell without
# one is shaded, so the map tells where the player can travel.
part() {  # part N LAND WATER SHADED_CELLS PLACE_DRAWS...
  out=content/images/vethra/map_part$1.png
  local land=$2 water=$3 shaded=$4
  shift 4
  local shade=()
  for cell in $shaded; do  # cell: COLUMN,ROW
    local c=${cell%,*} r=${cell#*,}
    shade+=(-draw "rectangle $((50 + 100 * c)),$((50 + 80 * r)) $((150 + 100 * c)),$((130 + 80 * r))")
  done
  png -size 400x300 xc:"$water" -fill "$land" -draw "roundrectangle 30,30 370,270 40,40" \
    -fill '#3a281880' "${shade[@]}" "$@" \
    -fill none -stroke '#5a3a20' -strokewidth 1 \
    -draw "line 150,50 150,210" -draw "line 250,50 250,210" -draw "line 50,130 350,130" \
    -draw "rectangle 50,50 350,210"
}
# Part 0: the first field (column 0, row 0: a poppy) and the red rock
# (column 1, row 1).
part 0 '#c8a060' '#305878' "1,0 2,0 0,1 2,1" \
  -fill '#2a5a2a' -draw "rectangle 98,92 102,112" -fill '#d02020' -draw "circle 100,88 100,98" \
  -fill '#2a1a10' -draw "circle 100,88 100,91" \
  -fill '#a04020' -draw "polygon 178,190 186,160 204,150 222,162 226,190"
# Part 1: the spire with its breath stone (column 2, row 0).
part 1 '#b08850' '#284a6a' "0,0 1,0 0,1 1,1 2,1" \
  -fill '#6a3a1a' -draw "polygon 284,118 300,62 316,118" -fill '#a8e0f0' -draw "polygon 326,104 331,94 336,104 331,114"
part 2 '#d0b070' '#386080' "0,0 1,0 2,0 0,1 1,1 2,1"
part 3 '#a07848' '#203c58' "0,0 1,0 2,0 0,1 1,1 2,1"
out=content/images/vethra/map_frame.png
png -size 440x340 xc:none -fill none -stroke '#6a4a28' -strokewidth 20 -draw "rectangle 10,10 429,329" \
  -stroke '#d8b878' -strokewidth 3 -draw "rectangle 20,20 419,319"
out=content/images/vethra/marker.png
png -size 100x80 xc:none -fill none -stroke '#f03020' -strokewidth 4 -draw "rectangle 3,3 96,76"
out=content/images/vethra/grid_selection.png
png -size 100x80 xc:'#ffffff50'
out=content/images/vethra/travel_button.png
png -size 100x80 xc:'#f0d06090' -fill '#402010' -draw "polygon 30,20 75,40 30,60"

# ---- the chooser of the through-space magic ----

out=content/images/vethra/chooser_bg.png
png -size 800x600 xc:'#000000a0'
out=content/images/vethra/chooser_window.png
png -size 420x200 xc:none -fill '#30284af0' -stroke '#e0c080' -strokewidth 3 -draw "roundrectangle 2,2 417,197 16,16"

# ---- scenes of the journeys ----

out=content/images/scenes/vethra_0_1_1.png
png -size 800x600 gradient:'#e0a060'-'#603020' -fill '#4a2a18' -draw "polygon 0,600 0,430 300,380 800,450 800,600" \
  -fill '#c07038' -draw "ellipse 600,250 60,60 0,360"
out=content/images/scenes/vethra_1_2_0.png
png -size 800x600 gradient:'#d8b080'-'#503828' -fill '#382010' -draw "polygon 0,600 0,470 500,420 800,480 800,600" \
  -fill '#8a5a30' -draw "polygon 120,470 200,250 280,470"
# The breath stone at the spire's foot, 60 by 60, its mask, and its touch:
# nothing, then a pale halo of air round it (90 by 90).
out=content/anim/vethra/breath_stone.png
png -size 60x60 xc:none -fill '#5a6a7a' -draw "ellipse 30,44 26,14 0,360" -fill '#a8e0f0' \
  -draw "polygon 30,4 42,30 30,50 18,30" -fill '#e8f8ff' -draw "polygon 30,10 36,30 30,40 24,30"
out=content/images/masks/breath_stone_mask.png
png content/anim/vethra/breath_stone.png -alpha extract -threshold 0 -background white -alpha shape
out=$tmp/h0.png
png -size 90x90 xc:none
out=$tmp/h1.png
png -size 90x90 xc:none -fill none -stroke '#d8f4ffc0' -strokewidth 4 -draw "circle 45,45 45,6" \
  -stroke '#a8e0f080' -draw "circle 45,45 45,18"
out=content/anim/vethra/breath_stone_hit.png
png "$tmp"/h0.png "$tmp"/h1.png +append
out=content/images/scenes/old_keep_hall.png
png -size 800x600 gradient:'#585868'-'#282830' -fill '#383840' -draw "rectangle 0,450 800,600" \
  -fill '#202028' -draw "rectangle 330,180 470,450" -fill '#6a5a40' -draw "rectangle 345,195 455,450"
# The way between the two Vethra scenes: the whole east (or west) edge.
out=content/images/masks/vethra_edge.png
png -size 80x300 xc:'#ffffff'

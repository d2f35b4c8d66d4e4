#!/bin/bash
# Generates the pointer of the bundled content: one 24x24 cell per look, in
# a row. The hot spot is each cell's top-left corner. Needs `convert`.
#   0 plain arrow          1 nothing: a held item is drawn on its own, and
#                            a game that hides the pointer (the range's
#                            sight) shows none
#   2 passage (green badge) 3 eye                 4 hand over a takeable item
#   5 map (blue badge)     6 dialog bubble         7 arrow with a ring (after a drop)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/content/anim/pointer"
mkdir -p "$out"
outline="polygon 0,0 0,18 5,14 9,22 12,21 8,13 14,13"
body="polygon 2,4 2,14 5,11 9,19 10,18 6,10 10,10"
cells=()
# One cell: the arguments that draw it on a transparent 24x24 square.
cell() { cells+=("(" -size 24x24 xc:none +antialias "$@" ")"); }
# An arrow of the given body colour, then further drawing.
arrow_cell() {
  local fill=$1
  shift
  cell -fill black -draw "$outline" -fill "$fill" -draw "$body" "$@"
}
arrow_cell white
cell
arrow_cell white -fill '#30A040' -draw "polygon 13,14 19,14 19,11 23,17 19,23 19,20 13,20"
cell -fill black -draw "ellipse 12,12 11,7 0,360" -fill white -draw "ellipse 12,12 9,5 0,360" \
  -fill '#204080' -draw "circle 12,12 12,15"
cell -fill black -draw "roundrectangle 3,6 20,22 4,4" -fill '#F0C090' -draw "roundrectangle 5,8 18,20 3,3" \
  -fill black -draw "line 8,8 8,2" -draw "line 12,8 12,1" -draw "line 16,8 16,3"
arrow_cell white -fill '#3060C0' -draw "rectangle 13,13 23,23"
cell -fill black -draw "roundrectangle 1,2 22,16 5,5" -fill white -draw "roundrectangle 3,4 20,14 4,4" \
  -fill black -draw "polygon 6,15 6,22 12,15"
arrow_cell white -fill none -stroke '#FFD040' -strokewidth 2 -draw "circle 17,17 17,22"
convert "${cells[@]}" +append -strip -define png:color-type=6 "$out/pointer.png"

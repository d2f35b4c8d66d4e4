#!/usr/bin/env bash
# Draws the herb garden and its plants game: the garden and its beds up
# close, the six plants that grow there, the plan the player brings and
# its icons, and the bundle the game gives; writes the items' descriptions.
# Needs ImageMagick's convert. The outputs are small and committed; run
# this again after changing them.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-plants-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh

mkdir -p content/images/scenes content/images/masks content/anim/items content/anim/plants

# The herb garden: a walled patch with its beds; the way back on the left,
# a wooden gate in the wall where herb_garden_gate.png lies (0, 200; 100 by
# 200).
gate=(-fill '#8a7a6a' -draw "rectangle 0,160 110,410" -fill '#7a5230' -draw "rectangle 10,200 90,400"
  -stroke '#4a3018' -strokewidth 4 -draw "line 10,240 90,240" -draw "line 10,360 90,360" -draw "line 10,360 90,240"
  -stroke none)
out=content/images/scenes/herb_garden.png
png -size 800x600 gradient:'#b8d8a0-#5a7a3a' "${gate[@]}" -fill '#8a7a6a' -draw "rectangle 0,120 800,160" \
  -fill '#6a4a2a' -draw "rectangle 200,300 600,460" -fill '#4a8a34' -draw "ellipse 300,380 60,30 0,360" \
  -draw "ellipse 480,380 70,34 0,360"
# The beds up close, where the plants are gathered.
out=content/images/scenes/herb_garden_plants.png
png -size 800x600 gradient:'#7a5a3a-#4a3018' -fill '#5a3a20' -draw "rectangle 0,380 800,500"
# The herb garden once the plan's herbs are gathered: the beds picked bare
# down to a few stalks, no longer a way in.
out=content/images/scenes/herb_garden_gathered.png
png -size 800x600 gradient:'#b8d8a0-#5a7a3a' "${gate[@]}" -fill '#8a7a6a' -draw "rectangle 0,120 800,160" \
  -fill '#6a4a2a' -draw "rectangle 200,300 600,460" -stroke '#4a8a34' -strokewidth 3 \
  -draw "line 280,400 280,385" -draw "line 320,410 320,392" -draw "line 460,400 460,388" -draw "line 510,405 510,390"
# The beds played: the same earth, the plants gathered, and above the panel
# on the left a wooden arrow back to the herb garden, where
# herb_garden_plants_back.png lies (20, 380; 100 by 90).
out=content/images/scenes/herb_garden_plants_gathered.png
png -size 800x600 gradient:'#7a5a3a-#4a3018' -fill '#5a3a20' -draw "rectangle 0,380 800,500" \
  -stroke '#3a2414' -strokewidth 3 -fill '#8a6a44' -draw "polygon 30,425 70,390 70,410 110,410 110,440 70,440 70,460"
out=content/images/masks/herb_garden_beds.png; png -size 400x160 xc:'#ffffff'
out=content/images/masks/herb_garden_gate.png; png -size 100x200 xc:'#ffffff'
out=content/images/masks/herb_garden_path.png; png -size 100x170 xc:'#ffffff'
out=content/images/masks/herb_garden_plants_back.png; png -size 100x90 xc:'#ffffff'

# Items, 40 by 40, with a description each; those that lie in a scene also
# get a mask opaque where the item is.
item() {  # item NAME DRAW...
  item_picture "$@"
  out=content/images/masks/${1}_mask.png
  png content/anim/items/$1.png -alpha extract -threshold 0 -background white -alpha shape
}
leafy() {  # leafy NAME COLOUR: a stalk with two leaves
  item "$1" -fill "$2" -draw "ellipse 14,18 8,5 0,360" -draw "ellipse 26,14 8,5 0,360" -stroke '#3a5a20' \
    -strokewidth 2 -draw "line 20,38 20,8"
}
leafy mint '#60c060'
leafy sage '#90a890'
item fern -fill '#3a8a3a' -draw "polygon 20,2 34,36 20,30 6,36"
item nettle -fill '#2a6a2a' -draw "polygon 20,4 30,20 20,36 10,20" -stroke '#1a4a1a' -draw "line 20,4 20,36"
item clover -fill '#40a040' -draw "circle 14,14 14,21" -draw "circle 26,14 26,21" -draw "circle 20,24 20,31"
leafy thyme '#708a50'
item herb_plan -fill '#f0e8c8' -draw "rectangle 4,6 36,34" -stroke '#806040' -draw "line 8,14 32,14" \
  -draw "line 8,22 28,22"
item_picture herb_bundle -fill '#60c060' -draw "ellipse 20,14 12,10 0,360" -fill '#c0a060' -draw "rectangle 16,22 24,38"

# The plan: a sheet with three framed places, each showing the plant it
# asks for (mint, sage, fern) as it looks in the beds; and the icons that
# fade in over the places of the plants gathered, 70 by 70 cells in the
# same order: the plant again, a green frame and a tick.
places=(40 165 290)
plan_plants=(mint sage fern)
plan=(-size 400x160 xc:'#f0e8c8' -fill none -stroke '#806040' -strokewidth 3 -draw "rectangle 2,2 397,157")
for i in 0 1 2; do
  x=${places[$i]}
  plan+=(-draw "rectangle $x,40 $((x + 70)),110")
done
for i in 0 1 2; do
  plan+=(content/anim/items/${plan_plants[$i]}.png -geometry +$((places[$i] + 15))+55 -composite)
done
out=content/anim/plants/plan.png
png "${plan[@]}"
for name in "${plan_plants[@]}"; do
  frame -size 70x70 xc:none content/anim/items/$name.png -geometry +15+15 -composite -fill none \
    -stroke '#30a030' -strokewidth 4 -draw "rectangle 2,2 67,67" -stroke '#207020' -strokewidth 5 \
    -draw "polyline 44,56 52,64 66,46"
done
sheet content/anim/plants/icons.png

#!/usr/bin/env bash
# Draws what the timed hazards need: the pond beyond the garden and the water
# under it, the Vethra's plain and the dream the player falls into there, the
# mushroom, the toadstool and the nightberry, the pictures of the poison and
# air indicators (full-screen rims, clear in the middle, that the game fades
# in as the time runs out), and the berry's haze. Needs ImageMagick's
# convert. The outputs are small and committed; run this again after
# changing a picture here (the garden's path to the pond is drawn by
# make-demo-art.sh with the rest of the garden).
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-hazard-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
mkdir -p content/images/scenes content/images/masks content/images/ui content/anim/items

# The pond: the path back to the garden at the bottom left (pond_path.png at
# 0, 370), the boardwalk to the pier at the top right under its signpost
# (pier_path.png at 700, 100), the water in
# the middle, and a cloth spread for a meal on the grass to the right (the
# "mouth": whatever is put on it is eaten).
out=content/images/scenes/pond.png
png -size 800x600 gradient:'#7a9ab8'-'#c0d4dc' -fill '#4a7a3a' -draw "polygon 0,600 0,230 800,210 800,600" \
  -fill '#8a6a4a' -draw "polygon 0,500 0,400 90,378 130,400 120,500" \
  -fill '#8a6a4a' -draw "polygon 700,280 740,222 800,218 800,280" -fill '#6a4a2a' -draw "rectangle 738,120 746,226" \
  -fill '#c8a070' -draw "polygon 712,130 772,130 790,150 772,170 712,170" \
  -fill '#2a5a7a' -draw "ellipse 420,380 200,90 0,360" -fill '#4a7a9a' -draw "ellipse 400,360 120,40 0,360" \
  -fill '#c04040' -draw "polygon 610,480 760,470 750,560 600,555" \
  -stroke '#f0e0d0' -strokewidth 4 -draw "line 640,478 630,556" -draw "line 690,475 680,558" -draw "line 605,515 755,512"

# Under the pond: the light above, the weeds below.
out=content/images/scenes/pond_under.png
png -size 800x600 gradient:'#3a7aa0'-'#0a1e30' -fill '#8ac0d8' -draw "rectangle 0,0 800,40" \
  -fill '#1e4a2a' -draw "polygon 100,600 120,420 140,600" -draw "polygon 520,600 550,380 570,600" \
  -draw "polygon 660,600 690,450 700,600"

# The Vethra's plain under its violet sky, and the dream.
out=content/images/scenes/vethra_plain.png
png -size 800x600 gradient:'#3a2a5a'-'#8a5a7a' -fill '#2a3a3a' -draw "polygon 0,600 0,420 400,380 800,430 800,600" \
  -fill '#1a2626' -draw "polygon 180,420 200,220 220,420" -draw "polygon 600,430 615,260 630,430"
out=content/images/scenes/vethra_dream.png
png -size 800x600 gradient:'#06081a'-'#1a1040' -fill '#e8e0ff' -draw "circle 200,150 200,156" \
  -draw "circle 520,90 520,93" -draw "circle 660,220 660,224" -draw "circle 340,260 340,262" \
  -fill '#d8d0f0' -draw "circle 620,420 620,470" -fill '#1a1040' -draw "circle 600,405 600,455"

# Masks opaque over their whole region, or where a shape is drawn.
mask() {  # mask NAME WxH
  out=content/images/masks/$1.png
  png -size "$2" xc:'#ffffff'
}
mask pond_path 130x130
mask mouth 160x90
mask pond_surface 800x60
out=content/images/masks/pond_water.png
png -size 400x180 xc:none -fill '#ffffff' -draw "ellipse 200,90 200,90 0,360"

# The three things to eat, 40 by 40, each with its mask.
item() {  # item NAME DRAW...
  local name=$1
  shift
  out=content/anim/items/$name.png
  png -size 40x40 xc:none "$@"
  out=content/images/masks/${name}_mask.png
  png content/anim/items/$name.png -alpha extract -threshold 0 -background white -alpha shape
}
item mushroom -fill '#e8dcc0' -draw "rectangle 16,20 24,37" -fill '#8a5a2a' -draw "ellipse 20,20 17,11 180,360"
item toadstool -fill '#f0f0e8' -draw "rectangle 16,20 24,37" -fill '#c02020' -draw "ellipse 20,20 17,12 180,360" \
  -fill '#ffffff' -draw "circle 13,14 13,16" -draw "circle 24,11 24,13" -draw "circle 29,17 29,19"
item nightberry -fill '#3a7a34' -draw "ellipse 26,10 10,5 0,360" -fill '#1a1a3a' -draw "circle 14,24 14,32" \
  -draw "circle 25,27 25,35" -fill '#5a5a9a' -draw "circle 12,21 12,23"
# The poppy on the Vethra's first field, whose scent puts the player to sleep.
item poppy -fill '#3a6a2a' -draw "rectangle 19,18 21,39" -fill '#d02a3a' -draw "ellipse 20,13 13,9 0,360" \
  -fill '#1a1020' -draw "circle 20,13 20,16"

# The indicators and the haze: a coloured rim, clear in the middle.
rim() {  # rim OUT COLOUR INNER% OUTER%
  out=$1
  png -size 800x600 xc:"$2" \( -size 800x600 radial-gradient:black-white -level "$3,$4" -posterize 12 \) \
    -alpha off -compose copy_opacity -composite
}
rim content/images/ui/poison_rim.png '#3a9a2a' 45% 100%
rim content/images/ui/air_rim.png '#2a4a9a' 45% 100%
rim content/images/ui/berry_haze.png '#7a2a8a' 15% 80%

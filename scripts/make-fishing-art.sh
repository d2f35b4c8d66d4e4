#!/usr/bin/env bash
# Draws the pier and its fishing game: the pier and the water seen from it,
# the rod's float in all its looks, the six fish and the two items the game
# hands back (the boathouse key and the rod), the boathouse and the oar in it; writes the
# fish items' descriptions and the game's four sounds (WAV data under the
# names the game asks for). Needs ImageMagick's convert and sox. The
# outputs are small and committed; run this again after changing them.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-fishing-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh
source scripts/sound-kit.sh

mkdir -p content/images/scenes content/images/masks content/anim/items content/anim/minigames/fishing \
  content/anim/pier content/audio/sfx/minigames/fishing

# The pier: planks running out over the water, the boathouse on the left,
# the path back to the pond on the right, and a boardwalk off to the left
# along the shore to the harbour.
out=content/images/scenes/pier.png
png -size 800x600 gradient:'#9cc4e4-#3a6a8c' -fill '#2c5a7a' -draw "rectangle 0,300 800,600" \
  -fill '#8a6a44' -draw "polygon 300,600 500,600 460,300 340,300" \
  -fill '#6a4a2a' -draw "rectangle 40,180 240,420" -fill '#4a3018' -draw "polygon 30,180 250,180 140,110" \
  -fill '#7a9a5a' -draw "rectangle 700,420 800,600" \
  -fill '#8a6a44' -draw "polygon 0,436 320,454 314,498 0,490" -stroke '#5a4428' -strokewidth 2 \
  -draw "line 64,440 64,491" -draw "line 128,444 128,493" -draw "line 192,447 192,495" -draw "line 256,451 256,497" \
  -draw "line 0,436 320,454" -stroke none -fill '#5a4428' -draw "rectangle 297,396 302,452" \
  -fill '#d8c8a0' -draw "polygon 244,392 258,380 330,380 330,404 258,404"
out=content/images/masks/pier_water.png; png -size 300x120 xc:'#ffffff'
out=content/images/masks/pier_path.png; png -size 100x180 xc:'#ffffff'
out=content/images/masks/pier_harbour.png; png -size 320x64 xc:'#ffffff'
out=content/images/masks/boathouse_closed.png; png -size 120x160 xc:'#ffffff'
out=content/images/masks/boathouse_opened.png; png -size 120x160 xc:'#ffffff'
# The planks at the end of the pier, back from the fished-out water.
out=content/images/masks/pier_fishing_planks.png; png -size 300x60 xc:'#ffffff'

# The boathouse door, shut and open, as two 120 by 160 cells.
frame -size 120x160 xc:'#5a3a1e' -fill '#3a2410' -draw "rectangle 8,8 112,152"
frame -size 120x160 xc:'#5a3a1e' -fill '#10161c' -draw "rectangle 8,8 112,152"
sheet content/anim/pier/boathouse.png

# The water from the end of the pier; the game's own picture.
out=content/images/scenes/pier_fishing.png
png -size 800x600 gradient:'#a8cce8-#7aa8c8' -fill '#2a5878' -draw "rectangle 0,240 800,600" \
  -fill '#8a6a44' -draw "polygon 250,600 550,600 520,470 280,470"

# The float, 40 by 40 cells: 0 held up, 1 the splash, 2 and 3 resting and
# bobbing, 4 and 5 drawn left and right, 6 pulled under, 7 an empty hook,
# 8 to 12 a crucian, carp, perch, roach and tench on the hook.
float() {  # float DRAW...: a red and white float with more on top
  frame -size 40x40 xc:none -fill '#e03030' -draw "ellipse 20,18 6,8 0,360" -fill '#f0f0f0' \
    -draw "ellipse 20,26 6,6 0,360" "$@"
}
float -stroke '#202020' -draw "line 20,0 20,10"
frame -size 40x40 xc:none -fill '#d0e8ff' -draw "ellipse 20,26 18,8 0,360" -fill '#ffffff' -draw "ellipse 20,22 8,6 0,360"
float -fill '#5a8ab0' -draw "rectangle 0,26 40,40"
float -fill '#5a8ab0' -draw "rectangle 0,22 40,40"
frame -size 40x40 xc:none -fill '#e03030' -draw "polygon 8,14 20,10 24,26 12,30" -fill '#5a8ab0' -draw "rectangle 0,28 40,40"
frame -size 40x40 xc:none -fill '#e03030' -draw "polygon 32,14 20,10 16,26 28,30" -fill '#5a8ab0' -draw "rectangle 0,28 40,40"
frame -size 40x40 xc:none -fill '#5a8ab0' -draw "rectangle 0,8 40,40" -fill '#e03030' -draw "ellipse 20,8 4,3 0,360"
frame -size 40x40 xc:none -stroke '#303030' -strokewidth 2 -fill none -draw "line 20,0 20,26" -draw "arc 12,18 28,34 0,180"
for colour in '#c8a040' '#a08030' '#70a040' '#b0b0c0' '#607040'; do
  frame -size 40x40 xc:none -stroke '#303030' -draw "line 20,0 20,12" -stroke none -fill "$colour" \
    -draw "ellipse 20,26 8,13 0,360" -draw "polygon 14,40 26,40 20,34"
done
sheet content/anim/minigames/fishing/float.png

# Items, 40 by 40, with a description each: the fish, the key and the rod.
fish() {  # fish NAME COLOUR [DRAW...]
  local name=$1 colour=$2
  shift 2
  item_picture "$name" -fill "$colour" -draw "ellipse 18,20 14,8 0,360" -draw "polygon 30,20 38,12 38,28" \
    -fill '#101010' -draw "circle 9,18 10,18" "$@"
}
fish fishing_crucian '#c8a040'
fish fishing_crucian_key '#e0c050' -fill '#fff0a0' -draw "rectangle 14,16 26,18" -draw "circle 12,17 12,20"
fish fishing_carp '#a08030'
fish fishing_perch '#70a040' -stroke '#304020' -draw "line 14,13 14,27" -draw "line 20,12 20,28"
fish fishing_roach '#b0b0c0' -fill '#c03030' -draw "circle 30,20 30,22"
fish fishing_tench '#607040'
item_picture pier_key -fill '#8a9aa8' -draw "circle 10,20 10,28" -draw "rectangle 16,18 38,22" -draw "rectangle 30,22 34,30"
item_picture oar -fill '#a07a48' -draw "rectangle 18,2 22,28" -draw "ellipse 20,32 6,8 0,360"
out=content/images/masks/oar_mask.png
png content/anim/items/oar.png -alpha extract -threshold 0 -background white -alpha shape
item_picture fishing_rod -stroke '#7a5a30' -strokewidth 3 -draw "line 4,36 36,4" -stroke '#d0d0d0' -strokewidth 1 \
  -draw "line 36,4 36,30"

# The game's sounds: an empty strike, a catch, the float's splash, the cast.
snd=content/audio/sfx/minigames/fishing
tone "$snd/hool_empty.ogg" 0.2 square 180:120
tone "$snd/hook_fish.ogg" 0.3 sine 660:1320
tone "$snd/kick_splash.ogg" 0.25 brownnoise
tone "$snd/kick.ogg" 0.15 sine 300:900

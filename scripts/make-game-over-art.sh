#!/usr/bin/env bash
# Draws the end screen and the two masks that lead to it and away from it:
# the attic's skylight and the end screen's "wake up" door. Needs
# ImageMagick's convert. The outputs are small and committed; run this again
# after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-game-over-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip "$out"; }

# A night sky seen from the ground, with the door back in the lower middle
# (300,440 to 500,520), where the mask lies.
out=content/images/scenes/the_end.png
png -size 800x600 gradient:'#05060f'-'#1a1030' \
  -fill '#e8e0c0' -draw "circle 620,140 650,140" \
  -fill '#0a0a14' -draw "rectangle 0,470 800,600" \
  -fill '#6a4a2a' -stroke '#d9b77a' -strokewidth 3 -draw "roundrectangle 300,440 500,520 10,10" \
  -define png:color-type=2
out=content/images/masks/the_end_wake.png
png -size 200x80 xc:white -define png:color-type=6
out=content/images/masks/attic_skylight.png
png -size 90x60 xc:white -define png:color-type=6

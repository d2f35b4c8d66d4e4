#!/bin/sh
# The pictures of the background scenarios: three plain colours for the
# hall to fade through, a light room to light up in the dark, and two frames
# of the lit patch (clear in a circle, opaque black around it).
set -e
cd "$(dirname "$0")"
convert -size 800x600 xc:'rgb(255,0,0)' red.png
convert -size 800x600 xc:'rgb(0,255,0)' green.png
convert -size 800x600 xc:'rgb(0,0,255)' blue.png
convert -size 800x600 xc:'rgb(200,200,200)' light.png
for r in 44 45; do
  convert -size 100x100 xc:black \
    \( -size 100x100 xc:white -fill black -draw "circle 50,50 50,$((50 - r))" \) \
    -alpha off -compose CopyOpacity -composite -define png:color-type=6 aureole$r.png
done

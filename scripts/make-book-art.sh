#!/usr/bin/env bash
# Draws the pictures of the quest book: its scene, the board it lies on, the
# cover that opens the first time it is seen, the empty page faces, the
# plates its page scripts show and the masks that turn its sheets. Needs
# ImageMagick's convert. The outputs are small and committed; run this again
# after changing a picture.
#
# The book scenarios read the plates' colours back from the screen, so the
# plates are flat where they look.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-book-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
font=DejaVu-Serif

mkdir -p content/images/scenes content/images/masks content/images/book content/anim/book

# The scene: a desk under a lamp, the ribbon that closes the book at the top
# right.
out=content/images/scenes/basement_quest_book.png
png -size 800x600 gradient:'#3a2616'-'#1a0f08' -fill '#2a1a0e' -draw "rectangle 0,520 800,600" \
  -fill '#8a1c1c' -draw "polygon 730,0 770,0 770,70 750,56 730,70" \
  -font $font -pointsize 14 -fill '#e8ce96' -annotate +729+90 'Close'

# The board the open book lies on (the item's own picture), 640 by 440.
out=content/anim/book/board.png
png -size 640x440 xc:none -fill '#4a1a12' -stroke '#2a0e08' -strokewidth 4 \
  -draw "roundrectangle 2,2 637,437 14,14" -stroke none -fill '#2a0e08' -draw "rectangle 316,8 324,432"

# Empty page faces, 300 by 400: darker towards the spine, the front's on its
# left, the back's on its right. The title page has a parchment of its own.
# (A gradient runs from top to bottom; turned a quarter clockwise its top
# colour ends on the right.)
out=content/images/book/page_front.png
png -size 400x300 gradient:'#eee2c4'-'#c8b890' -rotate 90
out=content/images/book/page_back.png
png -size 400x300 gradient:'#c8b890'-'#eee2c4' -rotate 90
out=content/images/book/page_title.png
png -size 300x400 xc:'#f2e6c8' -stroke '#a8884a' -strokewidth 3 -fill none -draw "rectangle 14,14 285,385"

# Plates, 240 by 300, each a flat colour with a small drawing in its middle.
plate() {  # plate NAME COLOUR DRAW...
  local name=$1 colour=$2
  shift 2
  out=content/images/book/plate_$name.png
  png -size 240x300 xc:"$colour" -stroke '#2a1a0e' -strokewidth 2 -fill none -draw "rectangle 1,1 238,298" \
    -stroke none "$@"
}
plate title '#243a6a' -fill '#e8ce96' -draw "circle 120,150 120,190" -fill '#243a6a' -draw "circle 120,150 120,170"
plate house '#2c4a2c' -fill '#1a120c' -draw "polygon 60,200 120,120 180,200" -draw "rectangle 75,200 165,250"
plate attic '#6a2c24' -fill '#1a120c' -draw "polygon 40,230 120,90 200,230" -fill '#f3e2a8' -draw "circle 120,180 120,190"
plate garden '#4a2c6a' -fill '#f3e2a8' -draw "circle 170,90 170,110" -fill '#100c0a' -draw "rectangle 70,160 80,250"

# The cover, five frames of 600 by 400 over the open book: shut on the right
# half, swinging over the spine, then gone (the open board shows).
out=content/anim/book/cover.png
png -size 3000x400 xc:none \
  -fill '#6a1414' -draw "rectangle 300,0 599,399" -stroke '#d9b77a' -strokewidth 4 -fill none \
  -draw "rectangle 316,16 583,383" -stroke none -fill '#d9b77a' -draw "circle 450,200 450,240" \
  -fill '#6a1414' -draw "rectangle 900,0 1099,399" -stroke '#d9b77a' -strokewidth 3 -fill none \
  -draw "rectangle 912,16 1087,383" -stroke none \
  -fill '#5a1010' -draw "rectangle 1500,0 1579,399" \
  -fill '#4a0c0c' -draw "rectangle 2020,0 2099,399"

# The masks that turn the sheets, one per page, opaque over the page.
mask() {  # mask OUT WxH
  out=$1
  png -size "$2" xc:'#ffffff'
}
mask content/images/masks/mask_left_page.png 300x400
mask content/images/masks/mask_right_page.png 300x400
mask content/images/masks/book_close.png 40x70

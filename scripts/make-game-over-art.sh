#!/usr/bin/env bash
# Draws the end screens (a story ended, a game lost at home, a faint on the
# Vethra) and the two masks that lead to it and away from it:
# the attic's skylight and the end screen's "wake up" door. Needs
# ImageMagick's convert. The outputs are small and committed; run this again
# after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-game-over-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip "$out"; }

# A night sky seen from the ground, words on what happened, and the box
# that wakes the player in the lower middle (300,440 to 500,520), where the
# mask lies, saying where.
serif=DejaVu-Serif
sans=DejaVu-Sans
end_screen() {  # end_screen OUT SKY_BOTTOM TITLE TEXT BOX_LINE
  out=$1
  png -size 800x600 gradient:'#05060f'-"$2" \
    -fill '#e8e0c0' -draw "circle 620,140 650,140" \
    -fill '#0a0a14' -draw "rectangle 0,470 800,600" \
    -font $serif -pointsize 40 -fill '#e8ce96' -gravity north -annotate +0+190 "$3" \
    -font $sans -pointsize 18 -fill '#d8d0c0' -annotate +0+260 "$4" -gravity northwest \
    -fill '#6a4a2a' -stroke '#d9b77a' -strokewidth 3 -draw "roundrectangle 300,440 500,520 10,10" \
    -stroke none -font $sans -pointsize 22 -fill '#f4e4b8' -gravity north -annotate +0+450 'Wake up' \
    -pointsize 14 -annotate +0+484 "$5" \
    -define png:color-type=2
}
end_screen content/images/scenes/the_end.png '#1a1030' 'The night takes you' \
  'The house'"'"'s story is not over yet: something stopped you on the way.' 'and try again at home'
end_screen content/images/scenes/the_end_story.png '#1a1030' 'The End' \
  'Every game of the house is won, and its story is told. The night sky is yours.' 'and play on at home'
end_screen content/images/scenes/the_end_vethra.png '#301020' 'Out of breath' \
  'The Vethra'"'"'s thin air was not enough, and you fainted under its sky.' 'on the Vethra'"'"'s first field'
out=content/images/masks/the_end_wake.png
png -size 200x80 xc:white -define png:color-type=6
out=content/images/masks/attic_skylight.png
png -size 90x60 xc:white -define png:color-type=6

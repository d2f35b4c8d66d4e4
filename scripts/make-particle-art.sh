#!/usr/bin/env bash
# Draws the particle textures with ImageMagick: white shapes on transparency,
# tinted by the scripts' colours. The outputs are small and committed; run this
# again only after changing a shape here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-particle-art.sh: needs ImageMagick's convert" >&2; exit 1; }

dir=content/particles
mkdir -p "$dir"
# Plain 8-bit RGBA PNGs without timestamps, so a re-run gives the same bytes.
png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }

# A soft round dot: white, alpha falling from the centre.
out=$dir/dot.png
png -size 16x16 radial-gradient:white-black -alpha copy -channel RGB -evaluate set 100% +channel

# A four-pointed spark.
out=$dir/spark.png
png -size 16x16 xc:none -fill white \
  -draw "polygon 8,0 9,7 16,8 9,9 8,16 7,9 0,8 7,7" -blur 0x0.6

# A wide soft cloud for smoke.
out=$dir/puff.png
png -size 32x32 radial-gradient:'gray60'-black -alpha copy -channel RGB -evaluate set 100% +channel

# A large faint halo.
out=$dir/glow.png
png -size 64x64 radial-gradient:'gray40'-black -alpha copy -channel RGB -evaluate set 100% +channel

# The particle pixel scenario's texture: the left half transparent, the right
# half white, flat, so that the scenario reads exact colours back.
dir=tests/scenarios/particles_pixels/images
mkdir -p "$dir"
out=$dir/half.png
png -size 16x16 xc:none -fill white -draw "rectangle 8,0 15,15"

#!/usr/bin/env bash
# Draws the panels of the hint windows: the small hint's box and the big
# hint's sliding panel. Needs ImageMagick's convert. The outputs are small and
# committed; run this again after changing a picture.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-hint-art.sh: needs ImageMagick's convert" >&2; exit 1; }

png() { convert "$@" -depth 8 -strip -define png:color-type=6 "$out"; }
mkdir -p content/images/ui

out=content/images/ui/hint_small.png
png -size 360x90 xc:none -fill '#1e2a38e8' -stroke '#d9b77a' -strokewidth 2 -draw "roundrectangle 1,1 358,88 12,12"
out=content/images/ui/hint_big.png
png -size 520x200 xc:none -fill '#241c30f0' -stroke '#e0c080' -strokewidth 3 -draw "roundrectangle 2,2 517,197 16,16" \
  -fill none -stroke '#8a6a40' -strokewidth 1 -draw "roundrectangle 10,10 509,189 10,10"

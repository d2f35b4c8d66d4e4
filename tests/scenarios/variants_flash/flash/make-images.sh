#!/bin/sh
# The six frames of the test clip, each one colour so a scenario can tell
# them apart by a pixel.
set -e
cd "$(dirname "$0")"
n=1
for colour in '#100000' '#200000' '#300000' '#400000' '#500000' '#600000'; do
  convert -size 800x600 "xc:$colour" -define png:color-type=2 "movie_000$n.png"
  n=$((n + 1))
done

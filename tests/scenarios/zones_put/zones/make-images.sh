#!/bin/sh
# The shapes of the hall's drop zones: opaque where an item may lie.
set -e
cd "$(dirname "$0")"
convert -size 30x60 xc:white -define png:color-type=6 hall_shelf.png
convert -size 200x80 xc:white -define png:color-type=6 hall_table.png

#!/bin/bash
# Generates the small pictures of the visual-object demo content and of the
# visual-object test fixtures. Needs ImageMagick's `convert`.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
c() { convert "${@:1:$#-1}" -strip -define png:color-type=6 "${@: -1}"; }

fx="$root/tests/fixtures/visual/anim"
mkdir -p "$fx"
# Four 10x10 cells in a row: red, lime, blue, white.
c -size 10x10 xc:'#FF0000' xc:'#00FF00' xc:'#0000FF' xc:'#FFFFFF' +append "$fx/strip.png"
# A 20x20 square ring, 3 pixels thick, around a transparent hole.
c -size 20x20 xc:none +antialias -fill white -draw "rectangle 2,2 17,17" \
  -fill none -draw "rectangle 5,5 14,14" -channel A -fx "(i>=5&&i<=14&&j>=5&&j<=14)?0:a" +channel "$fx/ring.png"
# One pixel of alpha 80 and one of alpha 81.
c -size 1x1 xc:'#FF000050' xc:'#FF000051' +append "$fx/alpha.png"
# 20x20: a 10x10 opaque block at (5, 5) on transparency.
c -size 20x20 xc:none +antialias -fill '#FFFF00' -draw "rectangle 5,5 14,14" "$fx/block.png"
# Caption pieces for the caption tests: ends 8x24, middle 16x24.
mkdir -p "$fx/caption"
c -size 8x24 xc:'#402810' "$fx/caption/left.png"
c -size 16x24 xc:'#805020' "$fx/caption/middle.png"
c -size 8x24 xc:'#402810' "$fx/caption/right.png"

art="$root/content/anim/demo"
mkdir -p "$art"
# A lamp of four frames whose flame grows: 32x48 each.
for i in 0 1 2 3; do
  h=$((8 + i * 6))
  c -size 32x48 xc:none +antialias -fill '#704020' -draw "rectangle 12,30 19,47" \
    -fill '#FFC040' -draw "ellipse 16,$((30 - h / 2)) 6,$((h / 2)) 0,360" "/tmp/lamp$i.png"
done
c /tmp/lamp0.png /tmp/lamp1.png /tmp/lamp2.png /tmp/lamp3.png +append "$art/lamp.png"
rm -f /tmp/lamp0.png /tmp/lamp1.png /tmp/lamp2.png /tmp/lamp3.png
# A round gem with a transparent surround, 40x40.
c -size 40x40 xc:none +antialias -fill '#30C0A0' -draw "circle 20,20 20,4" "$art/gem.png"
# A wide backdrop panel, 200x120.
c -size 200x120 xc:'#2A3050' -fill '#3A4470' -draw "rectangle 8,8 191,111" "$art/panel.png"
# Button faces and a disabled face, 96x32.
c -size 96x32 xc:'#506090' "$art/button.png"
c -size 96x32 xc:'#7080C0' "$art/button_hover.png"
c -size 96x32 xc:'#404040' "$art/button_off.png"
# Slider track and thumb.
c -size 160x8 xc:'#606060' "$art/track.png"
c -size 12x20 xc:'#E0E0E0' "$art/thumb.png"
# Progress bar: background, custom frame and foreground, 24x60.
c -size 24x60 xc:'#202020' "$art/bar_bg.png"
c -size 24x60 xc:none -fill none -stroke '#C0C0C0' -draw "rectangle 0,0 23,59" "$art/bar_frame.png"
c -size 24x60 xc:'#C03030' "$art/bar_fg.png"
# Caption pieces: left and right ends 8x24, middle 16x24.
cap="$root/content/anim/caption"
mkdir -p "$cap"
c -size 8x24 xc:'#402810' "$cap/left.png"
c -size 16x24 xc:'#805020' "$cap/middle.png"
c -size 8x24 xc:'#402810' "$cap/right.png"

# Scenario trees: five 40x40 cells in a row (red, lime, blue, white, yellow).
for tree in visual_depth visual_state_run; do
  d="$root/tests/scenarios/$tree/anim"
  mkdir -p "$d"
  c -size 40x40 xc:'#FF0000' xc:'#00FF00' xc:'#0000FF' xc:'#FFFFFF' xc:'#FFFF00' +append "$d/squares.png"
done

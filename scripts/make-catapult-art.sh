#!/usr/bin/env bash
# Draws the harbour and its catapult game: the harbour (at peace, saved,
# burnt) with the way up to the catapult and the way back to the pier, the
# sea the game is played on and the view from the tower after it,
# the two ships (sailing, then twelve frames of breaking up in flames) with
# their hull masks, the splash, the aiming mark, the shore wall, the
# catapult (at rest and kicking), the aiming panel's catapult, shadow and
# bucket, and the panel's buttons; then the shoot, explosion and splash
# sounds. Needs ImageMagick's convert and sox. The outputs are small and
# committed; run this again after changing something here.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v convert >/dev/null || { echo "make-catapult-art.sh: needs ImageMagick's convert" >&2; exit 1; }

source scripts/art-kit.sh
source scripts/sound-kit.sh

anim=content/anim/minigames/catapult
panel=content/windows/gamescreen/panel/catapult_image
mkdir -p content/images/scenes content/images/masks content/images/ui/catapult "$anim" "$panel" \
  content/audio/sfx/minigames/catapult

# The harbour: the quay, the sea beyond, the stair up to the catapult on
# the right and below it the boardwalk back to the pier, with its sign
# (above the panel, which hides the screen from y 500). Saved, the ships
# lie at anchor; burnt, smoke over the quay.
harbour() {  # OUT EXTRA-DRAW...
  out=$1
  shift
  png -size 800x600 gradient:'#8ab0d0'-'#d8e4ec' -fill '#2a5a80' -draw "rectangle 0,220 800,420" \
    -fill '#8a7a6a' -draw "polygon 0,600 0,400 800,380 800,600" \
    -fill '#6a5a4a' -draw "polygon 620,400 700,260 760,260 720,400" \
    -fill '#4a3a2a' -draw "rectangle 690,200 770,262" \
    -fill '#8a6a44' -draw "polygon 560,470 800,440 800,498 560,498" -stroke '#5a4428' -strokewidth 2 \
    -draw "line 620,463 620,498" -draw "line 680,455 680,498" -draw "line 740,448 740,498" \
    -draw "line 560,470 800,440" -stroke none -fill '#5a4428' -draw "rectangle 578,420 583,472" \
    -fill '#d8c8a0' -draw "polygon 560,404 632,404 646,416 632,428 560,428" "$@"
}
harbour content/images/scenes/harbour.png
harbour content/images/scenes/harbour_saved.png -fill '#5a3a20' -draw "polygon 200,300 300,300 280,330 220,330" \
  -fill '#f0f0e0' -draw "polygon 245,230 245,298 290,290"
harbour content/images/scenes/harbour_burnt.png -fill '#303030' -draw "ellipse 300,330 200,40 0,360" \
  -fill '#e06020' -draw "polygon 260,400 280,340 300,400" -draw "polygon 330,395 345,350 360,395"
mask content/images/masks/harbour_stair.png 160x200
mask content/images/masks/harbour_pier.png 240x70
mask content/images/masks/harbour_back.png 800x140

# The sea from the catapult's tower: the far edge at y 150, the shore at 450.
# Once the game is over the tower is a view, with steps down to the harbour.
sea=(-size 800x600 gradient:'#b0c8e0'-'#e0e8f0' -fill '#1e4a70' -draw "rectangle 0,140 800,460"
  -fill '#2a6090' -draw "rectangle 0,300 800,460" -fill '#c8b890' -draw "rectangle 0,450 800,600")
out=content/images/scenes/harbour_sea.png
png "${sea[@]}"
out=content/images/scenes/harbour_view.png
png "${sea[@]}" -fill '#8a8070' -draw "rectangle 330,452 470,500" -fill '#6a6050' \
  -draw "rectangle 330,462 470,466" -draw "rectangle 330,476 470,480" -draw "rectangle 330,490 470,494"

# A ship: a hull and a sail, then twelve frames in which it burns and sinks.
# Its mask is a clear picture over the hull: only the hull takes a stone.
ship() {  # NAME W H HULL SAIL
  local name=$1 w=$2 h=$3 hull=$4 sail=$5
  local hh=$((h * 2 / 5)) mid=$((w / 2))
  local draw="-fill $hull -draw \"polygon 0,$((h - hh)) $w,$((h - hh)) $((w - w / 6)),$h $((w / 6)),$h\" \
    -fill '#3a2a1a' -draw \"rectangle $((mid - 2)),4 $((mid + 2)),$((h - hh))\" \
    -fill $sail -draw \"polygon $((mid + 3)),6 $((mid + 3)),$((h - hh - 4)) $((w - 6)),$((h - hh - 4))\""
  eval "frame -size ${w}x${h} xc:none $draw"
  local i
  for i in $(seq 1 12); do
    local sink=$((i * h / 14)) fire=$((255 - i * 12))
    eval "frame -size ${w}x${h} xc:none $draw -fill 'rgba($fire,90,20,0.8)' \
      -draw \"ellipse $mid,$((h - hh)) $((w / 3)),$((h / 4)) 0,360\" -page +0+$sink -background none -flatten \
      -channel A -evaluate multiply $(awk "BEGIN{print 1 - $i / 13}") +channel"
  done
  sheet "$anim/$name.png"
  out=$anim/${name}_mask.png
  png -size "${w}x${hh}" xc:none
}
ship ship_small 60 50 "'#7a4a2a'" "'#f0e8d0'"
ship ship_big 90 70 "'#5a3a20'" "'#d04030'"

# The splash, 200 by 240 with the point where the stone falls at (100, 210):
# nothing at rest, then a white spout that rises far above the point (the
# game draws it at a third of its size in mid-sea, under the aiming mark,
# which must not hide it), throws drops, falls back and leaves a ring of
# foam spreading on the water.
frame -size 200x240 xc:none
for step in "60 30 0" "120 42 0" "170 54 1" "195 64 1" "150 74 1" "95 82 1" "45 88 0" "0 94 0" "0 98 0"; do
  set -- $step
  high=$1 ring=$2 drops=$3 wide=0
  draw=(-fill none -stroke 'rgba(255,255,255,0.95)' -strokewidth 8
    -draw "ellipse 100,210 $ring,$((ring / 3)) 0,360" -stroke none)
  if ((high > 0)); then
    wide=$((10 + high / 6))
    draw+=(-fill 'rgba(235,245,255,1)'
      -draw "polygon 90,212 110,212 $((100 + wide)),$((210 - high)) $((100 - wide)),$((210 - high))"
      -draw "ellipse $((100 - wide)),$((210 - high)) 10,12 0,360" -draw "ellipse 100,$((204 - high)) 12,14 0,360"
      -draw "ellipse $((100 + wide)),$((210 - high)) 10,12 0,360")
  fi
  if ((drops)); then
    draw+=(-fill 'rgba(235,245,255,1)' -draw "circle 60,$((200 - high / 2)) 60,$((192 - high / 2))"
      -draw "circle 140,$((196 - high / 2)) 140,$((188 - high / 2))"
      -draw "circle 76,$((186 - high * 3 / 4)) 76,$((180 - high * 3 / 4))"
      -draw "circle 126,$((184 - high * 3 / 4)) 126,$((178 - high * 3 / 4))")
  fi
  frame -size 200x240 xc:none "${draw[@]}"
done
sheet "$anim/miss.png"

# The aiming mark, the shore wall and the catapult (at rest, then kicking).
out=$anim/cursor.png
png -size 32x32 xc:none -stroke '#ff3020' -strokewidth 3 -fill none -draw "circle 16,16 16,4" \
  -draw "line 16,0 16,32" -draw "line 0,16 32,16"
out=$anim/wall.png
png -size 780x120 xc:'#8a8070' -fill '#6a6050' -draw "rectangle 0,0 780,14" \
  -fill '#7a7060' -draw "rectangle 40,30 140,60" -draw "rectangle 300,50 420,80" -draw "rectangle 600,30 700,60"
for arm in 0 -30 -60 -30; do
  frame -size 120x100 xc:none -fill '#5a3a1a' -draw "rectangle 10,70 110,90" \
    -stroke '#4a2a10' -strokewidth 8 -draw "line 60,75 $((60 + arm / 2)),$((20 - arm / 3))"
done
sheet "$anim/catapult.png"

# The aiming panel: the catapult seen from above with its shadow, and the
# bucket seen from the side, which tilts with the distance.
out=$panel/l_catapult_shadow.png
png -size 90x70 xc:none -fill 'rgba(0,0,0,0.35)' -draw "roundrectangle 4,4 86,66 10,10"
out=$panel/l_catapult.png
png -size 80x60 xc:none -fill '#6a4a2a' -draw "roundrectangle 0,10 80,50 8,8" \
  -fill '#8a6a3a' -draw "rectangle 34,0 46,60"
out=$panel/r_bucket.png
png -size 40x60 xc:none -fill '#5a3a1a' -draw "rectangle 0,50 8,60" -draw "rectangle 2,10 6,55" \
  -fill '#7a5a3a' -draw "ellipse 20,10 18,10 0,360"

# The panel's buttons: four arrows, fire and the menu, each at rest, under
# the pointer and pressed.
button() {  # NAME W H LABEL-DRAW...
  local name=$1 w=$2 h=$3
  shift 3
  local look colour
  for look in normal hover pressed; do
    case $look in normal) colour='#6a5a40' ;; hover) colour='#8a7a50' ;; pressed) colour='#4a3a20' ;; esac
    out=content/images/ui/catapult/${name}_$look.png
    png -size "${w}x$h" xc:none -fill "$colour" -draw "roundrectangle 0,0 $((w - 1)),$((h - 1)) 6,6" \
      -fill '#f0e0b0' "$@"
  done
}
button up 36 36 -draw "polygon 18,8 28,26 8,26"
button down 36 36 -draw "polygon 18,28 28,10 8,10"
button left 36 36 -draw "polygon 8,18 26,8 26,28"
button right 36 36 -draw "polygon 28,18 10,8 10,28"
button fire 80 50 -draw "circle 40,25 40,12"
button menu 90 30 -draw "rectangle 20,8 70,11" -draw "rectangle 20,14 70,17" -draw "rectangle 20,20 70,23"

# The sounds: WAV data under the names the game asks for.
snd=content/audio/sfx/minigames/catapult
tone "$snd/shoot.ogg" 0.2 sawtooth 200:80
tone "$snd/explosion.ogg" 0.4 brownnoise
tone "$snd/splash.ogg" 0.25 pinknoise

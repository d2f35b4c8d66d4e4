#!/bin/sh
# Generates the shooting range's sounds with sox, at the paths the game asks
# for: the shot, the reload, a bullet striking the wall and a target
# breaking. Short mono 8-bit WAV data under the names the game uses (the
# sound layer reads WAV whatever the extension). Repeatable (-R, no dither).
set -e
cd "$(dirname "$0")/../content"
mkdir -p audio/sfx/minigames/shooter
cd audio/sfx/minigames/shooter

tone() {  # file seconds synth-arguments...
  out=$1; len=$2; shift 2
  sox -R -D -n -r 11025 -c 1 -b 8 -t wav "$out" synth "$len" "$@" fade 0.005 "$len" 0.05 vol 0.5
}

tone shot.ogg 0.15 whitenoise
tone reload.ogg 0.2 square 300:500
tone ricoshet.ogg 0.25 sine 2000:600
tone ricoshet_con.ogg 0.3 pinknoise

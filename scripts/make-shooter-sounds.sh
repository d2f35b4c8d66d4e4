#!/usr/bin/env bash
# Generates the shooting range's sounds with sox, at the paths the game asks
# for: the shot, the reload, a bullet striking the wall and a target
# breaking. Short mono 8-bit WAV data under the names the game uses (the
# sound layer reads WAV whatever the extension). Repeatable (-R, no dither).
set -e
source "$(dirname "$0")/sound-kit.sh"
TONE_FADE_IN=0.005
cd "$(dirname "$0")/../content"
mkdir -p audio/sfx/minigames/shooter
cd audio/sfx/minigames/shooter


tone shot.ogg 0.15 whitenoise
tone reload.ogg 0.2 square 300:500
tone ricoshet.ogg 0.25 sine 2000:600
tone ricoshet_con.ogg 0.3 pinknoise

#!/usr/bin/env bash
# The kitchen game's four sounds: clear, done, and a right or a wrong dish.
# The game asks for them by these .ogg names; the files hold WAV data, which
# the sound layer reads under any name. Short mono 8-bit tones, repeatable
# (-R, no dither) so regenerating leaves the files as they are.
set -e
source "$(dirname "$0")/sound-kit.sh"
cd "$(dirname "$0")/../content"
mkdir -p audio/sfx/minigames/cook
cd audio/sfx/minigames/cook


tone clear.ogg 0.15 brownnoise
tone done.ogg 0.2 sine 660:990
tone dish_end_right.ogg 0.35 sine 880:1760
tone dish_end_noright.ogg 0.35 sawtooth 220:110

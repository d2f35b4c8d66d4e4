#!/usr/bin/env bash
# Generates the bundled sound effects and music of content/sounds with sox:
# short mono 8-bit tones, small enough to keep in the repository. Repeatable
# (-R, no dither) so regenerating leaves the files as they are.
set -e
source "$(dirname "$0")/sound-kit.sh"
cd "$(dirname "$0")/../content/sounds"

tone take.wav 0.12 sine 880
tone put.wav 0.12 sine 440
tone drop.wav 0.15 sine 330:220
tone open.wav 0.2 sine 300:600
tone close.wav 0.2 sine 600:300
tone deny.wav 0.2 square 150
tone no_air.wav 0.35 sine 260:130
tone page.wav 0.15 pinknoise
tone magic.wav 0.4 sine 500:1500
tone chime.wav 0.3 sine 1320
tone pour.wav 0.3 brownnoise
tone lamp_get.wav 0.1 sine 1760
tone door_creak.wav 0.35 sawtooth 90:140
tone splash.wav 0.25 brownnoise
tone book_turn.wav 0.15 pinknoise
tone book_back.wav 0.15 brownnoise
tone book_discover.wav 0.3 sine 990:1480
tone unlock_magic.wav 0.5 sine 660:1320
tone burn.wav 0.3 brownnoise
tone chop.wav 0.1 whitenoise
tone menu_theme.wav 1.0 sine 262 sine 330
tone menu_theme2.wav 0.8 sine 392
tone scene_theme.wav 1.2 sine 196
# The six magics, each with its own sound.
tone fire_magic.wav 0.4 sawtooth 300:900
tone health_magic.wav 0.4 sine 660:990
tone invisible_magic.wav 0.4 sine 1200:400
tone rainbow_magic.wav 0.4 sine 400:1600
tone space_magic.wav 0.4 square 200:800
tone time_magic.wav 0.4 square 800:200
# The navigator's music, one for each kind of journey.
tone navigator_space.wav 1.0 sine 220:440
tone navigator_time.wav 1.0 sine 440:220
# The crypt's ambient sounds: a drip that loops, and a draught now and then.
tone crypt_drip.wav 0.6 sine 1200:900
tone crypt_wind.wav 0.8 brownnoise

# What cannot be done (the alchemical device's refusals, the mouse trap's):
# a sound of its own, apart from the deny of a locked container.
tone impossible.wav 0.2 square 120:100
# The alchemical device: a sound of its own for each thing it does.
tone device_add.wav 0.15 sine 420:280
tone device_last.wav 0.35 sine 880:1320
tone device_done.wav 0.45 sine 400:1600
tone device_failed.wav 0.4 sawtooth 300:120
tone device_clear.wav 0.3 pinknoise
tone device_liquid.wav 0.3 sine 260:180
tone device_on.wav 0.25 sine 200:800
tone device_pour.wav 0.35 sine 1000:500
tone device_boil.wav 0.6 brownnoise

# The unit tests' own sounds (tests/fixtures/startup/sounds): plain tones
# whose lengths the tests count on.
cd ../../tests/fixtures/startup/sounds
tone a.wav 0.1 sine 440
tone b.wav 0.1 sine 660
tone c.wav 0.1 sine 880
tone track.wav 0.2 sine 330

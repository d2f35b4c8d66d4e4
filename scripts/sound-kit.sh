# Sourced by the scripts that make sounds with sox: `tone FILE SECONDS
# SYNTH...` writes a short mono 8-bit tone as WAV data, whatever FILE's
# extension (the sound layer reads WAV under any name), faded in over
# $TONE_FADE_IN seconds (0.01 unless set) and out over 0.05. Repeatable (-R,
# no dither), so making a sound again leaves its file as it is.
command -v sox >/dev/null || { echo "$0: needs sox" >&2; exit 1; }
tone() {
  local file=$1 len=$2
  shift 2
  sox -R -D -n -r 11025 -c 1 -b 8 -t wav "$file" synth "$len" "$@" fade "${TONE_FADE_IN:-0.01}" "$len" 0.05 vol 0.5
}

# Sourced by the art scripts that draw with ImageMagick, from the
# repository's root: `png` writes the picture named by $out, `mask` an
# opaque mask of a size, and `frame` and `sheet` lay animation frames side
# by side. Every picture is written 8-bit RGBA without metadata, so that
# drawing it again gives the same bytes.
png() { convert "$@" -depth 8 -strip -define png:color-type=6 "png:$out"; }
mask() {  # mask OUT WxH: opaque over the whole region
  out=$1
  png -size "$2" xc:'#ffffff'
}
# Animation frames are drawn one by one, then put side by side.
art_kit_tmp=$(mktemp -d)
trap 'rm -rf "$art_kit_tmp"' EXIT
frames=()
frame() {  # frame CONVERT-ARGS...: one more frame for the next sheet
  local f=$art_kit_tmp/frame${#frames[@]}.png
  convert "$@" "png:$f"
  frames+=("$f")
}
sheet() {  # sheet OUT: the frames so far, left to right
  out=$1
  png "${frames[@]}" +append
  frames=()
}

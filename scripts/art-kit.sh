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

# An item's 40 by 40 picture in content/anim/items/ and its description in
# content/xml/, the one picture in every place: item_picture NAME DRAW...
item_picture() {
  local name=$1
  shift
  out=content/anim/items/$name.png
  png -size 40x40 xc:none "$@"
  cat >"content/xml/item_$name.xml" <<EOF
<!-- Made by scripts/$(basename "$0"): one 40 by 40 picture in every place. -->
<main id="item_$name">
  <objects>
    <obj id="main">
      <images><img name="items/$name.png"/></images>
      <framelist centering="left"><frame x="0" y="0" w="40" h="40"/></framelist>
      <states>
        <state id="stScene" framelist="0"/>
        <state id="stPointer" framelist="0"/>
        <state id="stInventory" framelist="0"/>
        <state id="stAlchemicalInventory" framelist="0"/>
        <state id="stDropped" framelist="0"/>
      </states>
    </obj>
  </objects>
</main>
EOF
}

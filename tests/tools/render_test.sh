#!/usr/bin/env bash
# facetwright-tool render without a display: real models drawn into PNG files, checked by pixels.
set -u
tool=$1
src=$2
unset DISPLAY WAYLAND_DISPLAY
source "$(dirname "$0")/scratch.sh"
mkdir -p "$APPDATA/Facetwright"
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
# Pixels of the picture that are exactly the colour "r,g,b".
count_of() {
  local size; size=$(identify -format '%wx%h' "$1")
  convert -size "$size" "xc:rgb($2)" "$work/flat.png"
  echo $(( ${size%x*} * ${size#*x} - $(compare -metric AE "$1" "$work/flat.png" null: 2>&1) ))
}
shows_model() { # picture, background: mostly background, yet the model covers the middle
  local n; n=$(count_of "$1" "$2")
  [ "$n" -gt 10000 ] && [ "$n" -lt 60000 ] && [ "$(pixel "$1" 128 160)" != "$2" ]
}

# The background of the per-user configuration, as the editor would clear to.
printf '%s\n' '[config]' '' 'BackgroundR = 0.200000' 'BackgroundG = 0.400000' 'BackgroundB = 0.600000' \
  >"$APPDATA/Facetwright/Config.ini"
bg=51,102,153
for model in NEW_MODEL PREVIEWMODEL1 PREVIEWMODEL2 PREVIEWMODEL3; do
  "$tool" render "$src/resources/defaults/$model.FW2" "$work/$model.png"
  check "$model renders" test $? -eq 0
  check "$model is 256 x 256" test "$(identify -format '%wx%h' "$work/$model.png")" = 256x256
  check "$model shows on the background" shows_model "$work/$model.png" "$bg"
done

# Without a configuration the background is black.
rm "$APPDATA/Facetwright/Config.ini"
"$tool" render "$src/resources/defaults/NEW_MODEL.FW2" "$work/black.png"
check "no configuration: black background" shows_model "$work/black.png" 0,0,0

# A texture: left half red, right half blue, on the default square (u runs left to right).
mkdir "$work/textured"
convert -size 32x64 xc:red -size 32x64 xc:blue +append BMP3:"$work/textured/halves.bmp"
sed -e 's/,0,1,1,0,0,1,0.500000,0.500000,0.500000,0.500000,$/,0,1,1,1,0,1,1.000000,1.000000,1.000000,1.000000,/' \
  -e 's|^MAT|TEX,0,./halves.bmp\nMAT|' "$src/resources/defaults/NEW_MODEL.FW2" >"$work/textured/t.FW2"
(cd "$work" && "$tool" render textured/t.FW2 tex.png)
check "a relative model path renders" test $? -eq 0
IFS=, read -r r g b <<<"$(pixel "$work/tex.png" 100 160)"
check "the left of the square is red" test "$r" -gt 40 -a "$b" -lt 10
IFS=, read -r r g b <<<"$(pixel "$work/tex.png" 156 160)"
check "the right of the square is blue" test "$b" -gt 40 -a "$r" -lt 10

# A remote texture is fetched only when asked: a thumbnail never reaches the network.
sed -e 's|^TEX,0,.*|TEX,0,http://127.0.0.1:9/x.png|' "$work/textured/t.FW2" >"$work/remote.FW2"
err=$("$tool" render "$work/remote.FW2" "$work/remote.png" 2>&1)
check "remote textures are not fetched by default" \
  grep -qxF 'WARNING: Texture 0 skipped (remote textures are not fetched): http://127.0.0.1:9/x.png' <<<"$err"
err=$("$tool" render "$work/remote.FW2" "$work/remote.png" --fetch-remote 2>&1)
check "--fetch-remote tries the address" \
  grep -qxF 'WARNING: Texture 0 cannot be loaded: http://127.0.0.1:9/x.png' <<<"$err"

# All four views in the window's arrangement, at a given size: dividers at the halves.
"$tool" render "$src/resources/defaults/PREVIEWMODEL2.FW2" "$work/all.png" --size 400x300 --view all
check "--size WxH --view all" test "$(identify -format '%wx%h' "$work/all.png")" = 400x300
check "the vertical divider" test "$(pixel "$work/all.png" 200 60)" = 102,102,76
check "the horizontal divider" test "$(pixel "$work/all.png" 60 150)" = 102,102,76
for xy in "100 75" "300 75" "100 225" "300 225"; do
  check "every quarter shows the vase ($xy)" test "$(pixel "$work/all.png" $xy)" != 0,0,0
done
# Lit as the editor shows it once its normals are finished, not by the ambient light alone.
IFS=, read -r r g b <<<"$(pixel "$work/all.png" 100 75)"
check "the front view's vase is lit" test "$r" -gt 150
"$tool" render "$src/resources/defaults/PREVIEWMODEL1.FW2" "$work/front.png" --view front --size 64
check "--size N is square" test "$(identify -format '%wx%h' "$work/front.png")" = 64x64
check "the front view shows the cube face on" test "$(pixel "$work/front.png" 40 40)" != 0,0,0

# A model far from the origin: off the picture as the editor starts, in the middle when framed.
printf '%s\n' 'v 30 20 -10' 'v 34 20 -10' 'v 34 24 -10' 'v 30 24 -10' 'f 1 2 3 4' >"$work/far.obj"
printf '%s\n' 'v 0 0 100' 'v 1 0 100' 'v 0 1 100' 'f 1 2 3' >"$work/none.obj" # behind the camera
"$tool" render "$work/far.obj" "$work/far.png"
"$tool" render "$work/none.obj" "$work/none.png"
check "without --frame the camera is the editor's: the far model is off the picture" \
  test "$(compare -metric AE "$work/far.png" "$work/none.png" null: 2>&1)" = 0
"$tool" render "$work/far.obj" "$work/far-framed.png" --frame --view all --size 256
for xy in "64 64" "192 64" "64 192" "192 192"; do
  check "--frame centres it in every view ($xy)" test "$(pixel "$work/far-framed.png" $xy)" != 0,0,0
done
# The desktop's thumbnails: the entry's own command, shading alone (no grid lines).
exec_line=$(sed -n 's/^Exec=facetwright-tool //p' "$src/resources/desktop/facetwright.thumbnailer")
exec_line=${exec_line//%i/$work/far.obj}
exec_line=${exec_line//%o/$work/thumb.png}
"$tool" ${exec_line//%s/128}
check "the thumbnailer's command writes a picture" test "$(identify -format '%wx%h' "$work/thumb.png")" = 128x128
check "the thumbnail shows the model in the middle" test "$(pixel "$work/thumb.png" 64 64)" != 0,0,0
check "the thumbnail has no grid" test "$(count_of "$work/thumb.png" 0,0,0)" -gt 8000
check "a framed picture has its grid" test "$(count_of "$work/far-framed.png" 51,51,51)" -gt 100

# Failures: the command line (2), the model or the target (1); OUT stays as it was.
echo "keep me" >"$work/keep.png"
"$tool" render "$src/resources/defaults/NEW_MODEL.FW2" "$work/keep.png" --size 0x10 2>/dev/null
check "a size of 0 is not understood" test $? -eq 2
"$tool" render "$src/resources/defaults/NEW_MODEL.FW2" "$work/keep.png" --view side 2>/dev/null
check "an unknown view is not understood" test $? -eq 2
"$tool" render "$work/missing.FW2" "$work/keep.png" 2>/dev/null
check "a missing model fails" test $? -eq 1
check "and leaves OUT untouched" grep -qx 'keep me' "$work/keep.png"
"$tool" render "$src/resources/defaults/NEW_MODEL.FW2" /nonexistent/dir/out.png 2>/dev/null
check "an unwritable OUT fails" test $? -eq 1

finish

#!/usr/bin/env bash
# glTF, OBJ with materials and STL from facetwright-tool, read by other programs: the Khronos glTF
# validator and obj2gltf (npm, installed into the build folder on first use) and assimp.
set -u
tool=$1
src=$2
npmdir=$3
source "$(dirname "$0")/scratch.sh"
mkdir -p "$APPDATA/Facetwright"
validate() { NODE_PATH="$npmdir/node_modules" node "$src/tests/tools/gltf_validate.js" "$@"; }

# Without the other programs nothing here can be checked: that is a failure, not a pass.
if [ ! -d "$npmdir/node_modules/gltf-validator" ] || [ ! -d "$npmdir/node_modules/obj2gltf" ]; then
  if ! command -v npm >/dev/null; then echo "FAILED: npm is needed for gltf-validator and obj2gltf"; exit 1; fi
  mkdir -p "$npmdir"
  if ! (cd "$npmdir" && npm install --no-audit --no-fund gltf-validator@2.0.0-dev.3.10 obj2gltf@3.2.0 >npm.log 2>&1); then
    cat "$npmdir/npm.log"; echo "FAILED: npm install of gltf-validator and obj2gltf"; exit 1
  fi
fi
command -v assimp >/dev/null || { echo "FAILED: assimp (assimp-utils) is needed"; exit 1; }
cd "$work" || exit 1

triangles_of() { "$tool" info "$1" | sed -n 's/^triangles: //p'; }
bounds_of() { "$tool" info "$1" | sed -n 's/^bounds: //p'; }
# Every number of two bounds lines within 1e-4.
same_bounds() { awk -v a="$1" -v b="$2" 'BEGIN { n = split(a, x); split(b, y); if (n != 6) exit 1
  for (i = 1; i <= n; i++) { d = x[i] - y[i]; if (d > 1e-4 || d < -1e-4) exit 1 } }'; }
# "file errors E warnings W triangles T vertices V" from the validator.
report_field() { awk -v f="$1" -v k="$2" '$1 == f { for (i = 2; i < NF; i++) if ($i == k) print $(i + 1) }' report.txt; }

# A textured model: two meshes, two materials (one lit and blended, one unlit), two images with
# black in them.
convert -size 8x8 xc:red -fill black -draw 'rectangle 0,0 3,7' red.bmp
convert -size 4x4 xc:blue -fill black -draw 'point 0,0' blue.bmp
{
  echo '2.6x VERSION '
  echo 'TEX,0,./red.bmp'
  echo 'TEX,1,./blue.bmp'
  echo 'MAT,0,0.2,0.2,0.2,1,0.8,0.6,0.4,0.5,0.5,0.5,0.5,1,0.1,0,0,1,50,1,770,771,1,0,1,1,1,1,1,Lit_Red'
  echo 'MAT,1,0.2,0.2,0.2,1,0.3,0.3,0.9,1,0,0,0,1,0,0,0,1,0,0,1,1,1,1,0,0.2,0.4,0.6,1,Flat_Blue'
  echo 'MSH,0,0,1,0,0'
  echo 'MSH,1,3,1,1,1'
  echo 'VTX,0,0,0,0,0,0,1,1,1,1'
  echo 'VTX,1,1,0,0,1,0,1,1,1,1'
  echo 'VTX,2,1,1,0,1,1,1,1,1,1'
  echo 'VTX,3,0,0,1,0,0,1,1,1,1'
  echo 'VTX,4,1,1,1,1,1,1,1,1,1'
  echo 'VTX,5,0,1,1,0,1,1,1,1,1'
} >textured.FW2
"$tool" convert textured.FW2 textured.glb
check "a textured model converts to .glb" test $? -eq 0
"$tool" convert textured.FW2 out/textured.gltf 2>/dev/null || { mkdir out && "$tool" convert textured.FW2 out/textured.gltf; }
check ".gltf gets its buffer and images beside it" test -s out/textured.bin -a -s out/textured_texture0.png -a -s out/textured_texture1.png
validate textured.glb out/textured.gltf >report.txt
for f in textured.glb out/textured.gltf; do
  check "$f: no validator errors" test "$(report_field "$f" errors)" = 0
  check "$f: no validator warnings" test "$(report_field "$f" warnings)" = 0
done
check "the validator names no issue" test "$(grep -c '^  ' report.txt)" = 0
# Black became transparent in the embedded image.
check "the image's black is transparent" test "$(convert out/textured_texture0.png -format '%[fx:int(255*p{0,0}.a)],%[fx:int(255*p{7,0}.a)]' info:)" = "0,255"
"$tool" convert textured.glb back.FW2
check ".glb back to a model keeps both meshes" test "$("$tool" info back.FW2 | sed -n 's/^meshes: //p')" = 2
check "embedded images are written beside the file" test -s textured_image0.png -a -s textured_image1.png
check "the imported model names them" grep -q '^TEX,1,./textured_image1.png' back.FW2
check "the imported materials keep their names and blending" grep -q '^MAT,1,.*,1,770,771,1,0,1,.*,Lit_Red$' back.FW2

# The shared models: valid, every triangle there; flat meshes as they are, smooth ones share.
models=$src/../shared/models
if [ -d "$models" ]; then
  files=()
  for obj in "$models"/*.obj; do
    name=$(basename "$obj" .obj)
    "$tool" convert "$obj" "$name.FW2" && sed 's/^\(MSH,.*\),0$/\1,1/' "$name.FW2" >"$name-smooth.FW2"
    "$tool" convert "$name.FW2" "$name.glb" && "$tool" convert "$name-smooth.FW2" "$name-smooth.glb"
    files+=("$name.glb" "$name-smooth.glb")
  done
  validate "${files[@]}" >report.txt
  for obj in "$models"/*.obj; do
    name=$(basename "$obj" .obj)
    t=$(triangles_of "$name.FW2")
    for f in "$name.glb" "$name-smooth.glb"; do
      check "$f: no errors" test "$(report_field "$f" errors)" = 0
      check "$f: no warnings" test "$(report_field "$f" warnings)" = 0
      check "$f: $t triangles" test "$(report_field "$f" triangles)" = "$t"
    done
    check "$name.glb: no more vertices than corners" test "$(report_field "$name.glb" vertices)" -le $((3 * t))
    check "$name-smooth.glb: fewer vertices than corners" test "$(report_field "$name-smooth.glb" vertices)" -lt $((3 * t))
  done

  # Another program's glTF: obj2gltf's binary and its .gltf with data URIs.
  for obj in spot cow; do
    node "$npmdir/node_modules/obj2gltf/bin/obj2gltf.js" -i "$models/$obj.obj" -o "$obj-o2g.glb" >/dev/null
    node "$npmdir/node_modules/obj2gltf/bin/obj2gltf.js" -i "$models/$obj.obj" -o "$obj-o2g.gltf" >/dev/null
    for f in "$obj-o2g.glb" "$obj-o2g.gltf"; do
      check "$f imports with the OBJ's triangles" test "$(triangles_of "$f")" = "$(triangles_of "$models/$obj.obj")"
      check "$f imports with the OBJ's bounds" same_bounds "$(bounds_of "$f")" "$(bounds_of "$models/$obj.obj")"
    done
  done
else
  echo "no $models: the shared models are not checked"
fi

# Nested node transforms: a matrix, then scale and translation, then rotation and translation.
python3 - <<'PY'
import base64, json, struct
tri = struct.pack('<9f', 0, 0, 0, 1, 0, 0, 0, 1, 0)
uri = 'data:application/octet-stream;base64,' + base64.b64encode(tri).decode()
doc = {
  'asset': {'version': '2.0'}, 'scene': 0, 'scenes': [{'nodes': [0]}],
  'nodes': [
    {'matrix': [1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 3, 1], 'children': [1]},
    {'scale': [2, 2, 2], 'translation': [10, 0, 0], 'children': [2]},
    {'rotation': [0, 0, 0.70710678, 0.70710678], 'translation': [0, 5, 0], 'mesh': 0}],
  'meshes': [{'primitives': [{'attributes': {'POSITION': 0}}, {'attributes': {'POSITION': 0}, 'mode': 0}]}],
  'accessors': [{'bufferView': 0, 'componentType': 5126, 'count': 3, 'type': 'VEC3',
                 'min': [0, 0, 0], 'max': [1, 1, 0]}],
  'bufferViews': [{'buffer': 0, 'byteLength': 36}],
  'buffers': [{'byteLength': 36, 'uri': uri}]}
open('nested.gltf', 'w').write(json.dumps(doc))
doc['extensionsRequired'] = doc['extensionsUsed'] = ['EXT_unknown_thing']
open('required.gltf', 'w').write(json.dumps(doc))
PY
check "nested transforms: one triangle, the points skipped" test "$(triangles_of nested.gltf)" = 1
check "nested transforms put it where they say" same_bounds "$(bounds_of nested.gltf)" "8 10 3 10 12 3"
"$tool" info required.gltf >/dev/null 2>required.err
check "an unsupported required extension refuses the file, naming it" grep -q EXT_unknown_thing required.err

# OBJ with materials and STL, read by assimp.
"$tool" convert textured.FW2 mats/textured.obj --materials 2>/dev/null || { mkdir mats && "$tool" convert textured.FW2 mats/textured.obj --materials; }
check "OBJ with materials copies the images beside it" test -s mats/red.bmp -a -s mats/blue.bmp
assimp info mats/textured.obj >assimp.txt 2>&1
check "assimp reads the OBJ's triangles" grep -Eq '^Faces: +2$' assimp.txt
check "assimp finds both materials" grep -q "'Lit_Red'" assimp.txt
check "assimp finds both textures" test "$(grep -c 'red.bmp\|blue.bmp' assimp.txt)" -ge 2
check "assimp warns of nothing" test "$(grep -ci 'warn' assimp.txt)" = 0
if [ -d "$models" ]; then
  "$tool" convert cow.FW2 cow.stl
  t=$(triangles_of cow.FW2)
  check "binary STL: 84 bytes and 50 a triangle" test "$(stat -c %s cow.stl)" = $((84 + 50 * t))
  assimp info cow.stl >assimp.txt 2>&1
  check "assimp reads the STL's triangles" grep -Eq "^Faces: +$t\$" assimp.txt
  check "assimp finds the STL's bounds" grep -q 'Maximum point *(5.998088 2.759720 1.701405)' assimp.txt
fi
finish

#!/usr/bin/env bash
# Runs facetwright-tool on small files and checks its output, exit codes and the files it writes.
set -u
tool=$1
src=$2
source "$(dirname "$0")/scratch.sh"

# info on the default model
"$tool" info "$src/resources/defaults/NEW_MODEL.FW2" >"$work/info.txt" 2>"$work/info.err"
check "info exits 0" test $? -eq 0
printf '%s\n' 'vertices: 6' 'triangles: 2' 'meshes: 1' 'materials: 1' 'textures: 0' \
  'bounds: -1.000000 -1.000000 0.000000 1.000000 1.000000 0.000000' >"$work/info.want"
check "info prints counts and bounds" cmp -s "$work/info.txt" "$work/info.want"
check "the log goes to the per-user directory" grep -q 'Opening Model File: ' "$APPDATA/Facetwright/facetwright-tool.Log"
# the editor's log stays as the running editor left it
echo "editor line" >"$APPDATA/Facetwright/Facetwright.Log"
"$tool" info "$src/resources/defaults/NEW_MODEL.FW2" >/dev/null
"$tool" convert "$src/resources/defaults/NEW_MODEL.FW2" "$work/log.FW2"
check "the tool leaves the editor's log alone" grep -qx 'editor line' "$APPDATA/Facetwright/Facetwright.Log"
# only render draws: the other commands load no window, OpenGL or Mesa library (nor its compiler)
for command in info dump; do
  LD_DEBUG=libs "$tool" $command "$src/resources/defaults/NEW_MODEL.FW2" 2>"$work/libs.txt" >/dev/null
  check "$command loads no drawing library" \
    test -z "$(grep 'calling init' "$work/libs.txt" | grep -iE 'qt|libgl|osmesa|llvm|gallium|glapi')"
done

# convert: a file written by the program comes back byte for byte, whatever the extension's case
cd "$work"
"$tool" convert "$src/resources/defaults/NEW_MODEL.FW2" first.fw2
check "convert writes a relative target beside the caller" test -s "$work/first.fw2"
"$tool" convert first.fw2 second.FW2
check "convert of a program-written file is byte-identical" cmp -s first.fw2 second.FW2
cp "$src/resources/defaults/PREVIEWMODEL1.FW2" preview.FW2 2>/dev/null && {
  "$tool" convert preview.FW2 p1.FW2 && "$tool" convert p1.FW2 p2.FW2
  check "preview model round trip is byte-identical" cmp -s p1.FW2 p2.FW2
}

# a record number out of range: exit 1, the reader's message with its line number, OUT untouched
printf '%s\n' '2.6x VERSION ' 'VTX,0,0,0,0,0,0,1,1,1,1' 'VTX,1,0,0,0,0,0,1,1,1,1' \
  'VTX,5,0,0,0,0,0,1,1,1,1' >bad.FW2
echo "keep me" >out.FW2
"$tool" info bad.FW2 >/dev/null 2>"$work/bad.err"
check "a bad record number exits 1" test $? -eq 1
check "the error names the record and line" grep -q 'bad.FW2 : Line: 4 - Invalid Vertex number' "$work/bad.err"
"$tool" convert bad.FW2 out.FW2 2>/dev/null
check "a failed convert exits 1" test $? -eq 1
check "a failed convert leaves OUT untouched" grep -qx 'keep me' out.FW2
"$tool" info missing.FW2 >/dev/null 2>"$work/missing.err"
check "a missing file exits 1" test $? -eq 1
check "a missing file says so" grep -q 'Failed to open Model File' "$work/missing.err"
"$tool" convert first.fw2 out.txt 2>/dev/null
check "an unknown target format exits 1" test $? -eq 1

# a file that is no model (an image, OBJ text under another name) is refused, not read as empty
printf '\211PNG\r\n\032\n\0\0\0\rIHDR\0\0\0\001' >photo.png
"$tool" info photo.png >photo.info 2>"$work/photo.err"
check "info of an image exits 1" test $? -eq 1
check "info of an image prints no counts" test ! -s photo.info
check "the refusal says it is no model file" grep -q 'photo.png is not a model file' "$work/photo.err"
"$tool" convert photo.png out.FW2 2>/dev/null
check "convert of an image exits 1" test $? -eq 1
check "convert of an image leaves OUT untouched" grep -qx 'keep me' out.FW2
printf '%s\n' '# made by hand' 'v 0 0 0' 'v 1 0 0' 'v 0 1 0' 'f 1 2 3' >tri.txt
"$tool" convert tri.txt out.FW2 2>/dev/null
check "OBJ text named .txt is refused too" test $? -eq 1

# dump: one line per mesh, then one per vertex with unit normals
"$tool" dump first.fw2 >dump.txt
check "dump exits 0" test $? -eq 0
check "dump prints the mesh line" grep -qx 'mesh 0 first 0 triangles 2 material 0 smooth 0' dump.txt
check "dump prints every vertex with its normal" test "$(grep -c '^vertex ' dump.txt)" -eq 6
check "dump normals face +Z" grep -qx 'vertex 2 1.000000 1.000000 0.000000 0.000000 -0.000000 1.000000 1.000000 1.000000' dump.txt

# OBJ in: imported into an empty model with the default model's one material
printf '%s\n' 'v 0 0 0' 'v 1 0 0' 'v 1 1 0' 'v 0 1 0' 'g quad' 'f 1 2 3 4' 'g tri' 'f 1 2 3' >quad.obj
"$tool" info quad.obj >quad.info
check "info reads an OBJ" test $? -eq 0
printf '%s\n' 'vertices: 9' 'triangles: 3' 'meshes: 2' 'materials: 1' 'textures: 0' \
  'bounds: 0.000000 0.000000 0.000000 1.000000 1.000000 0.000000' >quad.want
check "an OBJ becomes one mesh per group" cmp -s quad.info quad.want
"$tool" convert quad.obj quad.FW2
check "OBJ to FW2 keeps the default material" grep -q '^MAT,0,0.200000,0.200000,0.200000,0.470000' quad.FW2
check "OBJ to FW2 writes the imported meshes" grep -qx 'MSH,1,6,1,0,0' quad.FW2
"$tool" dump QUAD.OBJ >/dev/null 2>&1
check "a missing OBJ fails" test $? -eq 1
cp quad.obj QUAD2.OBJ && "$tool" dump QUAD2.OBJ >quad.dump
check "dump reads an OBJ whatever the extension's case" grep -qx 'vertex 3 0.000000 0.000000 0.000000 0.000000 -0.000000 1.000000 0.000000 1.000000' quad.dump

# OBJ out: every vertex with a finished normal (more than one pass's worth), faces per triangle
"$tool" convert "$src/resources/defaults/PREVIEWMODEL2.FW2" preview.obj
check "FW2 to OBJ exits 0" test $? -eq 0
check "the OBJ holds every vertex" test "$(grep -c '^v ' preview.obj)" -eq "$(grep -c '^VTX' "$src/resources/defaults/PREVIEWMODEL2.FW2")"
check "no normal is left unfinished" test "$(grep -c '^vn 0.000000 0.000000 0.000000$' preview.obj)" -eq 0
check "faces follow the vertices" grep -qx 'f 4 5 6' preview.obj
"$tool" convert preview.obj again.Obj && "$tool" info again.Obj >again.info && "$tool" info preview.obj >preview.info
check "an exported OBJ comes back with the same triangles" cmp -s again.info preview.info

# bad OBJ: the reader's message, exit 1, OUT untouched
printf '%s\n' 'v 0 0 0' 'v 1 0 0' 'v 0 1 0' 'f 1 2 9' 'f -3 -2 -1' >bad.obj
"$tool" convert bad.obj out.FW2 2>bad.obj.err
check "an OBJ without valid faces exits 1" test $? -eq 1
check "it says why" grep -q 'No Valid Triangles found within OBJ Face List.' bad.obj.err
check "and leaves OUT untouched" grep -qx 'keep me' out.FW2
"$tool" convert first.fw2 /nonexistent/dir/out.obj 2>obj.err
check "an OBJ that cannot be written exits 1" test $? -eq 1
check "and says so" grep -q 'Failed to Open File for Saving!' obj.err

# textures: names that find the images from OUT's folder; a missing image is named, no failure
mkdir -p tex/maps tex/nested other
printf '%s\n' '2.6x VERSION ' 'TEX,0,./maps/wood.bmp' 'TEX,1,./gone.bmp' >tex/t.FW2
: >tex/maps/wood.bmp
"$tool" convert tex/t.FW2 tex/nested/t.FW2 2>tex.err
check "a model whose texture is missing still converts" test $? -eq 0
check "the missing texture is named on standard error" grep -qx 'WARNING: Texture 1 cannot be loaded: ./gone.bmp' tex.err
check "only the missing one" test "$(wc -l <tex.err)" -eq 1
check "and in the log" grep -q 'WARNING: Texture 1 cannot be loaded: ./gone.bmp' "$APPDATA/Facetwright/facetwright-tool.Log"
check "a nested OUT names its textures from its folder" grep -qx 'TEX,0,../maps/wood.bmp' tex/nested/t.FW2
"$tool" convert tex/t.FW2 other/t.FW2 2>/dev/null
check "a sibling OUT names its textures from its folder" grep -qx 'TEX,0,../tex/maps/wood.bmp' other/t.FW2
"$tool" info other/t.FW2 >/dev/null 2>tex2.err
check "which the converted file finds again" test "$(grep -c 'Texture 0 ' tex2.err)" -eq 0

# legacy input: grids of shared points become triangles, saved in the current format
printf '%s\n' 'MAT,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,m' \
  'VTX,0,0,0,0,0,0,1,1,1,1' 'VTX,1,1,0,0,1,0,1,1,1,1' 'VTX,2,2,0,0,1,0,1,1,1,1' \
  'VTX,3,0,1,0,0,1,1,1,1,1' 'VTX,4,1,1,0,1,1,1,1,1,1' 'VTX,5,2,1,0,1,1,1,1,1,1' \
  'MSH,0,0,3,2,0' >legacy.FW2
"$tool" convert legacy.FW2 current.FW2
check "a legacy file converts" grep -qx 'MSH,0,0,4,0,1' current.FW2
check "with the version line" grep -q '^2.6x VERSION' current.FW2

# usage
"$tool" --help | grep -q 'convert IN OUT'
check "--help explains the commands" test $? -eq 0
"$tool" frobnicate >/dev/null 2>&1
check "an unknown command exits 2" test $? -eq 2

finish

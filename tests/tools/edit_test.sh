#!/usr/bin/env bash
# Runs facetwright-tool edit: operations in order, their arithmetic, and failures leaving OUT alone.
set -u
tool=$1
src=$2
source "$(dirname "$0")/scratch.sh"
cd "$work"
square=$src/resources/defaults/NEW_MODEL.FW2

# scale, then a quarter turn about z (counter-clockwise seen from +z), then a move
"$tool" edit "$square" out.FW2 select-all scale 2 1 1 rotate z 90 move 1 0 0
check "edit exits 0" test $? -eq 0
"$tool" info out.FW2 | grep '^bounds' >bounds.txt
check "the operations ran in order" grep -qx 'bounds: 0.000000 -2.000000 0.000000 2.000000 2.000000 0.000000' bounds.txt
# corner 1 was (1,-1), scaled to (2,-1), turned to (1,2), moved to (2,2)
"$tool" dump out.FW2 | grep '^vertex 1 ' >v1.txt
check "rotation turns counter-clockwise about the centre" grep -q '^vertex 1 2.000000 2.000000 0.000000 ' v1.txt

# weld: an OBJ whose two triangles' shared corners have drifted apart
printf '%s\n' 'v 0 0 0' 'v 1 0 0' 'v 0 1 0' 'v 1.02 0.01 0' 'v 1 1 0' 'v 0.01 1.03 0' \
  'f 1 2 3' 'f 4 5 6' >crack.obj
"$tool" edit crack.obj welded.FW2 select-all weld 0.05 >weld.out
check "weld reports the corners it moved" grep -qx 'weld: 4 corners moved' weld.out
"$tool" dump welded.FW2 | awk '$1 == "vertex" { print $3, $4, $5 }' >welded.txt
check "welded corners share one position" test "$(sed -n 2p welded.txt)" = "$(sed -n 4p welded.txt)"
check "the other pair too" test "$(sed -n 3p welded.txt)" = "$(sed -n 6p welded.txt)"

# every operation is accepted
"$tool" edit "$square" all.OBJ select-mesh 0 mirror x invert smooth on recalculate-uv \
  select-all rotate y 30 weld 0.01 subdivide strip-unused >/dev/null
check "every operation runs" test $? -eq 0
check "subdivide split both triangles" test "$(grep -c '^f ' all.OBJ)" -eq 8

# failures: exit 1, the reason on standard error, OUT untouched
echo "keep me" >kept.FW2
fails() { # description, expected message, operations...
  local what=$1 message=$2; shift 2
  "$tool" edit "$square" kept.FW2 "$@" >/dev/null 2>err.txt
  check "$what exits 1" test $? -eq 1
  check "$what says why" grep -q "$message" err.txt
  check "$what leaves OUT untouched" grep -qx 'keep me' kept.FW2
}
fails "an unknown operation" "unknown operation 'twist'" select-all twist 3
fails "a move with nothing selected" "no unlocked vertex is selected" move 1 0 0
fails "a missing argument" "'scale' needs 3" select-all scale 2 2
fails "a bad axis" "'w' is not x, y or z" select-all rotate w 10
fails "a mesh that does not exist" "there is no mesh 3" select-mesh 3
fails "a weld distance of zero" "greater than 0" select-all weld 0

"$tool" --help >help.txt
for op in select-all select-mesh move rotate scale mirror weld subdivide invert smooth \
  recalculate-uv strip-unused; do
  check "--help lists $op" grep -q "^    $op" help.txt
done
finish

#!/usr/bin/env bash
# Framing, command keys and recent files in the real editor (xdotool under Xvfb): Home brings an
# off-centre model into every view, Ctrl+S saves a named model, recent files survive a restart.
set -u
bin=$1
source "$(dirname "$0")/lib.sh"

# The views of an 800 x 600 surface, as x y w h.
front="0 0 400 300" left="400 0 400 300" top="0 300 400 300"
wire_pixels() { # x y w h: pixels of the wireframe's colour in that part of the surface
  import -window "$gl" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -crop "$3x$4+$1+$2" +repage -format %c histogram:info:- |
    awk '/#333366/ {n = $1 + 0} END {print n + 0}'
}
empty_3d_centre() { case "$(pixel 600 450)" in 0,0,0 | 51,51,51) return 0 ;; esac; return 1; }
key() { xdotool windowactivate --sync "$wid" 2>/dev/null; xdotool key "$1"; sleep 0.6; }

# A box far from the origin on every axis: outside all four views as they start.
mkdir "$work/models"
printf '%s\n' 'v 9 3 -8' 'v 11 3 -8' 'v 11 5 -8' 'v 9 5 -8' 'v 9 3 -6' 'v 11 3 -6' 'v 11 5 -6' \
  'v 9 5 -6' 'f 1 4 3 2' 'f 5 6 7 8' 'f 1 2 6 5' 'f 4 8 7 3' 'f 1 5 8 4' 'f 2 3 7 6' \
  >"$work/models/box.obj"
start_editor "$work/models/box.obj"
close_hint
xdotool mousemove --window "$gl" 790 590 # its own cursor stays out of the way
for view in front left top; do
  check "before Home the $view view shows none of the box" test "$(wire_pixels ${!view})" -eq 0
done
check "before Home the 3D view shows none of the box" empty_3d_centre
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/before-home.png"
key Home
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/after-home.png"
for view in front left top; do
  check "Home brings the box into the $view view" test "$(wire_pixels ${!view})" -gt 300
done
check "Home brings the box into the middle of the 3D view" test "$(empty_3d_centre; echo $?)" = 1

# Ctrl+S writes a model that has a name without asking for one.
box=$work/models/box.FW2
save_as "$box"
rm -f "$box"
key ctrl+s
for _ in $(seq 30); do [ -s "$box" ] && break; sleep 0.1; done
check "Ctrl+S saved the named model" grep -q '^VTX,' "$box"
save_as "$work/models/two.FW2"

# Newest first, one path a line; the same after a restart, where picking the second opens it.
list=$user/RecentFiles.txt
order=$(printf '%s\n' "$work/models/two.FW2" "$box" "$work/models/box.obj")
check "opened and saved models are listed newest first" test "$(cat "$list")" = "$order"
quit_editor
start_editor
check "the list survives a restart" test "$(cat "$list")" = "$order"
menu alt+f f
xdotool key 2
sleep 0.8
check "picking the second opens it and moves it to the front" test "$(cat "$list")" = \
  "$(printf '%s\n' "$box" "$work/models/two.FW2" "$work/models/box.obj")"
# A file that is gone is dropped when picked, with a message.
rm "$work/models/two.FW2"
menu alt+f f
xdotool key 2
sleep 0.8
xdotool key Return
sleep 0.5
check "a missing file is dropped from the list" test "$(cat "$list")" = \
  "$(printf '%s\n' "$box" "$work/models/box.obj")"
quit_editor

finish

#!/usr/bin/env bash
# Edits the default square in the real editor through the mouse, the keyboard and the menus
# (xdotool under Xvfb), saves through the file dialog, and checks the vertices in the file.
set -u
bin=$1
source "$(dirname "$0")/lib.sh"

# The Front view of an 800 x 600 surface: centre (200, 150), 100 pixels per unit.
vertex() { # file index: "x,y" of VTX record index
  awk -F, -v i="$2" '$1 == "VTX" && $2 == i {print $3 "," $4}' "$1"
}
drag() { # x0 y0 x1 y1: a left drag in steps of 10 pixels or less, as a hand makes it
  local x=$1 y=$2 steps=10
  xdotool mousemove --window "$gl" "$x" "$y"
  sleep 0.2
  xdotool mousedown 1
  for i in $(seq $steps); do
    xdotool mousemove --window "$gl" $(($1 + ($3 - $1) * i / steps)) $(($2 + ($4 - $2) * i / steps))
    sleep 0.05
  done
  sleep 0.2
  xdotool mouseup 1
  sleep 0.2
}

start_editor
saved=$work/square.FW2

# A first run greets with hint 0; Close (with "Don't tell me again" ticked) puts it away for good
check "the Hints box shows on a first run" test "$(pixel 380 218)" = "178,204,230"
close_hint
check "Close puts the Hints box away" test "$(pixel 380 218)" != "178,204,230"

# Drag the top-right corner (1, 1) of the square 30 pixels right and 20 down
drag 300 50 330 70
save_as "$saved"
check "Save As wrote the file through the dialog" test -s "$saved"
check "the dragged corner moved by (0.3, -0.2)" test "$(vertex "$saved" 2)" = "1.300000,0.800000"
check "its twin corner moved with it" test "$(vertex "$saved" 4)" = "1.300000,0.800000"
check "the other corners stayed" test "$(vertex "$saved" 1)" = "1.000000,-1.000000"

# Ctrl+Z restores the square in one step; Save writes to the same name without asking
xdotool windowactivate --sync "$wid" 2>/dev/null
xdotool mousemove --window "$gl" 780 590
sleep 0.2
xdotool key ctrl+z
sleep 0.3
menu alt+f s
check "Ctrl+Z undid the whole drag" test "$(vertex "$saved" 2)" = "1.000000,1.000000"

# A band around the two right-hand corners selects exactly those; a drag then moves them all
drag 250 10 340 290
drag 300 250 320 250
menu alt+f s
check "band-selected corner (1, -1) moved" test "$(vertex "$saved" 1)" = "1.200000,-1.000000"
check "band-selected corner (1, 1) moved" test "$(vertex "$saved" 2)" = "1.200000,1.000000"
check "corners outside the band stayed" test "$(vertex "$saved" 0)" = "-1.000000,-1.000000"
check "the left-hand top corner stayed" test "$(vertex "$saved" 5)" = "-1.000000,1.000000"
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/edited.png"

# Structure operations from the menus, seen in the saved file. Alt+letter opens a menu with its
# first item highlighted, so n Downs reach the item n places below it.
keys() { xdotool windowactivate --sync "$wid" 2>/dev/null; for k in "$@"; do xdotool key "$k"; sleep 0.15; done; sleep 0.5; }
records() { grep -c "^$2," "$1"; }
menu alt+m d # Mesh > Draw New Mesh: the next band becomes a mesh, current and selected
drag 20 200 80 260
menu alt+f s
check "Draw New Mesh added a second mesh of 2 triangles" grep -qx 'MSH,1,6,2,0,0' "$saved"
keys alt+m Down Return # Mesh > Subdivide: the current mesh only, not Subdivide ALL Meshes
menu alt+f s
check "Subdivide made the drawn mesh's 2 triangles 8" grep -qx 'MSH,1,6,8,0,0' "$saved"
check "Subdivide left the square as it was" grep -qx 'MSH,0,0,2,0,0' "$saved"
check "30 vertices after subdividing" test "$(records "$saved" VTX)" -eq 30
# Vertex > Extend Selected Vertices, not its SawTooth variant: the subdivided mesh is selected
# whole, so each of its 8 triangles gives one edge and the strip two triangles per edge
keys alt+v Down Down Down Down Down Down Down Return
menu alt+f s
check "Extend appended a strip of 16 triangles" grep -qx 'MSH,2,30,16,0,0' "$saved"
check "78 vertices after extending" test "$(records "$saved" VTX)" -eq 78
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/structure.png"

# Every command is one undo step of its own: Ctrl+Z takes back the Extend alone, then the
# Subdivide alone; Select All and Delete Selected Triangles (confirmed; the last triangle stays,
# with a notification) are undone by one Ctrl+Z.
undo_once() { keys ctrl+z; }
undo_once
menu alt+f s
check "Ctrl+Z undid the Extend alone" test "$(records "$saved" VTX)" -eq 30
undo_once
menu alt+f s
check "a second Ctrl+Z undid the Subdivide alone" grep -qx 'MSH,1,6,2,0,0' "$saved"
keys alt+v Down Return # Vertex > Select All Vertices
keys alt+t Return # Triangle > Delete Selected Triangles; the box comes up, then Yes
answer() { # title: Return in the message box of that title
  xdotool windowactivate --sync "$(xdotool search --sync --name "$1" | head -n 1)" key Return
  sleep 0.5
}
answer "Confirm Delete"
answer "Notification!"
menu alt+f s
check "Delete Selected Triangles kept only the last triangle" test "$(records "$saved" VTX)" -eq 3
undo_once
menu alt+f s
check "Ctrl+Z brought the deleted triangles back" test "$(records "$saved" VTX)" -eq 12

quit_editor
check "the hint flag is saved cleared" grep -qx 'ShowHint0 = 0' "$user/Config.ini"
finish

#!/usr/bin/env bash
# The pin toolbars and the File menu of the real editor under Xvfb: hints on a first run, the
# default square's mesh pin, the extended toolbar, selecting the mesh, Save As, Save Revision and
# Exit, then the files and the hint flags left behind.
set -u
bin=$1
source "$(dirname "$0")/lib.sh"

click_at() { xdotool mousemove --window "$gl" "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.4; }
titlebar=178,204,230

start_editor
check "hint 0 greets a first run" test "$(pixel 380 218)" = "$titlebar"
close_hint
# The square's pin stands one unit in front of its centre: the middle of the 3D view. Moving
# over it offers hint 1 once; closing that box with its tick keeps it from coming back.
xdotool mousemove --window "$gl" 600 452
sleep 0.3
xdotool mousemove --window "$gl" 601 452 # the hover of the last frame counts on the next move
sleep 0.4
check "hovering the mesh pin offers hint 1" test "$(pixel 380 218)" = "$titlebar"
close_hint
xdotool mousemove --window "$gl" 601 452
sleep 0.4
check "hint 1 does not come back" test "$(pixel 380 218)" != "$titlebar"

# Click the pin: the Mesh Pin Toolbar opens 102 pixels above the pointer
click_at 600 452
check "the Mesh Pin Toolbar opens above the pin" test "$(pixel 700 354)" = "$titlebar"
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/meshpin.png"
# "Show Extended Mesh Menu" (at 153, 53 in the toolbar) swaps in the extended toolbar
click_at $((600 + 169)) $((350 + 69))
check "the extended toolbar keeps the corner" test "$(pixel 700 354)" = "$titlebar"
check "the extended toolbar reaches further down" test "$(pixel 605 540)" != "$(pixel 605 590)"
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/extended.png"
# "Select THIS Mesh ONLY" (at 42, 16) selects every vertex of the square: green points
click_at $((600 + 58)) $((350 + 32))
check "the toolbar closes after the button" test "$(pixel 700 354)" != "$titlebar"
# (away from the pin, whose hover would paint the points yellow; beside the wire through the
# corner point)
xdotool mousemove --window "$gl" 200 550
sleep 0.3
xdotool mousemove --window "$gl" 210 560
sleep 0.4
check "the square's corners are selected (green)" test "$(pixel 101 51)" = "51,204,0"

# Save As, Save Revision, Exit through the File menu
saved=$work/pins.FW2
save_as "$saved"
check "Save As wrote the model" test -s "$saved"
menu alt+f r
sleep 0.5
check "Save Revision wrote a stamped copy beside it" \
  bash -c "ls '$work'/pins_REV_*.FW2 >/dev/null 2>&1"
menu alt+f x
for _ in $(seq 50); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
check "Exit ends the program" bash -c "! kill -0 $editor 2>/dev/null"
editor=
check "ShowHint0 saved cleared" grep -qx 'ShowHint0 = 0' "$user/Config.ini"
check "ShowHint1 saved cleared" grep -qx 'ShowHint1 = 0' "$user/Config.ini"
check "ShowHint2 still set" grep -qx 'ShowHint2 = 1' "$user/Config.ini"

finish

#!/usr/bin/env bash
# Drives the real editor under a private Xvfb display with a window manager, through xdotool:
# first-run files, the frame on screen, maximising a view, minimising, moving, resizing,
# closing, and the configuration written at shutdown.
set -u
bin=$1
source "$(dirname "$0")/lib.sh"

divider=102,102,76

# First run: the five default files, the window at the default size
start_editor
check "the window appears" test -n "$wid"
check "NEW_MODEL.FW2 has 14 lines" test "$(lines "$user/NEW_MODEL.FW2")" -eq 14
check "Config.ini has 23 lines" test "$(lines "$user/Config.ini")" -eq 23
check "PREVIEWMODEL1.FW2 has 156 lines" test "$(lines "$user/PREVIEWMODEL1.FW2")" -eq 156
check "PREVIEWMODEL2.FW2 has 6151 lines" test "$(lines "$user/PREVIEWMODEL2.FW2")" -eq 6151
check "PREVIEWMODEL3.FW2 has 6151 lines" test "$(lines "$user/PREVIEWMODEL3.FW2")" -eq 6151
check "the OpenGL surface is 800x600 below the menu bar" test "$(surface_size)" = 800x600

# The four-way split: dividers at W/2 and H/2
check "vertical divider at W/2" test "$(pixel 400 100)" = "$divider"
check "horizontal divider at H/2" test "$(pixel 100 300)" = "$divider"

# Double click maximises the view under the pointer, and another restores the split
xdotool mousemove --window "$gl" 100 100 click --repeat 2 --delay 80 1
sleep 0.5
check "a maximised view has no divider" test "$(pixel 400 100)" != "$divider"
xdotool mousemove --window "$gl" 500 400 click --repeat 2 --delay 80 1
sleep 0.5
check "the split comes back" test "$(pixel 400 100)" = "$divider"

# Minimised, the loop waits for events and renders nothing; restored, it renders again
active=$(ticks_over_two_seconds)
xdotool windowminimize "$wid"
sleep 0.5
minimised=$(ticks_over_two_seconds)
xdotool windowactivate "$wid" 2>/dev/null
sleep 0.5
restored=$(ticks_over_two_seconds)
echo "processor ticks over 2 s: rendering $active, minimised $minimised, restored $restored"
check "rendering uses the processor" test "$active" -ge 5
check "a minimised window uses (almost) none" test "$minimised" -le 2
check "restoring resumes rendering" test "$restored" -ge 5

# Move, resize, close: the geometry is saved with all 75 keys
xdotool windowmove "$wid" 100 80
sleep 0.3
xdotool windowsize "$wid" 900 719
sleep 0.5
size=$(surface_size)
xdotool windowactivate --sync "$wid" 2>/dev/null
xdotool key --window "$wid" alt+F4
for _ in $(seq 50); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
check "closing the window ends the program" bash -c "! kill -0 $editor 2>/dev/null"
editor=
config=$user/Config.ini
check "Config.ini starts with [config] and an empty line" \
  test "$(head -2 "$config" | tr '\n' '|')" = "[config]||"
check "Config.ini holds 75 keys" test "$(grep -c ' = ' "$config")" -eq 75
check "the keys are in order" test "$(sed -n '3p;22p;79p' "$config" | cut -d' ' -f1 | tr '\n' ' ')" \
  = "WindowX ShowHint2 "
check "WindowX saved" grep -qx 'WindowX = 100' "$config"
check "WindowY saved" grep -qx 'WindowY = 80' "$config"
check "WindowWidth is the surface width" grep -qx "WindowWidth = ${size%x*}" "$config"
check "WindowHeight is the surface height" grep -qx "WindowHeight = ${size#*x}" "$config"
check "the background keys are rewritten" grep -qx 'BackgroundR = 0.000000' "$config"

# A second start keeps existing files and opens at the saved size
echo "// kept" >>"$user/NEW_MODEL.FW2"
start_editor
check "an existing file is never overwritten" test "$(lines "$user/NEW_MODEL.FW2")" -eq 15
check "the window opens at the saved size" test "$(surface_size)" = "$size"
quit_editor

# A model named on the command line; a missing one falls back to the default model
start_editor "$user/PREVIEWMODEL2.FW2"
check "a command-line model opens" test -n "$wid"
check "the vase is drawn in the Front view" test "$(pixel 200 150)" != "$(pixel 20 20)"
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/preview2.png"
kill "$editor" 2>/dev/null
wait "$editor" 2>/dev/null
editor=

finish

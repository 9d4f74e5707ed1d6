#!/usr/bin/env bash
# The material editor of the real editor under Xvfb: opened from the Material menu, a colour
# changed with the picker's red slider, applied and saved; the three preview models shown.
# FW_E2E_SHOTS, when set, names a folder for screenshots of the editor with each preview model.
set -u
bin=$1
source "$(dirname "$0")/lib.sh"

titlebar=178,204,230
# The editor is centred on the 800 x 600 surface: its corner is at (100, 50).
ex=100
ey=50
click_at() { xdotool mousemove --window "$gl" "$1" "$2"; sleep 0.3; xdotool click 1; sleep 0.4; }

start_editor
close_hint
check "the editor is closed at first" test "$(pixel 400 56)" != "$titlebar"
# Material is the menu after Mesh, which has the same mnemonic; its first item opens the editor.
xdotool windowactivate --sync "$wid" 2>/dev/null
xdotool key alt+m
sleep 0.4
xdotool key Right
sleep 0.4
xdotool key Return
sleep 0.8
check "Show Material Editor opens the editor centred" test "$(pixel 400 56)" = "$titlebar"

# The picker sits at (40, 50) in the editor; its red slider runs from 120 to 220 at y 13 .. 27.
# Drag the knob of the selected slot (Colour) from 0.5 to 0.8.
px=$((ex + 40))
py=$((ey + 50))
xdotool mousemove --window "$gl" $((px + 170)) $((py + 20))
sleep 0.3
xdotool mousedown 1
sleep 0.2
for x in 175 185 195 200; do xdotool mousemove --window "$gl" $((px + x)) $((py + 20)); sleep 0.1; done
xdotool mouseup 1
sleep 0.5
check "the colour sample shows the new red" \
  test "$(pixel $((px + 166)) $((py + 106)) | cut -d, -f1)" -gt "$(pixel $((px + 166)) $((py + 106)) | cut -d, -f2)"

# The three preview models, each in its turn (check boxes at (540, 380 + 20k)).
for k in 1 2 3; do
  click_at $((ex + 548)) $((ey + 388 + 20 * (k - 1)))
  sleep 0.6
  check "preview model $k draws into the preview" test "$(pixel $((ex + 430)) $((ey + 187)))" != "$(pixel $((ex + 307)) $((ey + 72)))"
  [ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/material-editor-$k.png"
done

# Apply (at 400, 460, 60 x 20), then Save As.
click_at $((ex + 430)) $((ey + 470))
check "Apply closes the editor" test "$(pixel 400 56)" != "$titlebar"
saved=$work/colour.FW2
save_as "$saved"
check "Save As wrote the model" test -s "$saved"
check "the saved material has the new colour" grep -q '^MAT,0,.*,0\.800000,0\.500000,0\.500000,0\.500000,' "$saved"
grep '^MAT' "$saved"
quit_editor

finish

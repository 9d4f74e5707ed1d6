#!/usr/bin/env bash
# Work is never lost: closing a changed model asks (Cancel, No, Yes), an unchanged one closes at
# once, and the work of a killed editor is offered at the next start and saved where it belongs.
set -u
bin=$1
source "$(dirname "$0")/lib.sh"

box() { # caption: the window id of a message box once it shows, empty when none does
  local id=
  for _ in $(seq 30); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}
answer() { # caption key: presses key in that box
  local id; id=$(box "$1")
  [ -n "$id" ] && xdotool windowactivate --sync "$id" 2>/dev/null && xdotool key "$2"
  sleep 0.3
}
running() { kill -0 "$editor" 2>/dev/null; }
wait_end() { for _ in $(seq 50); do running || break; sleep 0.1; done; }
close_window() {
  xdotool windowactivate --sync "$wid" 2>/dev/null
  xdotool key alt+F4
  sleep 0.5
}
move_corner() { # [x]: drags the square's corner at (x, 50) in the Front view a little right
  local x=${1:-300}
  xdotool mousemove --window "$gl" "$x" 50
  sleep 0.2
  xdotool mousedown 1
  for i in 1 2 3 4 5; do xdotool mousemove --window "$gl" $((x + 4 * i)) 50; sleep 0.05; done
  sleep 0.2
  xdotool mouseup 1
  sleep 0.3
}

# Unchanged: Alt+F4 ends the program at once
start_editor
close_hint
close_window
wait_end
check "an unchanged model closes at once" bash -c "! kill -0 $editor 2>/dev/null"
editor=

# Changed: Alt+F4 asks; Cancel keeps the editor running, No ends it without saving
start_editor
move_corner
close_window
check "closing a changed model asks" test -n "$(box 'Unsaved Changes')"
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/unsaved-changes.png"
answer 'Unsaved Changes' Escape
check "Cancel keeps the editor running" running
close_window
answer 'Unsaved Changes' alt+n
wait_end
check "No ends the program" bash -c "! kill -0 $editor 2>/dev/null"
editor=

# Yes saves a named model under its name, then ends
saved=$work/square.FW2
cp "$user/NEW_MODEL.FW2" "$saved"
start_editor "$saved"
move_corner
close_window
answer 'Unsaved Changes' Return
wait_end
check "Yes ends the program" bash -c "! kill -0 $editor 2>/dev/null"
editor=
check "Yes saved the edit into the model's file" grep -q '^VTX,2,1\.[1-9]' "$saved"

# Killed after an unsaved edit: the recovery copy (written every second here) is offered at the
# next start; Yes brings the edit back under the model's name, and Save writes the model's file
export FACETWRIGHT_AUTOSAVE_SECONDS=1
start_editor "$saved"
move_corner 100 # the top-left corner: the top-right one has moved
for _ in $(seq 50); do ls "$user"/Recovery/*.FW2 >/dev/null 2>&1 && break; sleep 0.1; done
sleep 0.5
check "an unsaved edit gets a recovery copy" bash -c "ls '$user'/Recovery/*.FW2 >/dev/null 2>&1"
kill -KILL "$editor"
editor=
before=$(grep '^VTX,5,' "$saved")
start_editor
check "the next start offers the work" test -n "$(box 'Recover Unsaved Work')"
[ -n "${FW_E2E_SHOTS:-}" ] && import -window root "$FW_E2E_SHOTS/recover.png"
answer 'Recover Unsaved Work' Return
menu alt+f s
check "Save wrote the recovered edit into the model's file" \
  test "$(grep '^VTX,5,' "$saved")" != "$before"
check "the copy is gone once saved" bash -c "! ls '$user'/Recovery/*.FW2 >/dev/null 2>&1"
close_window
wait_end
check "the saved model closes without asking" bash -c "! kill -0 $editor 2>/dev/null"
editor=

finish

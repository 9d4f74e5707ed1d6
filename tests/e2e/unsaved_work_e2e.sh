#!/usr/bin/env bash
# Work is never lost without asking: closing a changed model asks (Cancel, No, Yes), an unchanged
# one closes at once.
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
move_corner() { # drags the square's top-right corner in the Front view a little to the right
  xdotool mousemove --window "$gl" 300 50
  sleep 0.2
  xdotool mousedown 1
  for i in 1 2 3 4 5; do xdotool mousemove --window "$gl" $((300 + 4 * i)) 50; sleep 0.05; done
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

finish

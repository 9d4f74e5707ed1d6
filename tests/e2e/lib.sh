# Shared by the end-to-end scripts: a private Xvfb display with a window manager, a fresh
# per-user directory, the editor's window, pixels of its OpenGL surface, and the check counter.
# The sourcing script sets bin (the editor binary) first.
work=$(mktemp -d)
export APPDATA=$work/appdata
# The start-up update check asks a port on this machine where nobody listens, never the network.
export FACETWRIGHT_UPDATE_URL=http://127.0.0.1:9/LatestVersion.txt
user=$APPDATA/Facetwright
mkdir -p "$APPDATA"
source "$(dirname "${BASH_SOURCE[0]}")/../check.sh"

# A display of our own, and a window manager so that minimise and close requests are honoured.
exec 5>"$work/display"
Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
openbox >/dev/null 2>&1 &
wm=$!
editor=
cleanup() {
  [ -n "$editor" ] && kill "$editor" 2>/dev/null
  kill "$wm" "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
sleep 0.5

start_editor() { # waits until the window shows; sets editor, wid and gl (the OpenGL surface)
  "$bin" "$@" >"$work/editor.out" 2>&1 &
  editor=$!
  wid=
  gl=
  for _ in $(seq 100); do
    wid=$(xdotool search --name '^Facetwright v2.6$' 2>/dev/null | head -1)
    [ -n "$wid" ] && gl=$(xwininfo -tree -id "$wid" 2>/dev/null | awk '/"facetwright"/ {print $1; exit}')
    [ -n "$gl" ] && break
    sleep 0.1
  done
  if [ -z "$gl" ]; then
    echo "FAILED: the editor window did not appear"; cat "$work/editor.out"; exit 1
  fi
  sleep 1
}
pixel() { # x y: "r,g,b" of the OpenGL surface
  import -window "$gl" "$work/shot.png" 2>/dev/null
  convert "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$editor/stat"; }
ticks_over_two_seconds() {
  local t0; t0=$(cpu_ticks); sleep 2; echo $(($(cpu_ticks) - t0))
}
surface_size() { xwininfo -id "$gl" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
lines() { wc -l <"$1" | tr -d ' '; }

quit_editor() { # closes the window the way a user does and waits for the program to end
  xdotool windowactivate --sync "$wid" 2>/dev/null
  xdotool key alt+F4
  for _ in $(seq 50); do kill -0 "$editor" 2>/dev/null || break; sleep 0.1; done
  editor=
}

close_hint() { # clicks "Close" on the Hints box, centred on an 800 x 600 surface
  xdotool mousemove --window "$gl" 470 405 click 1
  sleep 0.3
}

menu() { # mnemonic keys: opens a menu and picks an item
  xdotool windowactivate --sync "$wid" 2>/dev/null
  xdotool key "$1"
  sleep 0.4
  xdotool key "$2"
  sleep 0.6
}

save_as() { # path: File > Save As, the name typed into the dialog; waits for the file
  menu alt+f a
  xdotool type --delay 20 "$1"
  xdotool key Return
  for _ in $(seq 30); do [ -s "$1" ] && break; sleep 0.1; done
  sleep 0.3
}

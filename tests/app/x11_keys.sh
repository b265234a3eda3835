#!/bin/bash
# Keys on a real X server: its own Xvfb with openbox, the game started
# afresh for each family and played with xdotool key presses only. For each
# family: the pick-game screen answers the arrows with its outline, the
# variant is chosen and played with Return, the board cursor shows on the
# board, a few moves change the board, and a pointer move hides the outline.
#
#   x11_keys.sh ZENBOX DATA
set -u
ZENBOX=$1
DATA=$2

. "$(dirname "$0")/x11_common.sh"

# A small desktop keeps the window at 100 %, pixel for pixel, so the
# outline's colour is found exactly.
start_x 1024x768

grab() { import -window "$WIN" "$WORK/$1.png" 2>/dev/null; }
# Pixels of the outline's light ring colour in a grabbed picture ($2: crop).
outline_pixels() {
  convert "$WORK/$1.png" -crop "$2" +repage -fill black +opaque '#FFE040' -fill white -opaque '#FFE040' \
    -format '%[fx:round(mean*w*h)]' info:
}
BOARD=590x590+0+0
# The outline (or the cursor) is on show inside the area.
outlined() {
  grab now
  [ "$(outline_pixels now "$1")" -gt 40 ]
}
not_outlined() {
  grab now
  [ "$(outline_pixels now "$1")" -lt 40 ]
}
board_changed() {
  grab now
  convert "$WORK/before.png" -crop $BOARD +repage "$WORK/board-before.png"
  convert "$WORK/now.png" -crop $BOARD +repage "$WORK/board-now.png"
  local differ
  differ=$(compare -metric AE -fuzz 5% "$WORK/board-before.png" "$WORK/board-now.png" null: 2>&1)
  [ "${differ%% *}" -gt 500 ] 2>/dev/null
}

# play NAME PICK-KEYS... -- BOARD-KEYS...: a fresh first start; the pick keys
# choose the variant, Return plays it, the board keys make the moves.
play() {
  local name=$1
  shift
  local pick=() moves=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do pick+=("$1"); shift; done
  shift
  moves=("$@")
  local dir="$WORK/$name"
  mkdir -p "$dir"
  for sub in clp cfg wav music help; do ln -s "$DATA/$sub" "$dir/$sub"; done
  SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$ZENBOX" --windowed --data "$dir" >"$WORK/$name.log" 2>&1 &
  local pid=$!
  PIDS+=($pid)
  WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenbox$' | head -n1)
  [ -n "$WIN" ] || fail "$name: no window mapped"
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1
  xdotool mousemove 1020 760  # the pointer out of the way, still from now on
  xdotool key --window "$WIN" space  # ends the intro
  # Home on the pick-game screen jumps to the first variant and shows the outline.
  press_home() { xdotool key --window "$WIN" Home; sleep 0.5; outlined 800x600+0+0; }
  until_true 40 press_home || fail "$name: no outline on the pick-game screen"
  cp "$WORK/now.png" "$WORK/$name-pick.png"
  xdotool key --window "$WIN" "${pick[@]}" Return
  sleep 6  # the curtain opens on the board
  press_first() { xdotool key --window "$WIN" "${moves[0]}"; sleep 0.5; outlined $BOARD; }
  until_true 40 press_first || fail "$name: no cursor on the board"
  cp "$WORK/now.png" "$WORK/before.png"
  cp "$WORK/now.png" "$WORK/$name-cursor.png"
  xdotool key --delay 700 --window "$WIN" "${moves[@]:1}"
  until_true 20 board_changed || fail "$name: the keys changed nothing on the board"
  cp "$WORK/now.png" "$WORK/$name-moved.png"
  # The pointer takes over: the outline goes.
  xdotool mousemove --window "$WIN" 300 300
  until_true 10 not_outlined $BOARD || fail "$name: a pointer move left the cursor on show"
  kill $pid 2>/dev/null
  wait $pid 2>/dev/null
}

# Sinkra, the Remover: the cursor from the middle, groups taken on the way.
play sinkra -- Left Return Left Return Up Return Right Right Return Down Down Return
# Tessel, the Unicolor: launches round the ring.
play tessel Down Down Down Down Down -- Right Return Right Right Return Left Return
# Gyrex, the Strip mania: turns both ways.
play gyrex End Up Up -- Down Return Right Return BackSpace Left Return
[ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/*-*.png "$KEEP_SHOTS"/ 2>/dev/null
echo "keys played every family"

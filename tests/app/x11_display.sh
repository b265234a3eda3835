#!/bin/bash
# The game on a real X server: its own Xvfb with the openbox window manager,
# driven with xdotool and looked at with ImageMagick. Compares what the
# window shows with the frames a headless run of the controls screen draws.
#
#   x11_display.sh ZENBOX DATA MODE
#
# MODE "fullscreen" (a 1920x1080 desktop): the window, stepped down to 1x,
# shows the headless frame; F4 letterboxes it across the screen, a click at
# a scaled position reaches the right control, F4 comes back; minimise and
# restore redraw. MODE "zoom" (a 2560x1440 desktop, room for 2x): the window
# opens at 2x, an exact enlargement; a click at a zoomed position reaches the
# right control; Ctrl+Minus walks the steps back to 1x. MODE "steps"
# (1920x1080): the window opens at 1.5x, the frame scaled smoothly, and a
# click at a scaled position reaches the right control; Ctrl+Plus goes to
# 1.75x, and at that largest step it keeps the size and says so on screen;
# Ctrl+Minus walks down through 1.25x to 1x. MODE "pointer" (1920x1080): on
# the game board a panel button trembles under the still pointer, and stops
# once the window moves away beneath the pointer without a single motion.
# MODE "nowm" (1920x1080, no window manager): at 1x, F4 twice; after each switch
# the picture fills the window's real size, letterboxed, whatever size the
# window ended at, and the window is back at 800x600 showing the frame.
# MODE "restore" (1920x1080): a first start (full screen), F4 to a window
# at the 1.5x default, the window resized through the window manager, F3
# minimises; the window manager's activate brings it back mapped, at its
# size and drawn. MODE "lost" (1920x1080): a game on the board ends with the
# session, by a hang-up and then by the X server going away; each time the
# game is saved and the run ends normally; so too when SIGTERM and the
# server's end come at once.
set -u
ZENBOX=$1
DATA=$2
MODE=$3

. "$(dirname "$0")/x11_common.sh"

case $MODE in
  fullscreen | pointer | steps | nowm | restore | lost) SCREEN=1920x1080 ;;
  zoom) SCREEN=2560x1440 ;;
  *) fail "unknown mode $MODE" ;;
esac

start_x "$SCREEN" "$([ "$MODE" = nowm ] && echo nowm)"

# Starts the game windowed with extra arguments "$@" and sets WIN once its window maps.
launch() {
  SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$ZENBOX" --windowed "$@" --data "$DATA" >"$WORK/zenbox.log" 2>&1 &
  PIDS+=($!)
  WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenbox$' | head -n1)
  [ -n "$WIN" ] || fail "no window mapped"
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1
}
size_is() { [ "$(xwininfo -id "$WIN" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')" = "$1" ]; }
step_keys() {
  local k
  for k in "$@"; do xdotool key --window "$WIN" "$k"; sleep 0.3; done
}
window_size() { xwininfo -id "$WIN" | grep -E 'Width|Height' | tr -d '\n'; }

if [ "$MODE" = pointer ]; then
  # A first start on a copy of the pack: no settings of an earlier run.
  cp -r "$DATA" "$WORK/data"
  rm -rf "$WORK/data/zenbox.cfg" "$WORK/data/save"
  DATA=$WORK/data
  launch
  xdotool key --window "$WIN" space  # ends the intro
  until_true 30 size_is 1200x900 || fail "the main screen did not open at 1.5x: $(window_size)"
  step_keys ctrl+minus ctrl+minus
  until_true 30 size_is 800x600 || fail "Ctrl+Minus twice did not reach 1x: $(window_size)"
  sleep 3
  xdotool mousemove --window "$WIN" 620 545 click 1  # "Play!"
  sleep 3
  # The rightmost panel button spans 764,9 to 790,35 of the frame.
  panel() { import -window "$WIN" -crop 200x45+600+0 +repage "$WORK/$1.png" 2>/dev/null; }
  panel_still() {
    panel a && sleep 0.3 && panel b || return 1
    [ "$(compare -metric AE "$WORK/a.png" "$WORK/b.png" null: 2>&1)" = "0" ]
  }
  trembles() { ! panel_still; }
  until_true 20 panel_still || fail "the panel does not settle with the pointer away"
  xdotool mousemove --window "$WIN" 777 22
  until_true 20 trembles || fail "the button under the pointer does not tremble"
  # The window goes 200 to the right: the pointer, unmoved, is now over the board.
  read -r wx wy < <(xwininfo -id "$WIN" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x, y}')
  xdotool windowmove "$WIN" $((wx + 200)) "$wy"
  until_true 20 panel_still || fail "the button keeps trembling after the window moved from under the pointer"
  echo "x11 display (pointer): all checks passed"
  exit 0
fi

if [ "$MODE" = restore ]; then
  # The game writes its settings into the data folder: a private one without
  # a settings file, so the game starts in full screen.
  mkdir "$WORK/data"
  for d in "$DATA"/*/; do ln -s "$(cd "$d" && pwd)" "$WORK/data/"; done
  rm -f "$WORK/data/save"
  SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$ZENBOX" --data "$WORK/data" >"$WORK/zenbox.log" 2>&1 &
  PIDS+=($!)
  WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenbox$' | head -n1)
  [ -n "$WIN" ] || fail "no window mapped"
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1
  xdotool key --window "$WIN" space  # ends the intro
  until_true 30 size_is 1920x1080 || fail "the first start is not full screen"
  sleep 2
  xdotool key --window "$WIN" F4
  until_true 30 size_is 1200x900 || fail "F4 did not leave full screen for the 1.5x window: $(window_size)"
  xdotool windowsize "$WIN" 1000 750
  until_true 30 size_is 1000x750 || fail "the window manager could not resize the window"
  sleep 1
  xdotool key --window "$WIN" F3
  map_state() { xwininfo -id "$WIN" | awk '/Map State:/{print $3}'; }
  until_true 30 sh -c "xwininfo -id $WIN | grep -q IsUnMapped" || fail "F3 did not minimise"
  xdotool windowactivate "$WIN" >/dev/null 2>&1
  until_true 30 sh -c "xwininfo -id $WIN | grep -q IsViewable" ||
    fail "the window manager's activate left the window minimised ($(map_state), $(xprop -id "$WIN" WM_STATE | tr -d '\n'))"
  size_is 1000x750 || fail "restored at another size: $(xwininfo -id "$WIN" | grep -E 'Width|Height' | tr -d '\n')"
  drawn() {
    import -window "$WIN" "$WORK/restored.png" 2>/dev/null || return 1
    [ "$(convert "$WORK/restored.png" -format '%[fx:maxima]' info:)" != "0" ]
  }
  until_true 30 drawn || fail "the restored window is not drawn"
  echo "x11 display (restore): all checks passed"
  exit 0
fi

if [ "$MODE" = lost ]; then
  # A private data folder, where the saves can be looked for.
  mkdir "$WORK/data"
  for d in "$DATA"/*/; do ln -s "$(cd "$d" && pwd)" "$WORK/data/"; done
  rm -f "$WORK/data/save"
  # Plays a first start's game for a few seconds, ends the session with
  # "$@" and expects the run to end with status 0 and the game saved.
  play_then() {
    rm -rf "$WORK/data/save" "$WORK/data/zenbox.cfg"
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$ZENBOX" --windowed --data "$WORK/data" >"$WORK/zenbox.log" 2>&1 &
    APP=$!
    PIDS+=($APP)
    WIN=$(timeout 20 xdotool search --sync --onlyvisible --name '^Zenbox$' | head -n1)
    [ -n "$WIN" ] || fail "no window mapped"
    xdotool key --window "$WIN" space  # ends the intro
    until_true 30 size_is 1200x900 || fail "the main screen did not open at 1.5x: $(window_size)"
    sleep 3
    xdotool mousemove --window "$WIN" 930 817 click 1  # "Play!" at 1.5x
    sleep 4
    "$@"
    until_true 30 sh -c "! kill -0 $APP 2>/dev/null" || fail "the game runs on after: $*"
    local rc=0
    wait "$APP" || rc=$?
    [ $rc = 0 ] || fail "the run ended with status $rc after: $* ($(tr '\n' ' ' <"$WORK/zenbox.log"))"
    ls "$WORK/data/save/"*.sav >/dev/null 2>&1 || fail "the game was not saved after: $*"
  }
  hang_up() { kill -HUP "$APP"; }
  x_ends() { kill "$XSERVER"; }
  # Logging out: the session's SIGTERM and the server's end come together.
  both_end() { kill "$APP" "$XSERVER"; }
  XSERVER=${PIDS[0]}
  play_then hang_up
  play_then x_ends
  grep -q "connection to the display was lost" "$WORK/zenbox.log" || fail "no word of the lost display"
  start_x "$SCREEN"
  XSERVER=${PIDS[-2]}
  play_then both_end
  echo "x11 display (lost): all checks passed"
  exit 0
fi

# Reference frames of the controls screen, drawn headless. The edit field's
# caret blinks with real time, so comparisons blank the field.
FIELD="305,435 555,475"
cat >"$WORK/ref.zbs" <<EOF
wait 2500
shot $WORK/ref-start.png
click 125 163
move 450 250
wait 1000
shot $WORK/ref-check.png
EOF
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$ZENBOX" --headless --windowed --screen controls --data "$DATA" \
  --script "$WORK/ref.zbs" || fail "headless reference run"

launch --screen controls

grab() { import -window "$WIN" "$WORK/$1.png" 2>/dev/null; }
# Blanks the edit field of picture $1 (zoom $2) into $3.
blank_field() {
  local z=$2
  local box
  box=$(echo "$FIELD" | awk -v z="$z" '{split($1,a,",");split($2,b,","); print a[1]*z "," a[2]*z " " (b[1]+1)*z-1 "," (b[2]+1)*z-1}')
  convert "$1" -fill black -draw "rectangle $box" "$3"
}
# The window shows reference $1 enlarged $2 times, pixel for pixel.
shows_exactly() {
  local want="$WORK/want-$1-$2.png"
  if [ ! -f "$want" ]; then
    convert "$WORK/ref-$1.png" -scale "$(($2 * 100))%" "$want"
    blank_field "$want" "$2" "$want"
  fi
  grab now || return 1
  blank_field "$WORK/now.png" "$2" "$WORK/now-blank.png"
  [ "$(compare -metric AE "$want" "$WORK/now-blank.png" null: 2>&1)" = "0" ]
}

# The window shows reference $1 scaled to $2 (WIDTHxHEIGHT) smoothly:
# close to ImageMagick's own resize of it.
shows_scaled() {
  grab scaled || return 1
  [ -f "$WORK/want-$1-$2.png" ] || convert "$WORK/ref-$1.png" -resize "$2!" "$WORK/want-$1-$2.png"
  local err
  err=$(compare -metric RMSE "$WORK/want-$1-$2.png" "$WORK/scaled.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  awk -v e="$err" 'BEGIN{exit !(e < 0.03)}'
}

# The window shows reference $1 letterboxed into whatever size it has:
# the 4:3 picture scaled to the largest that fits, black bars beside it.
shows_fitted() {
  grab now || return 1
  local w h pw ph bx by
  read -r w h < <(identify -format '%w %h' "$WORK/now.png")
  if [ $((w * 3)) -le $((h * 4)) ]; then pw=$w ph=$((w * 3 / 4)); else pw=$((h * 4 / 3)) ph=$h; fi
  bx=$(((w - pw) / 2)) by=$(((h - ph) / 2))
  if [ "$pw" = 800 ] && [ "$ph" = 600 ]; then
    shows_exactly "$1" 1
    return
  fi
  [ "$(convert "$WORK/now.png" -fill black -draw "rectangle $bx,$by $((bx + pw - 1)),$((by + ph - 1))" \
    -format '%[fx:maxima]' info:)" = "0" ] || return 1
  convert "$WORK/now.png" -crop ${pw}x${ph}+${bx}+${by} +repage "$WORK/fitted.png"
  convert "$WORK/ref-$1.png" -resize ${pw}x${ph}! "$WORK/want-fitted.png"
  local err
  err=$(compare -metric RMSE "$WORK/want-fitted.png" "$WORK/fitted.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
  awk -v e="$err" 'BEGIN{exit !(e < 0.03)}'
}

if [ "$MODE" = nowm ]; then
  # Without a window manager nobody honours a full-screen request: the
  # window may keep its size or be resized by the game itself; either way
  # the picture must fit it, never be scaled for a size it does not have.
  xdotool mousemove 0 0
  size_is 1200x900 || fail "window did not open at 1.5x: $(window_size)"
  step_keys ctrl+minus ctrl+minus
  until_true 30 size_is 800x600 || fail "Ctrl+Minus twice did not reach 1x: $(window_size)"
  until_true 60 shows_exactly start 1 || fail "window does not show the headless frame"
  xdotool key --window "$WIN" F4
  sleep 1
  until_true 60 shows_fitted start || fail "after F4 the picture does not fit the window ($(identify -format '%wx%h' "$WORK/now.png"))"
  xdotool key --window "$WIN" F4
  sleep 1
  until_true 30 size_is 800x600 || fail "the second F4 did not come back to 800x600"
  until_true 60 shows_exactly start 1 || fail "after F4 twice the window does not show the frame"
  echo "x11 display (nowm): all checks passed"
  exit 0
fi

if [ "$MODE" = fullscreen ]; then
  size_is 1200x900 || fail "window did not open at 1.5x: $(window_size)"
  step_keys ctrl+minus ctrl+minus
  until_true 30 size_is 800x600 || fail "Ctrl+Minus twice did not reach 1x: $(window_size)"
  until_true 60 shows_exactly start 1 || fail "window does not show the headless frame"

  # Full screen: the 4:3 picture is 1440x1080 in the middle, black bars beside it.
  xdotool key --window "$WIN" F4
  until_true 30 size_is 1920x1080 || fail "F4 did not reach full screen"
  letterboxed() {
    grab full || return 1
    [ "$(convert "$WORK/full.png" -crop 240x1080+0+0 +repage -format '%[fx:maxima]' info:)" = "0" ] || return 1
    [ "$(convert "$WORK/full.png" -crop 240x1080+1680+0 +repage -format '%[fx:maxima]' info:)" = "0" ] || return 1
    convert "$WORK/full.png" -crop 1440x1080+240+0 +repage "$WORK/picture.png"
    [ -f "$WORK/want-full.png" ] || convert "$WORK/ref-start.png" -resize 1440x1080! "$WORK/want-full.png"
    local err
    err=$(compare -metric RMSE "$WORK/want-full.png" "$WORK/picture.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/')
    awk -v e="$err" 'BEGIN{exit !(e < 0.03)}'
  }
  until_true 60 letterboxed || fail "full screen is not the letterboxed frame"

  # The check box sits at 125,163 of the frame: 240 + 1.8 x 125, 1.8 x 163 on the screen.
  xdotool mousemove 465 293 click 1
  sleep 0.5
  xdotool key --window "$WIN" F4
  until_true 30 size_is 800x600 || fail "F4 did not come back to the window"
  # The pointer then rests on plain sand, as in the reference, so no control is lit.
  xdotool mousemove --window "$WIN" 450 250
  until_true 60 shows_exactly check 1 || fail "after the scaled click the window does not show the check box cleared"

  xdotool windowminimize --sync "$WIN"
  until_true 30 sh -c "xwininfo -id $WIN | grep -q IsUnMapped" || fail "not minimised"
  xdotool windowmap "$WIN"
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1
  until_true 60 shows_exactly check 1 || fail "restored window is not redrawn"
elif [ "$MODE" = steps ]; then
  size_is 1200x900 || fail "window did not open at 1.5x: $(window_size)"
  until_true 60 shows_scaled start 1200x900 || fail "the 1.5x window is not the frame scaled"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$WORK/scaled.png" "$KEEP_SHOTS/zoom-150.png"
  # The check box at 125,163 of the frame.
  xdotool mousemove --window "$WIN" 188 245 click 1
  xdotool mousemove --window "$WIN" 675 375
  until_true 60 shows_scaled check 1200x900 || fail "after the click at 1.5x the check box is not cleared"
  # The zoom line: a dark band across the middle of the top, in window pixels.
  line_shown() {
    grab line || return 1
    [ "$(convert "$WORK/line.png" -crop "20x4+$(($1 / 2 - 10))+$2" +repage -format '%[fx:maxima]' info:)" \< 0.3 ]
  }
  line_gone() { ! line_shown "$@"; }
  step_keys ctrl+plus
  until_true 30 size_is 1400x1050 || fail "Ctrl+Plus did not reach 1.75x: $(window_size)"
  until_true 10 line_shown 1400 72 || fail "no zoom line at 1.75x"
  until_true 30 line_gone 1400 72 || fail "the zoom line stays"
  until_true 60 shows_scaled check 1400x1050 || fail "the 1.75x window is not the frame scaled"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$WORK/scaled.png" "$KEEP_SHOTS/zoom-175.png"
  # 2x does not fit 1080 lines: the largest step stays and the line says so.
  step_keys ctrl+plus
  until_true 10 line_shown 1400 72 || fail "Ctrl+Plus at the largest step shows nothing"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$WORK/line.png" "$KEEP_SHOTS/zoom-refused.png"
  size_is 1400x1050 || fail "Ctrl+Plus at the largest step changed the size: $(window_size)"
  step_keys ctrl+minus ctrl+minus
  until_true 30 size_is 1000x750 || fail "Ctrl+Minus twice did not reach 1.25x: $(window_size)"
  until_true 60 shows_scaled check 1000x750 || fail "the 1.25x window is not the frame scaled"
  [ -n "${KEEP_SHOTS:-}" ] && cp "$WORK/scaled.png" "$KEEP_SHOTS/zoom-125.png"
  step_keys ctrl+minus
  until_true 30 size_is 800x600 || fail "Ctrl+Minus did not reach 1x: $(window_size)"
  until_true 60 shows_exactly check 1 || fail "the 1x window is not the frame"
else
  size_is 1600x1200 || fail "window did not open at 2x: $(xwininfo -id "$WIN" | grep -E 'Width|Height' | tr -d '\n')"
  until_true 60 shows_exactly start 2 || fail "the 2x window is not the frame enlarged"
  # The check box at 125,163 of the frame.
  xdotool mousemove --window "$WIN" 250 326 click 1
  xdotool mousemove --window "$WIN" 900 500
  until_true 60 shows_exactly check 2 || fail "after the zoomed click the check box is not cleared"
  step_keys ctrl+minus ctrl+minus ctrl+minus ctrl+minus
  until_true 30 size_is 800x600 || fail "Ctrl+Minus did not walk back to 1x: $(window_size)"
  until_true 60 shows_exactly check 1 || fail "the 1x window is not the frame"
fi
echo "x11 display ($MODE): all checks passed"

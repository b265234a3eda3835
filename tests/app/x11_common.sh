# Shared by the real-display tests: a work folder, the processes to stop on
# exit, failing with the pictures kept, waiting for a check, and an Xvfb of
# its own (with openbox unless told otherwise). Sourced, not run.

WORK=$(mktemp -d)
PIDS=()
cleanup() {
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null; wait "${PIDS[i]}" 2>/dev/null; done
  rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  [ -n "${KEEP_SHOTS:-}" ] && cp "$WORK"/*.png "$KEEP_SHOTS"/ 2>/dev/null
  exit 1
}

# Repeats a check every half second until it holds or `seconds` have
# passed. On a busy machine the game's animations run late, so the limits
# are generous: they only stop a run that would never get there.
until_true() {
  local seconds=$1
  shift
  local end=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -ge $end ] && return 1
    sleep 0.5
  done
}

# start_x WIDTHxHEIGHT [nowm]: an X server (and window manager) of our own;
# the server picks a free display itself, so parallel runs do not collide.
start_x() {
  exec 3>"$WORK/display"
  Xvfb -displayfd 3 -screen 0 "$1"x24 -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
  PIDS+=($!)
  exec 3>&-
  until_true 30 test -s "$WORK/display" || fail "Xvfb did not start"
  export DISPLAY=:$(head -n1 "$WORK/display")
  [ "${2:-}" = nowm ] && return 0
  openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
  PIDS+=($!)
  wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  until_true 30 wm_ready || fail "openbox did not start"
}

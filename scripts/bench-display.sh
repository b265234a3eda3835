#!/bin/bash
# Display benchmark: Zenbox on a real X server (its own Xvfb at 1920x1080
# with the openbox window manager, no GPU), side by side in the same run
# with a small puzzle game from Debian (gnome-tetravex) as the yardstick.
#
#   scripts/bench-display.sh [BUILD_DIR] [RUNS]
#
# For each program, RUNS times (default 3), reports the median of:
#   map     start until the game window shows, ms (from the X server's
#           events): Zenbox's 800x600 window after its intro (ended by a
#           key as soon as it shows), the yardstick's first window
#   static  CPU with nothing changing on screen (Zenbox: the pick-game
#           screen once its texts have landed), % of one core over 20 s
#   idle    CPU with a game board shown and the pointer away, windowed
#   move    CPU while the pointer moves over the board, windowed
#   idleFS / moveFS   the same in full screen
#   rss     resident memory 60 s after the board appeared, MB (windowed)
#   rssFS   resident memory after the full-screen figures, MB
# Zenbox runs once without an audio device (the figures above) and once
# with SDL's dummy audio driver, which paces like a real device, and the
# music on; that run reports the same idle, idleFS, rss and rssFS figures
# with, beside each CPU figure, the share of SDL's audio thread alone, and
# the audio thread's share on the board with music and sound both off.
# Not part of the test command: it takes several minutes and its figures
# depend on the machine.
set -u
BUILD=${1:-build}
RUNS=${2:-3}
ZENBOX=$(realpath "$BUILD/zenbox")
DATATOOL=$(realpath "$BUILD/zenbox-data")
DATA=$(realpath "$BUILD/data")
SECS=20
HZ=$(getconf CLK_TCK)

need=""
for p in xvfb openbox xdotool x11-utils wmctrl moreutils gnome-tetravex; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need="$need $p"
done
if [ -n "$need" ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $need >/dev/null || exit 1
fi
[ -x "$ZENBOX" ] && [ -x "$DATATOOL" ] && [ -d "$DATA" ] || { echo "build zenbox and its data pack first (make data)" >&2; exit 1; }
# Debian puts games in /usr/games, which is not on every PATH.
TETRAVEX=$(command -v gnome-tetravex || echo /usr/games/gnome-tetravex)

WORK=$(mktemp -d)
PIDS=()
APP=""
WATCHER=""
# Stops only what this script started: the program under test, the event
# watcher, then the window manager and the X server.
cleanup() {
  for p in $APP $WATCHER; do kill "$p" 2>/dev/null; wait "$p" 2>/dev/null; done
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null; wait "${PIDS[i]}" 2>/dev/null; done
  rm -rf "$WORK"
}
trap cleanup EXIT

exec 3>"$WORK/display"
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
exec 3>&-
for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -n1 "$WORK/display")
openbox --sm-disable >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done

# The plain figures are taken without an audio device whatever the machine
# has; the audio run names its driver itself.
export SDL_AUDIODRIVER=none

now_ms() { echo $(($(date +%s%N) / 1000000)); }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_mb() { awk '/VmRSS/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }

# Records X events with xev (options "$@") into file $1, each line after
# its arrival time. Sets WATCHER to xev's pid; stopping xev ends the rest
# of its pipe.
watch_events() {
  local out=$1
  shift
  : >"$out"
  stdbuf -oL xev "$@" 2>/dev/null > >(ts '%.s' >"$out") &
  WATCHER=$!
}
# The arrival time of the first window shown at least $1 x $2 in the events
# of file $3 (any size when $1 is 0): a map, or a resize after one.
shown_at() {
  awk -v w="$1" -v h="$2" '
    / MapNotify / { mapped = 1; if (w == 0) { print $1; exit } if (big) { print $1; exit } next }
    / ConfigureNotify / { configure = 1; next }
    configure && /width [0-9]+, height [0-9]+/ {
      configure = 0
      match($0, /width [0-9]+, height [0-9]+/)
      split(substr($0, RSTART, RLENGTH), f, /[ ,]+/)
      big = w > 0 && f[2] >= w && f[4] >= h
      if (big && mapped) { print $1; exit }
    }' "$3"
}
stop_watching() {
  kill "$WATCHER" 2>/dev/null
  wait "$WATCHER" 2>/dev/null
}

# Starts the rest of the line in the background; sets APP (its pid), WIN
# (its window, whose name matches $1) and MAP (ms from start until the
# program's game window shows). The time comes from the X server's own
# events on the desktop's windows (the window manager's frames) as they
# arrive, not from polling for the window: a polling loop takes a core from
# the program it times and adds its own period. With $2 = WxH the game
# window is the first frame at least that large, whether mapped so or
# grown to it (Zenbox first shows its 400x400 intro, ended here by a key as
# soon as it shows); with $2 empty it is the first window mapped.
launch() {
  local name=$1 size=$2
  shift 2
  local events="$WORK/events"
  watch_events "$events" -root -event substructure
  sleep 0.5
  local t0
  t0=$(date +%s.%N)
  "$@" >/dev/null 2>&1 &
  APP=$!
  local minw=${size%x*} minh=${size#*x} keyed="" waited=0 at=""
  [ -z "$size" ] && minw=0 minh=0
  until at=$(shown_at "$minw" "$minh" "$events") && [ -n "$at" ]; do
    kill -0 "$APP" 2>/dev/null && [ $waited -lt 3000 ] || { echo "$* did not show its window" >&2; exit 1; }
    if [ -n "$size" ] && [ -z "$keyed" ] && grep -q ' MapNotify ' "$events"; then
      WIN=$(xdotool search --sync --onlyvisible --name "$name" 2>/dev/null | head -n1)
      [ -n "$WIN" ] && xdotool key --window "$WIN" space
      keyed=1
    fi
    sleep 0.01
    waited=$((waited + 1))
  done
  MAP=$(awk -v t0="$t0" -v at="$at" 'BEGIN {printf "%d", (at - t0) * 1000}')
  stop_watching
  until WIN=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -n1) && [ -n "$WIN" ]; do
    kill -0 "$APP" 2>/dev/null || { echo "$* did not map its window" >&2; exit 1; }
    sleep 0.05
  done
}

# Share of one core used by APP over SECS seconds, in %, while "$@" runs.
cpu_while() {
  local t0 t1 mover=""
  if [ $# -gt 0 ]; then
    "$@" &
    mover=$!
  fi
  t0=$(ticks "$APP")
  sleep $SECS
  t1=$(ticks "$APP")
  [ -n "$mover" ] && kill "$mover" 2>/dev/null && wait "$mover" 2>/dev/null
  awk -v d=$((t1 - t0)) -v hz="$HZ" -v s=$SECS 'BEGIN {printf "%.2f", 100 * d / hz / s}'
}

# Moves the pointer around the rectangle X Y W H of the screen, 50 times a second.
sweep() {
  local x=$1 y=$2 w=$3 h=$4 i=0
  while :; do
    local p=$((i % 100)) px py
    if [ $p -lt 25 ]; then px=$((x + w * p / 25)); py=$y
    elif [ $p -lt 50 ]; then px=$((x + w)); py=$((y + h * (p - 25) / 25))
    elif [ $p -lt 75 ]; then px=$((x + w - w * (p - 50) / 25)); py=$((y + h))
    else px=$x; py=$((y + h - h * (p - 75) / 25)); fi
    xdotool mousemove "$px" "$py"
    i=$((i + 1))
    sleep 0.02
  done
}

# The client area's top-left corner on the screen.
origin() { xwininfo -id "$WIN" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}'; }

# Every run starts from the same settings: windowed at 1x, the pick-game
# screen offering Remover rather than a first start's random choice.
# Extra lines ("Music=0") may follow the folder.
zenbox_settings() {
  local dir=$1
  shift
  printf 'WindowMode=0\nWindowZoom=1\nGameIndex=1\nGameKind=2\n' >"$WORK/settings.txt"
  for line in "$@"; do printf '%s\n' "$line" >>"$WORK/settings.txt"; done
  "$DATATOOL" encrypt "$WORK/settings.txt" "$dir/zenbox.cfg" TideMarsh >/dev/null || exit 1
}

run_zenbox() {
  rm -rf "$WORK/data"
  cp -r "$DATA" "$WORK/data"
  rm -rf "$WORK/data/save"
  zenbox_settings "$WORK/data"
  launch '^Zenbox$' 800x600 env SDL_VIDEODRIVER=x11 "$ZENBOX" --windowed --data "$WORK/data"
  local map=$MAP
  xdotool mousemove 5 5
  sleep 5
  local static
  static=$(cpu_while)
  read -r ox oy < <(origin)
  xdotool mousemove $((ox + 620)) $((oy + 545)) click 1  # "Play!"
  sleep 4
  local board
  board=$(now_ms)
  xdotool mousemove 5 5
  local idle move
  idle=$(cpu_while)
  move=$(cpu_while sweep $((ox + 60)) $((oy + 80)) 420 440)
  while [ $(($(now_ms) - board)) -lt 60000 ]; do sleep 0.5; done
  local rss
  rss=$(rss_mb "$APP")
  xdotool key --window "$WIN" F4
  sleep 4
  xdotool mousemove 5 5  # on the black bar beside the picture
  local idlefs movefs
  idlefs=$(cpu_while)
  movefs=$(cpu_while sweep $((240 + 108)) 144 756 792)
  echo "$map $static $idle $move $idlefs $movefs $rss $(rss_mb "$APP")"
  kill "$APP"
  wait "$APP" 2>/dev/null
}

# "tid ticks" of each SDL audio thread of APP (the device may have several
# over a run: it sleeps when silent and a new thread starts on waking).
audio_ticks() {
  local t
  for t in /proc/"$APP"/task/*; do
    case $(cat "$t/comm" 2>/dev/null) in SDLAudio*) echo "${t##*/} $(awk '{print $14 + $15}' "$t/stat")" ;; esac
  done
}

# "total audio": shares of one core, in %, used over SECS seconds by APP and
# by its audio threads.
cpu_audio_while() {
  local t0 t1 a0 a1
  a0=$(audio_ticks)
  t0=$(ticks "$APP")
  sleep $SECS
  t1=$(ticks "$APP")
  a1=$(audio_ticks)
  awk -v d=$((t1 - t0)) -v hz="$HZ" -v s=$SECS -v a0="$a0" -v a1="$a1" 'BEGIN {
    n = split(a0, x, "\n"); for (i = 1; i <= n; i++) { split(x[i], f, " "); before[f[1]] = f[2] }
    n = split(a1, x, "\n"); for (i = 1; i <= n; i++) { split(x[i], f, " "); if (f[1] != "") a += f[2] - before[f[1]] }
    printf "%.2f %.2f", 100 * d / hz / s, 100 * a / hz / s }'
}

# Launches Zenbox with the dummy audio driver and clicks through to the board.
# $1: "off" to start with music and sound off.
zenbox_to_board_with_audio() {
  rm -rf "$WORK/data"
  cp -r "$DATA" "$WORK/data"
  rm -rf "$WORK/data/save"
  if [ "$1" = off ]; then zenbox_settings "$WORK/data" Music=0 Sound=0; else zenbox_settings "$WORK/data"; fi
  launch '^Zenbox$' 800x600 env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$ZENBOX" --windowed --data "$WORK/data"
  xdotool mousemove 5 5
  sleep 5
  read -r ox oy < <(origin)
  xdotool mousemove $((ox + 620)) $((oy + 545)) click 1  # "Play!"
  sleep 4
  BOARD=$(now_ms)
  xdotool mousemove 5 5
}

# idle, idle audio thread, idleFS, idleFS audio thread, rss, rssFS, and the
# audio thread on the board with music and sound off.
run_zenbox_audio() {
  zenbox_to_board_with_audio on
  local idle idlefs
  idle=$(cpu_audio_while)
  while [ $(($(now_ms) - BOARD)) -lt 60000 ]; do sleep 0.5; done
  local rss
  rss=$(rss_mb "$APP")
  xdotool key --window "$WIN" F4
  sleep 4
  xdotool mousemove 5 5
  idlefs=$(cpu_audio_while)
  local rssfs
  rssfs=$(rss_mb "$APP")
  kill "$APP"
  wait "$APP" 2>/dev/null
  zenbox_to_board_with_audio off
  sleep 2  # the effects of the clicks die away and the device goes to sleep
  local off
  off=$(cpu_audio_while)
  kill "$APP"
  wait "$APP" 2>/dev/null
  echo "$idle $idlefs $rss $rssfs ${off#* }"
}

run_tetravex() {
  # Its settings (window size, full screen) live in memory only, so every
  # run starts from its defaults as Zenbox does from its fixed file.
  launch '^Tetravex$' "" env GSETTINGS_BACKEND=memory "$TETRAVEX"
  local map=$MAP
  # The game's own window process (the launcher may have handed over).
  local pid
  pid=$(xdotool getwindowpid "$WIN" 2>/dev/null)
  [ -n "$pid" ] && APP=$pid
  sleep 3
  local board
  board=$(now_ms)
  read -r ox oy < <(origin)
  local size w h
  size=$(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
  read -r w h <<<"$size"
  xdotool mousemove 5 5
  local idle move
  idle=$(cpu_while)
  move=$(cpu_while sweep $((ox + w / 10)) $((oy + h / 5)) $((w * 4 / 10)) $((h * 6 / 10)))
  while [ $(($(now_ms) - board)) -lt 60000 ]; do sleep 0.5; done
  local rss
  rss=$(rss_mb "$APP")
  wmctrl -i -r "$WIN" -b add,fullscreen
  sleep 4
  xdotool mousemove 5 5
  local idlefs movefs
  idlefs=$(cpu_while)
  movefs=$(cpu_while sweep 200 200 760 680)
  echo "$map - $idle $move $idlefs $movefs $rss $(rss_mb "$APP")"
  kill "$APP"
  wait "$APP" 2>/dev/null
}

median() {
  sort -g | awk '{v[NR] = $1} END {if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}

report() {
  local name=$1 file=$2
  printf "%-14s" "$name"
  for col in 1 2 3 4 5 6 7 8; do
    if [ "$(awk -v c=$col 'NR == 1 {print $c}' "$file")" = "-" ]; then
      printf "%9s" "-"
    else
      printf "%9s" "$(awk -v c=$col '{print $c}' "$file" | median)"
    fi
  done
  echo
}

for i in $(seq "$RUNS"); do
  echo "run $i of $RUNS..." >&2
  run_zenbox >>"$WORK/zenbox"
  run_zenbox_audio >>"$WORK/zenbox-audio"
  run_tetravex >>"$WORK/tetravex"
done

echo "Xvfb 1920x1080 + openbox, median of $RUNS runs; CPU in % of one core over ${SECS} s; RSS in MB"
printf "%-14s%9s%9s%9s%9s%9s%9s%9s%9s\n" program map_ms static idle move idleFS moveFS rss rssFS
report zenbox "$WORK/zenbox"
report gnome-tetravex "$WORK/tetravex"
echo "Zenbox with an audio device (SDL dummy driver) and music on; audio = SDL's audio thread alone"
printf "%-14s%9s%9s%9s%9s%9s%9s%9s\n" program idle audio idleFS audioFS rss rssFS audioOff
printf "%-14s" "zenbox+audio"
for col in 1 2 3 4 5 6 7; do printf "%9s" "$(awk -v c=$col '{print $c}' "$WORK/zenbox-audio" | median)"; done
echo
echo "each run:"
sed 's/^/  zenbox   /' "$WORK/zenbox"
sed 's/^/  zenbox+audio /' "$WORK/zenbox-audio"
sed 's/^/  tetravex /' "$WORK/tetravex"

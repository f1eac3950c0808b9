#!/usr/bin/env bash
# Measures what the real game costs in its window under Xvfb: CPU time (user +
# system, from /proc) over a fixed span, and resident memory. Beside it, in the
# same X server at the same scale, present_floor (built with the game), which
# only clears and flips the game's picture through the game's own window code,
# as many times a second as the game presents: what presenting frames alone
# costs on this machine. Game and floor take turns for several runs; the
# medians and their ratio end the report.
#
# Usage: bench/idle_cpu.sh [--play] [--minimised] [--scale N] [--floor-scale N] [--fullscreen]
#                          [--rate R] [--theme NAME] [--runs N] [--screen WxH] [--display :N]
#                          <game folder> [seconds] [level name]
#   --play        play a level: xdotool sweeps the paddle and clicks fire
#                 (without a level name, the first level of the list)
#   --scale N     scale of the picture (REBOUNDER_SCALE): a whole number, auto
#                 or fill; the default screen grows so that a whole-scale
#                 window fits
#   --floor-scale N  the floor at another scale than the game (by default
#                 the same): fill against 2 weighs the game's own scaling
#                 against SDL's whole-number stretch of the same screen
#   --fullscreen  full screen under openbox, on a 1920x1080 screen by default
#   --minimised   minimise the window (with --play, once the ball is in play:
#                 the game pauses) and measure the game alone, without the floor
#   --rate R      the game's frame rate setting (display, 40, 60, 120, 144;
#                 display by default, 60 under Xvfb). The game draws play at
#                 that rate and its intro and menus once per tick (40), and the
#                 floor presents as often
#   --theme NAME  the game's theme setting (classic by default)
#   --display :N  the X display to start Xvfb on (the first free from :40 up
#                 by default)
# Without --play the game idles: in its intro and menu, or with a level name
# on the level's title screen (a game waiting for the first ball).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-game.sh"

PLAY=0 SCALE="" FLOOR_SCALE="" FULL=0 RUNS=3 SCREEN="" MINIMISED=0 RATE=display XDISPLAY="" THEME=classic
while [ $# -gt 0 ]; do
  case "$1" in
    --play) PLAY=1 ;;
    --scale) SCALE=$2; shift ;;
    --floor-scale) FLOOR_SCALE=$2; shift ;;
    --fullscreen) FULL=1 ;;
    --minimised) MINIMISED=1 ;;
    --runs) RUNS=$2; shift ;;
    --rate) RATE=$2; shift ;;
    --theme) THEME=$2; shift ;;
    --display) XDISPLAY=$2; shift ;;
    --screen) SCREEN=$2; shift ;;
    *) break ;;
  esac
  shift
done
GAME_DIR=$(cd "${1:-build/game}" && pwd)
SPAN=${2:-8}
LEVEL=${3:-}
if [ $PLAY -eq 1 ] && [ -z "$LEVEL" ]; then LEVEL=$(cd "$GAME_DIR" && ./rebounder --list-levels | head -1); fi
if [ -z "$SCREEN" ]; then
  # Room for a window at the scale asked for, frame and panels included.
  s=${SCALE:-1}
  [ "$s" = auto ] || [ "$s" = fill ] && s=1
  if [ $FULL -eq 1 ] || [ "$s" -le 2 ]; then SCREEN=1920x1080; else SCREEN=$((640 * s + 64))x$((480 * s + 120)); fi
fi

WORK=$(mktemp -d)
XPID="" WMPID="" PID="" DRIVER=""
stop_program() {
  [ -n "$DRIVER" ] && { kill "$DRIVER" 2>/dev/null; wait "$DRIVER" 2>/dev/null; } || true
  [ -n "$PID" ] && { kill "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; } || true
  PID="" DRIVER=""
}
cleanup() {
  stop_program
  [ -n "$WMPID" ] && kill "$WMPID" 2>/dev/null || true
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
link_game_assets "$GAME_DIR" "$WORK"
# The options file holds background, stars, explosions, music, sound and
# fullscreen; music as MUSIC says (on by default).
printf "\\1\\1\\1\\${MUSIC:-1}\\1\\0" >"$WORK/options.dat"
mkdir -p "$WORK/config/rebounder"
printf "frame_rate = %s\ntheme = %s\n" "$RATE" "$THEME" >"$WORK/config/rebounder/settings.conf"
export XDG_CONFIG_HOME="$WORK/config"
# The floor presents as often as the game: at the frame rate on a level's
# screen, once per tick (40 a second) in the intro and menus.
FLOOR_RATE=40
if [ -n "$LEVEL" ]; then
  FLOOR_RATE=$RATE
  [ "$RATE" = display ] && FLOOR_RATE=0
fi

if [ -n "$XDISPLAY" ]; then
  export DISPLAY=$XDISPLAY
  run_xvfb "$SCREEN"
else
  start_xvfb "$SCREEN"
fi
if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  WMPID=$!
  sleep 1
elif [ $FULL -eq 1 ]; then
  echo "full screen needs a window manager: install openbox" >&2
  exit 1
fi
[ -n "$SCALE" ] && export REBOUNDER_SCALE=$SCALE
WINDOW_FLAG=--windowed
[ $FULL -eq 1 ] && WINDOW_FLAG=--fullscreen

# drive_paddle: one xdotool process that puts the pointer in the window,
# launches the ball and then sweeps the paddle to and fro, pressing fire now
# and then to relaunch a lost ball (held a moment, so a pass sees it held).
drive_paddle() {
  local chain=(search --name '^Rebounder$' windowactivate --sync mousemove --window %1 100 100 sleep 0.2) i k
  for k in $(seq $(((SPAN + 4) / 2))); do
    chain+=(mousedown 1 sleep 0.1 mouseup 1)
    for i in $(seq 20); do chain+=(mousemove_relative -- 9 0 sleep 0.025); done
    for i in $(seq 20); do chain+=(mousemove_relative -- -9 0 sleep 0.025); done
    chain+=(sleep 1)
  done
  xdotool "${chain[@]}" >/dev/null 2>&1 &
  DRIVER=$!
}

# measure <window name>: sets FIGURE (per cent of one core) and SIZE for the program in $PID.
measure() {
  timeout 20 xdotool search --sync --name "$1" >/dev/null
  SIZE=$(xwininfo -name "${1//[\^\$]/}" | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w "x" h}')
  sleep 1
  [ "${2:-}" = play ] && drive_paddle
  sleep 1
  if [ "${2:-}" = minimised ]; then
    [ $PLAY -eq 1 ] && { xdotool search --name "$1" windowactivate --sync mousemove --window %1 100 100 \
      click 1 sleep 0.5 >/dev/null 2>&1 || true; }
    xdotool search --name "$1" windowminimize --sync >/dev/null
    sleep 1
  fi
  local hz c0 c1 t0 t1
  hz=$(getconf CLK_TCK)
  c0=$(awk '{print $14 + $15}' "/proc/$PID/stat")
  t0=$(date +%s.%N)
  sleep "$SPAN"
  c1=$(awk '{print $14 + $15}' "/proc/$PID/stat")
  t1=$(date +%s.%N)
  RSS=$(awk '/VmRSS/ {print $2}' "/proc/$PID/status")
  FIGURE=$(awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v hz="$hz" \
    'BEGIN { printf "%.2f", 100 * (c1 - c0) / hz / (t1 - t0) }')
}

median() { tr ' ' '\n' | sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

WHAT="idle"
[ -n "$LEVEL" ] && WHAT="idle on \"$LEVEL\""
[ $PLAY -eq 1 ] && WHAT="playing \"$LEVEL\""
[ $MINIMISED -eq 1 ] && WHAT="$WHAT, minimised"
cd "$WORK"
GAMES="" FLOORS="" MEMORY=""
for run in $(seq "$RUNS"); do
  if [ -n "$LEVEL" ]; then
    SDL_AUDIODRIVER=${AUDIO:-dummy} "$GAME_DIR/rebounder" $WINDOW_FLAG "$LEVEL" 2>/dev/null &
  else
    SDL_AUDIODRIVER=${AUDIO:-dummy} "$GAME_DIR/rebounder" $WINDOW_FLAG 2>/dev/null &
  fi
  PID=$!
  HOW=""
  [ $PLAY -eq 1 ] && HOW=play
  [ $MINIMISED -eq 1 ] && HOW=minimised
  measure '^Rebounder$' "$HOW"
  stop_program
  GAMES="$GAMES $FIGURE"
  MEMORY="$MEMORY $(awk -v r="$RSS" 'BEGIN { print r / 1024 }')"
  printf "run %d: game %s, %s window: %5.2f%% of one core, %.1f MB resident\n" \
    "$run" "$WHAT" "$SIZE" "$FIGURE" "$(awk -v r="$RSS" 'BEGIN { print r / 1024 }')"
  if [ -x "$GAME_DIR/present_floor" ] && [ $MINIMISED -eq 0 ]; then
    REBOUNDER_SCALE=${FLOOR_SCALE:-${SCALE:-auto}} "$GAME_DIR/present_floor" $WINDOW_FLAG --rate "$FLOOR_RATE" 2>/dev/null &
    PID=$!
    measure '^Rebounder floor$'
    stop_program
    FLOORS="$FLOORS $FIGURE"
    printf "run %d: clear-and-flip floor, %s window: %5.2f%% of one core\n" "$run" "$SIZE" "$FIGURE"
  fi
done
g=$(echo $GAMES | median)
echo "median resident memory of the game: $(echo $MEMORY | median) MB"
if [ -n "$FLOORS" ]; then
  f=$(echo $FLOORS | median)
  awk -v g="$g" -v f="$f" -v s="${SCALE:-auto}" -v fs="$FULL" -v fl="${FLOOR_SCALE:+ (floor at scale $FLOOR_SCALE)}" 'BEGIN {
    printf "median of the runs at scale %s%s%s: game %.2f%%, floor %.2f%%: %.2fx the floor\n",
           s, fs ? " full screen" : "", fl, g, f, g / f }'
else
  echo "median of the runs: game $g%"
fi

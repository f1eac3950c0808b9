#!/usr/bin/env bash
# Measures what the real game costs while it idles in its window under Xvfb:
# CPU time (user + system, from /proc) over a fixed span, and resident memory.
# Then, in the same X server, the same figures for present_floor (built beside
# the game by `make bench`), which only clears and flips an equal window 40
# times a second: what SDL's presentation alone costs on this machine.
# Usage: bench/idle_cpu.sh <game folder> [seconds] [level name]
# Without a level the game idles in its intro and menu; with one, on the
# level's title screen (a game waiting for the first ball).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-game.sh"

GAME_DIR=$(cd "${1:-build/game}" && pwd)
SPAN=${2:-8}
LEVEL=${3:-}
WORK=$(mktemp -d)
XPID=""
PID=""
stop_program() {
  [ -n "$PID" ] && { kill "$PID" 2>/dev/null; wait "$PID" 2>/dev/null; } || true
  PID=""
}
cleanup() {
  stop_program
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
link_game_assets "$GAME_DIR" "$WORK"
# The options file holds background, stars, explosions, music, sound and
# fullscreen: windowed by default, music as MUSIC says (on by default).
printf "\\1\\1\\1\\${MUSIC:-1}\\1\\${FULLSCREEN:-0}" >"$WORK/options.dat"

start_xvfb

# measure <label> <window name>: prints the figures of the program in $PID.
measure() {
  timeout 20 xdotool search --sync --name "$2" >/dev/null
  sleep 2
  local hz c0 c1 t0 t1 rss
  hz=$(getconf CLK_TCK)
  c0=$(awk '{print $14 + $15}' "/proc/$PID/stat")
  t0=$(date +%s.%N)
  sleep "$SPAN"
  c1=$(awk '{print $14 + $15}' "/proc/$PID/stat")
  t1=$(date +%s.%N)
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$PID/status")
  awk -v l="$1" -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v hz="$hz" -v rss="$rss" 'BEGIN {
    printf "%s: %.2f%% of one core over %.1f s; resident memory: %.1f MB\n",
           l, 100 * (c1 - c0) / hz / (t1 - t0), t1 - t0, rss / 1024 }'
}

cd "$WORK"
if [ -n "$LEVEL" ]; then
  SDL_AUDIODRIVER=${AUDIO:-dummy} "$GAME_DIR/rebounder" "$LEVEL" &
else
  SDL_AUDIODRIVER=${AUDIO:-dummy} "$GAME_DIR/rebounder" &
fi
PID=$!
measure "game idle CPU" '^Rebounder$'
stop_program

if [ -x "$GAME_DIR/present_floor" ]; then
  "$GAME_DIR/present_floor" &
  PID=$!
  measure "presentation alone" '^Rebounder floor$'
fi

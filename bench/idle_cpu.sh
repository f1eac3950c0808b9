#!/usr/bin/env bash
# Measures what the real game costs while it idles in its window under Xvfb:
# CPU time (user + system, from /proc) over a fixed span, and resident memory.
# Usage: bench/idle_cpu.sh <game folder> [seconds] [level name]
# Without a level the game idles in its intro and menu; with one, on the
# level's title screen (a game waiting for the first ball).
set -euo pipefail

GAME_DIR=$(cd "${1:-build/game}" && pwd)
SPAN=${2:-8}
LEVEL=${3:-}
WORK=$(mktemp -d)
XPID=""
GPID=""
cleanup() {
  [ -n "$GPID" ] && { kill "$GPID" 2>/dev/null; wait "$GPID" 2>/dev/null; } || true
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
for d in sprites sounds music fonts maps; do ln -s "$GAME_DIR/$d" "$WORK/$d"; done
# The options file holds background, stars, explosions, music, sound and
# fullscreen: windowed by default, music as MUSIC says (on by default).
printf "\\1\\1\\1\\${MUSIC:-1}\\1\\${FULLSCREEN:-0}" >"$WORK/options.dat"

for n in $(seq 40 99); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then DISPLAY_NUM=":$n"; break; fi
done
Xvfb "$DISPLAY_NUM" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
XPID=$!
export DISPLAY=$DISPLAY_NUM
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

cd "$WORK"
if [ -n "$LEVEL" ]; then
  SDL_AUDIODRIVER=${AUDIO:-dummy} "$GAME_DIR/rebounder" "$LEVEL" &
else
  SDL_AUDIODRIVER=${AUDIO:-dummy} "$GAME_DIR/rebounder" &
fi
GPID=$!
timeout 20 xdotool search --sync --name '^Rebounder$' >/dev/null
sleep 2

hz=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$GPID/stat"; }
c0=$(cpu)
t0=$(date +%s.%N)
sleep "$SPAN"
c1=$(cpu)
t1=$(date +%s.%N)
rss=$(awk '/VmRSS/ {print $2}' "/proc/$GPID/status")
awk -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" -v hz="$hz" -v rss="$rss" 'BEGIN {
  printf "idle CPU: %.2f%% of one core over %.1f s; resident memory: %.1f MB\n",
         100 * (c1 - c0) / hz / (t1 - t0), t1 - t0, rss / 1024 }'

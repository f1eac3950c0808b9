#!/usr/bin/env bash
# On a 1920x1080 desktop with a window manager (openbox), the game starts in
# full screen as on a first run; F11 then switches to a window, which must
# stand wholly on the screen, frame included, and centred; ten switches in a
# row keep it so. Outside play the pointer is free, full screen too (SDL 1.2
# would hold it inside a full-screen window).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-game.sh"

GAME_DIR=$(cd "$1" && pwd)
POINTER_FREE=$2
command -v openbox >/dev/null || { echo "SKIP: openbox is not installed"; exit 0; }
use_scratch_folder
mkdir "$WORK/home"
start_xvfb 1920x1080
openbox >/dev/null 2>&1 &
WMPID=$!
trap 'kill $WMPID 2>/dev/null || true; end_scratch_folder' EXIT
sleep 1

cd "$WORK"
HOME="$WORK/home" XDG_DATA_HOME= SDL_AUDIODRIVER=dummy "$GAME_DIR/rebounder" 2>"$WORK/stderr.txt" &
GPID=$!
WID=$(timeout 20 xdotool search --sync --name '^Rebounder$' | head -1)
sleep 1

# frame: prints the window's frame as "left top right bottom" on the root.
# Full screen that fills the screen draws 32-bit pixels and a window 8-bit
# ones, so a switch may make the window anew: it is looked up each time.
frame() {
  local x=0 y=0 w=0 h=0 ext
  WID=$(xdotool search --name '^Rebounder$' | tail -1)
  [ -n "$WID" ] && eval "$(xwininfo -id "$WID" 2>/dev/null | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4}
    /Width:/ {print "w=" $2} /Height:/ {print "h=" $2}')"
  ext=$(xprop -id "$WID" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ,)
  read -r l r t b <<<"${ext:-0 0 0 0}"
  echo "$((x - l)) $((y - t)) $((x + w + r)) $((y + h + b))"
}
# expect_window_centred <switch>: waits for the window manager to settle.
expect_window_centred() {
  local f left top right bottom
  for _ in $(seq 30); do
    f=$(frame)
    read -r left top right bottom <<<"$f"
    if [ "$right" -lt 1920 ] && [ $((left + right - 1920)) -ge -2 ] && [ $((left + right - 1920)) -le 2 ] &&
      [ $((top + bottom - 1080)) -ge -2 ] && [ $((top + bottom - 1080)) -le 2 ] && [ "$top" -ge 0 ]; then
      return 0
    fi
    sleep 0.1
  done
  echo "FAIL: after switch $1 the window's frame spans $f on a 1920 x 1080 screen"
  exit 1
}
expect_full_screen() {
  for _ in $(seq 30); do
    [ "$(frame)" = "0 0 1920 1080" ] && return 0
    sleep 0.1
  done
  echo "FAIL: after switch $1 the game covers $(frame), not the screen"
  exit 1
}

# expect_pointer_free <switch>: the pointer over the game, and no grab holding it.
expect_pointer_free() {
  xdotool mousemove 960 540
  for _ in $(seq 30); do
    "$POINTER_FREE" && return 0
    sleep 0.1
  done
  echo "FAIL: after switch $1 the game holds the pointer outside play"
  exit 1
}

expect_full_screen 0
expect_pointer_free 0
for n in $(seq 11); do
  xdotool windowactivate --sync "$(xdotool search --name '^Rebounder$' | tail -1)" key F11
  if [ $((n % 2)) -eq 1 ]; then expect_window_centred "$n"; else expect_full_screen "$n"; fi
  expect_pointer_free "$n"
done
echo "ok: eleven switches between full screen and a window, the window's frame always centred: $(frame), the pointer always free"
kill -TERM "$GPID"
wait "$GPID" || echo "game exit status $?"
GPID=""

#!/usr/bin/env bash
# "continue" goes on exactly where the game stopped, seen on a real display:
# a game of one and a hot seat of three are played a while in a real window
# under Xvfb, frozen with P mid-level and photographed, ended by SIGTERM or by
# "exit" from the pause menu, started again, and "continue" chosen; the field,
# the HUD and the side panels must be the same picture. A game killed with
# kill -9 mid-level must go on from its journal.
# usage: resume_screens.sh <game folder> [folder to keep the screenshots in]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-game.sh"

GAME_DIR=$(cd "$1" && pwd)
SHOTS=${2:-}
use_scratch_folder
failures=0
mkdir "$WORK/home"
start_xvfb 640x480

start_game() {
  (cd "$WORK" && HOME="$WORK/home" XDG_DATA_HOME= SDL_AUDIODRIVER=dummy exec "$GAME_DIR/rebounder" --windowed \
    --scale 1 "$@" 2>>"$WORK/stderr.txt" >/dev/null) &
  GPID=$!
  timeout 20 xdotool search --sync --name '^Rebounder$' >/dev/null || { echo "FAIL: no window"; exit 1; }
  WID=$(xdotool search --name '^Rebounder$' | head -1)
  sleep 1
  # Keys go where the pointer is: no window manager gives the focus.
  xdotool mousemove --window "$WID" 320 240
  sleep 0.5
}

key() { xdotool key "$@"; sleep 0.4; }

shot() { xwd -root -silent | /usr/bin/convert xwd:- "$WORK/$1.png"; [ -z "$SHOTS" ] || cp "$WORK/$1.png" "$SHOTS/"; }

ended() {
  for _ in $(seq 100); do kill -0 "$GPID" 2>/dev/null || break; sleep 0.1; done
  wait "$GPID" 2>/dev/null
  GPID=""
}

# The intro skipped, then "new game" and the first difficulty, or "continue".
new_game() { start_game "$@"; key Escape; key Return; key Return; }
continue_game() { start_game; key Escape; key Return; }

# A few seconds of play: a launch for each turn, the paddle moved about.
play() {
  for _ in 1 2 3 4 5 6; do
    key space
    xdotool keydown Left; sleep 0.4; xdotool keyup Left
    xdotool keydown Right; sleep 0.4; xdotool keyup Right
  done
  # A ball in flight as the game is frozen.
  key space
  sleep 0.5
}

same_picture() {  # same_picture <what> <before> <after>
  local differ
  differ=$(/usr/bin/compare -metric AE "$WORK/$2.png" "$WORK/$3.png" null: 2>&1)
  if [ "$differ" = 0 ]; then
    echo "ok: $1: the same picture after continue"
  else
    echo "FAIL: $1: $differ pixels differ after continue"
    failures=$((failures + 1))
  fi
}

for game in one three; do
  rm -rf "$WORK/home/.local"
  if [ "$game" = one ]; then new_game; else start_game --players "ANN,BOB,CID"; fi
  play
  key p
  shot "$game-left"
  if [ "$game" = one ]; then
    kill -TERM "$GPID"
  else
    # From the pause menu: "exit", and yes to the question.
    key Escape
    for _ in 1 2 3 4 5 6; do key Down; done
    key Return
    key y
  fi
  ended
  continue_game
  shot "$game-continued"
  same_picture "$game player(s)" "$game-left" "$game-continued"
  kill -TERM "$GPID"
  ended
done

# kill -9 mid-level: "continue" goes on from the journal, not the level start.
rm -rf "$WORK/home/.local"
: >"$WORK/stderr.txt"
new_game
play
kill -9 "$GPID"
ended
continue_game
key p
shot killed-continued
if grep -q "goes on from" "$WORK/stderr.txt"; then
  echo "FAIL: after kill -9 the game went on from its level start: $(cat "$WORK/stderr.txt")"
  failures=$((failures + 1))
else
  echo "ok: after kill -9 the game went on from its journal"
fi
kill -TERM "$GPID"
ended
[ "$failures" -eq 0 ]

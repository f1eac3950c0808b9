#!/usr/bin/env bash
# The session ending under a running game: a hang-up (the terminal closed), a
# quit signal and the X server going away must all leave the player's options
# and high scores saved, and a terminate signal during play keeps the game. The game starts from a scratch folder without data
# files, so files found afterwards were written by the ending.
# usage: session_end.sh <game folder> [game binary]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-game.sh"

GAME_DIR=$(cd "$1" && pwd)
GAME=${2:-$GAME_DIR/rebounder}
use_scratch_folder
failures=0

fresh() {
  rm -rf "$WORK/run"
  mkdir "$WORK/run"
  link_game_assets "$GAME_DIR" "$WORK/run"
}

# Without data files in the working folder they go to the per-user folder.
saved() {
  [ "$(stat -c %s "$WORK/run/xdg/rebounder/options.dat" 2>/dev/null)" = 6 ] &&
    [ "$(stat -c %s "$WORK/run/xdg/rebounder/highscores.dat" 2>/dev/null)" = 140 ]
}

start_game() {
  (cd "$WORK/run" && HOME="$WORK/run" XDG_DATA_HOME="$WORK/run/xdg" REBOUNDER_DATA_DIR="$WORK/run" \
    SDL_AUDIODRIVER=dummy exec "$GAME" "$@" 2>"$WORK/stderr" >/dev/null) &
  GPID=$!
}

# Waits until the process catches signal $2: a signal sent earlier, under a
# loaded machine, would end the game before it could save.
wait_for_handler() {
  local mask
  for _ in $(seq 200); do
    mask=$(awk '/^SigCgt/ {print $2}' "/proc/$1/status" 2>/dev/null)
    [ -n "$mask" ] && (((0x$mask >> ($2 - 1)) & 1)) && return
    sleep 0.1
  done
}

finish() {  # finish <what> <expected status>
  local rc
  for _ in $(seq 300); do kill -0 "$GPID" 2>/dev/null || break; sleep 0.1; done
  # A game that has not ended by now never will: say where it stands.
  if kill -0 "$GPID" 2>/dev/null; then
    echo "FAIL: $1: the game is still running 30 s later"
    if command -v gdb >/dev/null; then
      gdb -p "$(pgrep -P "$GPID" rebounder || echo "$GPID")" -batch -ex "thread apply all bt" 2>/dev/null | grep "^#"
    fi
    kill -9 "$GPID"
  fi
  wait "$GPID"
  rc=$?
  GPID=""
  if [ "$rc" -ne "$2" ]; then
    echo "FAIL: $1: status $rc, $2 expected: $(cat "$WORK/stderr")"
    failures=$((failures + 1))
  elif ! saved; then
    echo "FAIL: $1: the options and high scores were not saved"
    failures=$((failures + 1))
  else
    echo "ok: $1: saved, status $rc"
  fi
}

kept() {  # kept <what>: the game of "rainy day" in play was kept
  if grep -qx "level -1 rainy day" "$WORK/run/xdg/rebounder/savedgame.dat" 2>/dev/null; then
    echo "ok: $1: the game was kept"
  else
    echo "FAIL: $1: the game was not kept"
    failures=$((failures + 1))
  fi
}

for signal in HUP QUIT; do
  fresh
  SDL_VIDEODRIVER=dummy start_game
  wait_for_handler "$GPID" 1
  kill -s "$signal" "$GPID"
  finish "SIG$signal" 0
done

fresh
SDL_VIDEODRIVER=dummy start_game "rainy day"
wait_for_handler "$GPID" 15
kill -s TERM "$GPID"
finish "SIGTERM during a game" 0
kept "SIGTERM during a game"

# Standard error into a pipe whose reader is gone (`2>&1 | true`), with a
# read-only options file to complain about at the end: what is said is lost,
# nothing else. The game ends as it would (status 1: the options were not
# saved), and the game in play is kept.
fresh
mkdir -p "$WORK/run/xdg/rebounder"
printf '\001\001\001\001\001\000' >"$WORK/run/xdg/rebounder/options.dat"
chmod a-w "$WORK/run/xdg/rebounder/options.dat"
(cd "$WORK/run" && HOME="$WORK/run" XDG_DATA_HOME="$WORK/run/xdg" REBOUNDER_DATA_DIR="$WORK/run" \
  SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy "$GAME" "rainy day" 2>&1 >/dev/null | true) &
GPID=$!
for _ in $(seq 100); do game=$(pgrep -P "$GPID" -x rebounder) && break; sleep 0.1; done
wait_for_handler "$game" 15
kill -s TERM "$game"
: >"$WORK/stderr"
finish "SIGTERM with standard error into a closed pipe" 1
kept "a closed pipe on standard error"

# On a real display too a quit signal ends the game with status 0: under
# the sanitizers no library's own buffers may turn it into a leak report.
fresh
start_xvfb
start_game
if timeout 20 xdotool search --sync --name '^Rebounder$' >/dev/null; then
  wait_for_handler "$GPID" 15
  kill -s TERM "$GPID"
  finish "SIGTERM on a real display" 0
else
  echo "FAIL: no game window appeared: $(cat "$WORK/stderr")"
  failures=$((failures + 1))
fi

fresh
start_game
if timeout 20 xdotool search --sync --name '^Rebounder$' >/dev/null; then
  sleep 0.5
  kill -9 "$XPID"
  XPID=""
  finish "the X server going away" 1
  grep -q "display was lost" "$WORK/stderr" || { echo "FAIL: no word of the lost display"; failures=$((failures + 1)); }
else
  echo "FAIL: no game window appeared: $(cat "$WORK/stderr")"
  failures=$((failures + 1))
fi
[ "$failures" -eq 0 ]

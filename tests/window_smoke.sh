#!/usr/bin/env bash
# Starts the real game in a real X server (Xvfb) that comes up a moment after
# the game, waits for its window, takes a screenshot and checks that it shows
# a drawn play field, then asks the game to quit with SIGTERM and checks that
# it exits cleanly and saved its files.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-game.sh"

GAME_DIR=$(cd "$1" && pwd)
use_scratch_folder

# Run from a scratch folder with a scratch home, so the game's and the
# player's own data files are never touched; the game finds its files beside
# the program.
mkdir "$WORK/home"

# The X server answers only a moment after the game starts, as a busy one
# may: the game waits for it rather than stopping with "no display found".
pick_display
cd "$WORK"
HOME="$WORK/home" XDG_DATA_HOME= SDL_AUDIODRIVER=dummy "$GAME_DIR/rebounder" "go easy on me" 2>"$WORK/stderr.txt" &
GPID=$!
sleep 1
run_xvfb
if ! timeout 20 xdotool search --sync --name '^Rebounder$' >/dev/null; then
  echo "FAIL: no window titled Rebounder appeared"; cat "$WORK/stderr.txt"; exit 1
fi
sleep 1.5

xwd -root -silent | /usr/bin/convert xwd:- "$WORK/shot.png"
colours=$(/usr/bin/convert "$WORK/shot.png" -crop 480x480+80+0 +repage -format %k info:)
echo "screenshot: $colours distinct colours in the play field"
if [ "$colours" -lt 16 ]; then echo "FAIL: the play field looks empty"; exit 1; fi

kill -TERM "$GPID"
set +e
wait "$GPID"
rc=$?
set -e
GPID=""
if [ "$rc" -ne 0 ]; then echo "FAIL: exit status $rc after SIGTERM"; cat "$WORK/stderr.txt"; exit 1; fi
saved="$WORK/home/.local/share/rebounder"
[ "$(stat -c %s "$saved/options.dat")" -eq 6 ] || { echo "FAIL: options.dat not saved in $saved"; exit 1; }
[ "$(stat -c %s "$saved/highscores.dat")" -eq 140 ] || { echo "FAIL: highscores.dat not saved in $saved"; exit 1; }
echo "ok: window shown, clean exit on SIGTERM, data files saved"

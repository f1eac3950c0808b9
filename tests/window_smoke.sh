#!/usr/bin/env bash
# Starts the real game in a real X server (Xvfb) that comes up a moment after
# the game, waits for its window, takes a screenshot and checks that it shows
# a drawn play field, then asks the game to quit with SIGTERM and checks that
# it exits cleanly and saved its files. Its frame log (one line per picture)
# must be well formed and show pictures at the display's rate, not the tick's.
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
HOME="$WORK/home" XDG_DATA_HOME= SDL_AUDIODRIVER=dummy "$GAME_DIR/rebounder" --frame-log "$WORK/frames.txt" "go easy on me" 2>"$WORK/stderr.txt" &
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

# The frame log is written a whole line at a time as the pictures come.
if [ ! -s "$WORK/frames.txt" ] || [ -n "$(tail -c 1 "$WORK/frames.txt")" ]; then
  echo "FAIL: the running game's frame log is not written in whole lines as it goes"; exit 1
fi

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
# Each line: milliseconds since start with three decimals, rising, then the
# first ball's drawn place in picture pixels (inside the field, x 80 to 560)
# or "- -". Xvfb reports no refresh rate, so the game paces at 60 a second:
# the median interval is about 17 ms (25 would be one picture per tick).
if ! awk '
  !/^[0-9]+\.[0-9][0-9][0-9] ([0-9]+ [0-9]+|- -)$/ { print "FAIL: frame log line " NR ": " $0; bad = 1; exit }
  NR > 1 && $1 <= last { print "FAIL: frame log time goes back at line " NR; bad = 1; exit }
  $2 != "-" && ($2 < 80 || $2 > 560 || $3 > 480) { print "FAIL: ball drawn outside the field: " $0; bad = 1; exit }
  { last = $1 }
  END { if (!bad && NR < 30) { print "FAIL: only " NR " pictures logged"; bad = 1 } exit bad }
' "$WORK/frames.txt"; then exit 1; fi
median=$(awk 'NR > 1 { print $1 - last } { last = $1 }' "$WORK/frames.txt" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
echo "frame log: $(wc -l <"$WORK/frames.txt") pictures, median interval $median ms"
if awk -v m="$median" 'BEGIN { exit !(m > 21) }'; then echo "FAIL: pictures come at the tick's rate, not the display's"; exit 1; fi
echo "ok: window shown, frame log well formed, clean exit on SIGTERM, data files saved"

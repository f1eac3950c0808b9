#!/usr/bin/env bash
# Plays the real game under Xvfb with SDL's disk audio driver, which writes
# what a player would hear to a file, then counts the samples held at full
# scale (clipped by the mixer). scripts/screenplayer.py does the playing.
#
# Usage: scripts/mixcheck.sh [game folder] [seconds] [level name]
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$HERE/xvfb-game.sh"
GAME_DIR=$(cd "${1:-build/game}" && pwd)
SPAN=${2:-600}
LEVEL=${3:-}

WORK=$(mktemp -d)
XPID="" PID=""
cleanup() {
  [ -n "$PID" ] && kill "$PID" 2>/dev/null || true
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT
link_game_assets "$GAME_DIR" "$WORK"
# background, stars, explosions, music and sound on; windowed
printf '\1\1\1\1\1\0' >"$WORK/options.dat"
start_xvfb
cd "$WORK"
REBOUNDER_SCALE=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/heard.raw" "$GAME_DIR/rebounder" --windowed ${LEVEL:+"$LEVEL"} \
  >/dev/null 2>&1 &
PID=$!
WINDOW=$(timeout 20 xdotool search --sync --name '^Rebounder$' | head -1)
/usr/bin/python3 "$HERE/screenplayer.py" "$SPAN" "$WINDOW"
kill "$PID"
wait "$PID" 2>/dev/null || true
PID=""
# The disk driver writes 16-bit stereo samples, at whatever rate SDL chose.
/usr/bin/python3 - "$WORK/heard.raw" "$SPAN" <<'COUNT'
import array, math, sys
samples = array.array('h')
with open(sys.argv[1], 'rb') as f:
    samples.frombytes(f.read())
peak = max(max(samples), -min(samples)) if samples else 0
full = samples.count(32767) + samples.count(-32768)
print('%d seconds heard, peak %.2f dBFS, %d samples at full scale'
      % (float(sys.argv[2]), 20 * math.log10(max(peak, 1) / 32768), full))
sys.exit(1 if full else 0)
COUNT

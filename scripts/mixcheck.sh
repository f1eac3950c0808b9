#!/usr/bin/env bash
# Plays the real game under Xvfb with SDL's disk audio driver, which writes
# what a player would hear to a file, and measures it: the integrated
# loudness and the true peak by EBU R128 (ffmpeg's ebur128 filter), the
# samples held at full scale, and the width of the stereo image (the side
# signal's level against the middle's, L-R against L+R). scripts/screenplayer.py does the playing, and
# the game plays eight brick explosions at once every BURST seconds of ball
# play, the loudest moment it can meet.
#
# Usage: scripts/mixcheck.sh [game folder] [seconds] [level name]
# The game starts in play on the level ("go easy on me" unless named); the
# player starts every later game itself after a game over.
# Fails when a sample reaches full scale, the true peak passes -1 dBTP or,
# for captures of a minute or more, the loudness is not -20 LUFS within 2 LU
# or the side is more than 13 dB below the middle (sounds at the walls sit
# to their side: about -10 dB in play with the music on).
set -euo pipefail
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$HERE/xvfb-game.sh"
GAME_DIR=$(cd "${1:-build/game}" && pwd)
SPAN=${2:-600}
LEVEL=${3:-go easy on me}
BURST=${BURST:-20}

use_scratch_folder
link_game_assets "$GAME_DIR" "$WORK"
# background, stars, explosions, music and sound on; windowed
printf '\1\1\1\1\1\0' >"$WORK/options.dat"
# the settings' defaults, whatever the player running the check has chosen
export XDG_CONFIG_HOME="$WORK"
start_xvfb
cd "$WORK"
STARTED=$(date +%s.%N)
REBOUNDER_SOUND_BURSTS=$BURST REBOUNDER_SCALE=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$WORK/heard.raw" \
  "$GAME_DIR/rebounder" --windowed "$LEVEL" >/dev/null 2>&1 &
GPID=$!
WINDOW=$(timeout 20 xdotool search --sync --name '^Rebounder$' | head -1)
/usr/bin/python3 "$HERE/screenplayer.py" "$SPAN" "$WINDOW"
kill "$GPID"
wait "$GPID" 2>/dev/null || true
GPID=""
ENDED=$(date +%s.%N)

# The disk driver writes 16-bit stereo in real time at whatever rate SDL
# chose: the nearest usual rate to the bytes written over the time taken.
RATE=$(/usr/bin/python3 -c "
import os, sys
rate = os.path.getsize('heard.raw') / 4 / ($ENDED - $STARTED)
print(min((22050, 44100, 48000), key=lambda r: abs(r - rate)))")
LOUDNESS=$(ffmpeg -hide_banner -nostats -f s16le -ar "$RATE" -ac 2 -i heard.raw \
  -af ebur128=peak=true -f null - 2>&1 | sed -n '/Summary:/,$p')
/usr/bin/python3 - heard.raw "$RATE" "$SPAN" "$LOUDNESS" <<'COUNT'
import array, math, re, sys
path, rate, span, summary = sys.argv[1], int(sys.argv[2]), float(sys.argv[3]), sys.argv[4]
samples = array.array('h')
with open(path, 'rb') as f:
    samples.frombytes(f.read())
full = samples.count(32767) + samples.count(-32768)
left, right = samples[0::2], samples[1::2]
mid = sum((a + b) ** 2 for a, b in zip(left, right))
side = sum((a - b) ** 2 for a, b in zip(left, right))
width = 10 * math.log10(side / mid) if side > 0 and mid > 0 else -math.inf
integrated = float(re.search(r'I:\s+(-?[\d.]+) LUFS', summary).group(1))
true_peak = float(re.search(r'Peak:\s+(-?[\d.inf]+) dBFS', summary).group(1))
print('%.0f seconds heard at %d Hz: %.1f LUFS integrated, true peak %.1f dBTP, %d samples at full scale, '
      'side %.1f dB against the middle' % (len(samples) / 2 / rate, rate, integrated, true_peak, full, width))
failed = full > 0 or true_peak > -1.0 or (span >= 60 and (abs(integrated + 20) > 2 or width < -13))
sys.exit(1 if failed else 0)
COUNT

#!/usr/bin/env bash
# Starts the real game (dummy video and audio) with one damaged file at a
# time and checks what the player gets: a refused file stops the game with
# status 1 and one line naming the file and the cause, never a signal, and
# leaves the data files and the damaged file as they were; a damage the game
# can live with (a picture in another depth, a broken sound) lets it start.
# usage: fault_starts.sh <game folder> <fuzz seed folder> [game binary]
set -uo pipefail

GAME_DIR=$(cd "$1" && pwd)
SEEDS=$(cd "$2" && pwd)
GAME=${3:-$GAME_DIR/rebounder}
WORK=$(mktemp -d)
S=$WORK/run
trap 'chmod -R u+rwx "$WORK"; rm -rf "$WORK"' EXIT
failures=0
starts=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Root reads any file whatever its mode; the game is then run without that
# privilege, or the unreadable cases are skipped and said to be.
WRAP=()
can_drop=yes
if [ "$(id -u)" -eq 0 ]; then
  WRAP=(setpriv --bounding-set=-dac_override,-dac_read_search --inh-caps=-dac_override,-dac_read_search)
  : >"$WORK/probe" && chmod 000 "$WORK/probe"
  if "${WRAP[@]}" cat "$WORK/probe" >/dev/null 2>&1 || ! "${WRAP[@]}" true 2>/dev/null; then can_drop=no; fi
fi

# A scratch folder: assets linked from the build, the folder of the file to
# damage copied, and data files of known content.
scratch() {
  chmod -R u+rwx "$S" 2>/dev/null
  rm -rf "$S"
  mkdir -p "$S"
  for d in sprites sounds music fonts maps; do
    if [ "$d" = "$1" ]; then cp -r "$GAME_DIR/$d" "$S/$d"; else ln -s "$GAME_DIR/$d" "$S/$d"; fi
  done
  printf '\001\000\001\000\001\000' >"$S/options.dat"
  for k in 0 1 2 3 4 5 6 7 8 9; do printf 'TESTER%d   \020\047\000\000' "$k"; done >"$S/highscores.dat"
}

fingerprint() { (cd "$S" && find options.dat highscores.dat "$1" -exec stat -c '%n %s %a' {} \; 2>&1 && cat options.dat highscores.dat 2>/dev/null | md5sum && { [ -f "$1" ] && md5sum <"$1"; } 2>/dev/null) }

run_game() {
  starts=$((starts + 1))
  (cd "$S" && HOME="$S" XDG_DATA_HOME="$S/xdg" REBOUNDER_DATA_DIR="$S" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    timeout 20 "${WRAP[@]}" "$GAME" "$@" 2>"$WORK/stderr" >/dev/null)
}

# refused <folder> <file> <cause pattern> <times> <how to damage it...>
refused() {
  local folder=$1 file=$2 cause=$3 times=$4
  shift 4
  scratch "$folder"
  (cd "$S" && eval "$*")
  local before
  before=$(fingerprint "$file")
  for _ in $(seq "$times"); do
    run_game
    local rc=$?
    local lines
    lines=$(wc -l <"$WORK/stderr")
    if [ $rc -gt 128 ]; then fail "$file ($*): killed by signal $((rc - 128))"; break; fi
    if [ $rc -ne 1 ]; then fail "$file ($*): status $rc, 1 expected"; break; fi
    if [ "$lines" -ne 1 ] || ! grep -q -- "$file" "$WORK/stderr" || ! grep -qiE -- "$cause" "$WORK/stderr"; then
      fail "$file ($*): one line naming the file and /$cause/ expected, got: $(cat "$WORK/stderr")"
      break
    fi
  done
  [ "$(fingerprint "$file")" = "$before" ] || fail "$file ($*): the data files or the damaged file changed"
}

# started <folder> <damage...>: the game starts, quits on SIGTERM with status 0.
started() {
  local folder=$1
  shift
  scratch "$folder"
  (cd "$S" && eval "$*")
  starts=$((starts + 1))
  (cd "$S" && HOME="$S" XDG_DATA_HOME="$S/xdg" REBOUNDER_DATA_DIR="$S" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    exec "$GAME" 2>"$WORK/stderr" >/dev/null) &
  local pid=$!
  # SIGTERM only once the game catches it (bit 15 of the caught mask).
  for _ in $(seq 200); do
    mask=$(awk '/^SigCgt/ {print $2}' "/proc/$pid/status" 2>/dev/null)
    [ -n "$mask" ] && (((0x$mask >> 14) & 1)) && break
    sleep 0.1
  done
  sleep 0.5
  kill -TERM $pid 2>/dev/null
  wait $pid
  local rc=$?
  [ $rc -eq 0 ] || fail "($*): the game should start and quit cleanly, status $rc: $(cat "$WORK/stderr")"
}

seed() { tail -c +"$2" "$SEEDS/$1"; }  # a seed without its first $2-1 bytes (the slot byte)
export -f seed
export SEEDS

W=sprites//wall_v.bmp
refused sprites "$W" "No such file or directory" 20 rm sprites/wall_v.bmp
refused sprites "$W" "empty" 2 ": >sprites/wall_v.bmp"
refused sprites "$W" "ends at byte" 2 "head -c 700 $GAME_DIR/sprites/wall_v.bmp >sprites/wall_v.bmp"
refused sprites "$W" "not a BMP" 2 "yes 'not a picture' | head -c 3000 >sprites/wall_v.bmp"
refused sprites "$W" "is a folder" 2 "rm sprites/wall_v.bmp && mkdir sprites/wall_v.bmp"
refused sprites "$W" "at most 1024" 2 "seed sprite/huge-32768 2 >sprites/wall_v.bmp"
refused sprites "sprites//hud.bmp" "must have a palette" 2 "seed sprite/hud-24 2 >sprites/hud.bmp"
refused sprites "sprites//hud.bmp" "must have a palette" 2 "seed sprite/hud-32-alpha 2 >sprites/hud.bmp"
refused fonts "fonts//score.fnt" "No such file or directory" 2 rm fonts/score.fnt
refused fonts "fonts//score.fnt" "is a folder" 2 "rm fonts/score.fnt && mkdir fonts/score.fnt"
refused fonts "fonts//score.fnt" "at most 4096" 2 "seed font/huge-46341 1 >fonts/score.fnt"
refused fonts "fonts//menu.fnt" "empty" 2 ": >fonts/menu.fnt"
refused maps "maps//go easy on me.map" "ends at byte" 2 "head -c 100 '$GAME_DIR/maps/go easy on me.map' >'maps/go easy on me.map'"
refused maps "maps//go easy on me.map" "is a folder" 2 "rm 'maps/go easy on me.map' && mkdir 'maps/go easy on me.map'"
refused maps "maps//go easy on me.map" "Too many levels of symbolic links" 2 "rm -r maps && ln -s maps maps"
refused none "options.dat" "ends at byte" 2 "head -c 3 options.dat >o && mv o options.dat"
refused none "options.dat" "is a folder" 2 "rm options.dat && mkdir options.dat"
if [ "$can_drop" = yes ]; then
  refused sprites "$W" "Permission denied" 2 chmod 000 sprites/wall_v.bmp
  refused maps "maps//go easy on me.map" "Permission denied" 2 chmod 000 maps
  refused none "highscores.dat" "Permission denied" 2 chmod 000 highscores.dat
else
  echo "SKIP: the unreadable-file cases (running as root, and the read override cannot be dropped here)"
fi

started sprites "seed sprite/ball-32-alpha 2 >sprites/ball.bmp"
started sprites "seed sprite/hud-top-down 2 >sprites/hud.bmp && seed sprite/ball-16 2 >sprites/paddle.bmp"
started fonts "seed font/score-24 1 >fonts/score.fnt"
started sounds "yes | head -c 999 >sounds/ping.wav && rm sounds/pong.wav && mkdir sounds/pong.wav"
# A table file that is not a table is kept aside; the built-in table takes its place.
started none ": >highscores.dat"
[ -f "$S/highscores.dat.bad" ] && [ ! -s "$S/highscores.dat.bad" ] && [ "$(stat -c %s "$S/highscores.dat")" = 140 ] ||
  fail "an empty highscores.dat should be kept as highscores.dat.bad beside the built-in table"

# Text from outside (an option's value, a file's name) reaches the terminal
# escaped and cut: no control byte, no line longer than a message.
# echoed <status> <lines, or - for any> <arguments...>
echoed() {
  local status=$1 lines=$2
  shift 2
  scratch none
  printf 'name oops\n\001\n' >"$S/bad"$'\n'".lvl"
  starts=$((starts + 1))
  (cd "$S" && HOME="$S" XDG_DATA_HOME="$S/xdg" REBOUNDER_DATA_DIR="$S" SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
    timeout 20 "$GAME" "$@" >"$WORK/said" 2>&1)
  local rc=$? what
  what=$(printf "%s" "${1:0:20}" | cat -v)
  [ $rc -eq "$status" ] || fail "echoed ($what): status $rc, $status expected: $(head -c 300 "$WORK/said")"
  [ "$lines" = - ] || [ "$(wc -l <"$WORK/said")" -eq "$lines" ] ||
    fail "echoed ($what): $lines lines expected: $(head -c 300 "$WORK/said" | cat -v)"
  ! LC_ALL=C grep -q $'[\x01-\x09\x0b-\x1f\x7f]' "$WORK/said" || fail "echoed ($what): a control byte: $(cat -v "$WORK/said" | head -c 300)"
  ! awk 'length > 600 { found = 1 } END { exit !found }' "$WORK/said" || fail "echoed ($what): a line of $(awk '{ print length }' "$WORK/said" | sort -n | tail -1) characters"
}
long=$(head -c 100000 /dev/zero | tr '\0' A)
echoed 2 1 --players $'AN\nN,BOB\x1b[2J'
echoed 2 1 --players "$long,BOB"
echoed 2 - $'--bogus\x1b[2J'
echoed 1 1 --replay $'no\nsuch\x1b.replay'
echoed 1 1 --generate 7 --count 1 $'highscores.dat/\x1b[2Jsub'
echoed 0 1 --generate 7 --count 1 $'made\nhere\x1b[2J'
echoed 1 3 --scale $'9\x1b[2J' --frame-log $'no/such\n\x1b' --edit $'bad\n.lvl'
echoed 1 1 --edit "$long.lvl"

# No display to open the window on: one line, the game's own, naming the
# display tried (SDL's and Wayland's complaints are held back).
no_display() {
  local expected=$1
  shift
  scratch none
  starts=$((starts + 1))
  (cd "$S" && env -u SDL_VIDEODRIVER -u WAYLAND_DISPLAY -u DISPLAY -u XDG_RUNTIME_DIR "$@" HOME="$S" \
    XDG_DATA_HOME="$S/xdg" SDL_AUDIODRIVER=dummy timeout 20 "$GAME" 2>"$WORK/stderr" >/dev/null)
  local rc=$?
  [ $rc -eq 1 ] && [ "$(wc -l <"$WORK/stderr")" -eq 1 ] && grep -qF -- "$expected" "$WORK/stderr" ||
    fail "no display ($*): status 1 and one line with \"$expected\" expected, status $rc: $(cat "$WORK/stderr")"
}
# A display number past those the Xvfb of other tests take.
absent=250
while [ -e "/tmp/.X11-unix/X$absent" ] || [ -e "/tmp/.X$absent-lock" ]; do absent=$((absent + 1)); done
no_display "the display :$absent (DISPLAY): " DISPLAY=:$absent
no_display "is DISPLAY or WAYLAND_DISPLAY set?"

echo "$starts starts, $failures failures"
[ $failures -eq 0 ]

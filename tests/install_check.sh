#!/usr/bin/env bash
# Installs the game into a temporary prefix and checks it as a player gets it:
# every file in place, the desktop entry and software-centre data valid, and
# the installed program, started by its desktop entry's Exec line from another
# folder with a fresh home, opens its window and keeps its files in
# ~/.local/share/rebounder after a SIGTERM. With lintian at hand, the Debian
# package made from the same build must pass it without an error, a warning
# or a missing hardening.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/xvfb-game.sh"

BUILD=$(cd "$1" && pwd)
use_scratch_folder
fail() { echo "FAIL: $*"; exit 1; }

PREFIX="$WORK/prefix"
cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
APP=io.github.rebounder.Rebounder
DATA="$PREFIX/share/rebounder"

[ -x "$PREFIX/games/rebounder" ] || fail "no program in games/"
for f in sprites/hud.bmp sprites/ball.bmp music/rebounder.ogg fonts/menu.fnt fonts/menudark.fnt fonts/score.fnt \
         "maps/go easy on me.map" "maps/psychedelic earthworm.map"; do
  [ -s "$DATA/$f" ] || fail "missing $DATA/$f"
done
[ "$(ls "$DATA/maps" | wc -l)" -ge 40 ] || fail "fewer than 40 maps"
[ "$(ls "$DATA/sounds" | wc -l)" -ge 22 ] || fail "fewer than 22 sounds"
for theme in neon paper contrast; do
  for f in sprites/ball.bmp sprites/background.bmp fonts/menu.fnt music/rebounder.ogg; do
    [ -s "$DATA/themes/$theme/$f" ] || fail "missing $DATA/themes/$theme/$f"
  done
done
[ ! -e "$DATA/themes/neon/.stamp" ] || fail "the build's stamp file was installed"
themes=$(cd / && HOME="$WORK" XDG_DATA_HOME="$WORK/none" "$PREFIX/games/rebounder" --list-themes | tr '\n' ' ')
[ "$themes" = "classic neon paper contrast " ] || fail "--list-themes of the installed game says: $themes"
for size in 32 48 64 128 256; do
  icon="$PREFIX/share/icons/hicolor/${size}x${size}/apps/rebounder.png"
  [ "$(/usr/bin/identify -format %wx%h "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "icon $icon"
done
desktop-file-validate "$PREFIX/share/applications/$APP.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP.metainfo.xml" >/dev/null ||
  { appstreamcli validate --no-net "$PREFIX/share/metainfo/$APP.metainfo.xml"; fail "metainfo"; }
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$PREFIX/share/man/man6/rebounder.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page: $warnings"

# The Exec line as a desktop runs it.
exec_line=$(sed -n 's/^Exec=//p' "$PREFIX/share/applications/$APP.desktop")
[ "$exec_line" = "$PREFIX/games/rebounder" ] || fail "Exec line $exec_line"
mkdir "$WORK/home" "$WORK/elsewhere"
start_xvfb
cd "$WORK/elsewhere"
env -u REBOUNDER_DATA_DIR -u XDG_DATA_HOME HOME="$WORK/home" \
  SDL_AUDIODRIVER=dummy sh -c "exec $exec_line" 2>"$WORK/stderr.txt" &
GPID=$!
if ! window=$(timeout 20 xdotool search --sync --name '^Rebounder$' | head -1); then
  cat "$WORK/stderr.txt"; fail "no window titled Rebounder appeared"
fi
# Docks match a window to its menu entry by the window's class.
wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*, "\(.*\)"$/\1/p')
startup_class=$(sed -n 's/^StartupWMClass=//p' "$PREFIX/share/applications/$APP.desktop")
[ -n "$wm_class" ] && [ "$wm_class" = "$startup_class" ] ||
  fail "the window's class \"$wm_class\" is not the menu entry's StartupWMClass \"$startup_class\""
sleep 1.5
xwd -root -silent | /usr/bin/convert xwd:- "$WORK/shot.png"
colours=$(/usr/bin/convert "$WORK/shot.png" -crop 480x480+80+0 +repage -format %k info:)
echo "screenshot: $colours distinct colours in the play field"
[ "$colours" -ge 16 ] || fail "the window looks empty"

kill -TERM "$GPID"
set +e
wait "$GPID"
rc=$?
set -e
GPID=""
[ "$rc" -eq 0 ] || { cat "$WORK/stderr.txt"; fail "exit status $rc after SIGTERM"; }
saved="$WORK/home/.local/share/rebounder"
[ "$(stat -c %s "$saved/options.dat" 2>/dev/null)" = 6 ] || fail "no options.dat in $saved"
[ "$(stat -c %s "$saved/highscores.dat" 2>/dev/null)" = 140 ] || fail "no highscores.dat in $saved"
[ -z "$(ls -A "$WORK/elsewhere")" ] || fail "files written into the working directory: $(ls -A)"

if command -v lintian >/dev/null; then
  cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/deb" -D CPACK_PACKAGING_INSTALL_PREFIX=/usr \
    >"$WORK/cpack.txt" || { cat "$WORK/cpack.txt"; fail "cpack made no package"; }
  report=$(lintian -I --fail-on error,warning --no-tag-display-limit "$WORK"/deb/rebounder_*.deb 2>&1) ||
    { echo "$report"; fail "lintian finds fault with the package"; }
  echo "$report"
  ! grep -q hardening <<<"$report" || fail "lintian finds the program built without Debian's hardening"
else
  echo "lintian is not installed: the package was not checked"
fi
echo "ok: installed files valid, window shown from another folder, files kept in $saved"

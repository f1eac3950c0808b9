# Shared by the scripts that run the real game under Xvfb (the window smoke,
# install and session tests, the idle benchmark). Source it; it defines functions only.

# link_game_assets <game folder> <scratch folder>: lets the game run from the
# scratch folder, so the data files it writes never touch the build's own.
link_game_assets() {
  local d
  for d in sprites sounds music fonts maps themes; do ln -s "$1/$d" "$2/$d"; done
}

# start_xvfb [WxH]: starts Xvfb (800x600 unless given) on the first free
# display from :40 up, exports DISPLAY, sets XPID and waits until it answers.
start_xvfb() {
  pick_display
  run_xvfb "$@"
}

# pick_display: exports DISPLAY, the first free display from :40 up.
pick_display() {
  local n
  for n in $(seq 40 199); do
    # A lock left behind by an X server that was killed (the session test
    # kills one on purpose) frees its display again.
    if [ -e "/tmp/.X$n-lock" ] && ! kill -0 "$(tr -dc 0-9 <"/tmp/.X$n-lock" 2>/dev/null)" 2>/dev/null; then
      rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n" 2>/dev/null || true
    fi
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then export DISPLAY=":$n"; return; fi
  done
}

# run_xvfb [WxH]: starts Xvfb on $DISPLAY, sets XPID and waits until it answers.
run_xvfb() {
  Xvfb "$DISPLAY" -screen 0 "${1:-800x600}x24" -nolisten tcp >/dev/null 2>&1 &
  XPID=$!
  for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
}

# use_scratch_folder: makes WORK, a scratch folder, and on exit ends the game
# (GPID) and the X server (XPID) the script started and removes the folder.
use_scratch_folder() {
  WORK=$(mktemp -d)
  XPID=""
  GPID=""
  trap 'end_scratch_folder' EXIT
}
end_scratch_folder() {
  [ -n "$GPID" ] && kill -9 "$GPID" 2>/dev/null || true
  [ -n "$XPID" ] && kill "$XPID" 2>/dev/null || true
  rm -rf "$WORK"
}

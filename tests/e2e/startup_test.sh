#!/bin/bash
# Start-up of the real executable: no display, missing artwork, a missing font, and a window
# that closes on Escape. Usage: startup_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"

# 1. No display: a clear line on stderr, status 1.
exe=$(readlink -f "$1")
err1=$(mktemp)
env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$exe" 2>"$err1"
status=$?
msg=$(cat "$err1")
rm -f "$err1"
[ $status -eq 1 ] || { echo "FAIL: no display: wrong status $status"; exit 1; }
echo "$msg" | grep -q "^quizendo: cannot open a window: " || { echo "FAIL: no display: $msg"; exit 1; }

qz_init "$1"

# refused WHAT ERRFILE COMMAND...: COMMAND shows a box captioned "quizendo", which is
# answered with Return, and ends with status 1.
refused() {
  local what=$1 err=$2 pid box=
  shift 2
  "$@" 2>"$err" &
  pid=$!
  for _ in $(seq 100); do
    box=$(xwininfo -root -tree | awk '/"quizendo"/ {print $1; exit}')
    [ -n "$box" ] && break
    sleep 0.1
  done
  [ -n "$box" ] || fail "$what: no message box; stderr: $(cat "$err")"
  sleep 0.3
  xdotool windowfocus "$box"
  xdotool key Return
  wait $pid
  status=$?
  [ $status -eq 1 ] || fail "$what: status $status"
}

# 2. Artwork missing: the file is named, status 1. The copy has an empty assets folder.
mkdir -p "$qz_work/bare/assets"
cp "$qz_exe" "$qz_work/bare/quizendo"
refused "missing artwork" "$qz_work/err2" timeout 20 "$qz_work/bare/quizendo"
grep -q "$qz_work/bare/assets/" "$qz_work/err2" || fail "missing artwork: $(cat "$qz_work/err2")"

# 3. A font missing: the game's text cannot be drawn, so it does not start; the file is named,
# status 1. The font folder is replaced, for the game alone, by one without the bold face
# (a private mount namespace: the system's folder is left as it is).
font_dir=${QZ_FONT_DIR:-/usr/share/fonts/truetype/dejavu}
if unshare -m --propagation private true 2>/dev/null; then
  mkdir -p "$qz_work/fonts"
  cp "$font_dir/DejaVuSans.ttf" "$font_dir/DejaVuSansCondensed.ttf" "$qz_work/fonts/"
  refused "missing font" "$qz_work/err3" unshare -m --propagation private \
    sh -c 'mount --bind "$1" "$2" && exec timeout 20 "$3"' sh "$qz_work/fonts" "$font_dir" "$qz_exe"
  grep -q "$font_dir/DejaVuSansCondensed-Bold.ttf" "$qz_work/err3" ||
    fail "missing font: $(cat "$qz_work/err3")"
else
  echo "note: no private mount namespace here; the missing font is left to the unit tests"
fi

# 4. The real game: the About box first, then a 640 x 400 main window titled Quizendo; Escape
# ends the opening pause and then leaves, with status 0.
qz_start 60
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box"
qz_key "$about" Escape
win=$(qz_window Quizendo 10)
[ -n "$win" ] || fail "no main window"
xwininfo -id "$win" | grep -q "Width: 640" || fail "window is not 640 wide at scale 1"
sleep 1
qz_key "$win" Escape
sleep 1
qz_key "$win" Escape
qz_wait_exit 20
[ "$qz_status" -eq 0 ] || fail "Escape: status $qz_status"
[ -f "$qz_ini" ] || fail "no settings file written"
grep -q "CadetName=Player" "$qz_ini" || fail "settings: $(cat "$qz_ini")"
grep -q "Player, age" "$qz_log" || fail "no session header in the log"
echo PASS

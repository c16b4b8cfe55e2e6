#!/bin/bash
# Start-up of the real executable: no display, missing artwork, and a window that closes on
# Escape. Usage: startup_test.sh path/to/quizendo
set -u
exe=$(readlink -f "$1")
work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# 1. No display: a clear line on stderr, status 1.
env -u DISPLAY -u WAYLAND_DISPLAY timeout 20 "$exe" 2>"$work/err1"
[ $? -eq 1 ] || fail "no display: wrong status"
grep -q "^quizendo: cannot open a window: " "$work/err1" || fail "no display: $(cat "$work/err1")"

command -v Xvfb >/dev/null || { echo "SKIP: Xvfb not installed"; exit 0; }
for n in $(seq $((200 + $$ % 50)) 299); do
  [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }
done
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY=$display SDL_AUDIODRIVER=dummy

# 2. Artwork missing: the file is named, status 1. The copy has an empty assets folder.
mkdir -p "$work/bare/assets"
cp "$exe" "$work/bare/quizendo"
timeout 20 "$work/bare/quizendo" 2>"$work/err2" &
pid=$!
# The message box waits for OK: answer it with Return once it shows.
for _ in $(seq 100); do
  box=$(xwininfo -root -tree | awk '/"quizendo"/ {print $1; exit}')
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "missing artwork: no message box"
sleep 0.3
xdotool windowfocus "$box"
xdotool key Return
wait $pid
status=$?
[ $status -eq 1 ] || fail "missing artwork: status $status"
grep -q "$work/bare/assets/" "$work/err2" || fail "missing artwork: $(cat "$work/err2")"

# 3. The real game: the About box first, then a 640 x 400 main window titled Quizendo; Escape
# ends the opening pause and then leaves, with status 0.
mkdir -p "$work/home" "$work/run"
cd "$work/run"
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" timeout 60 "$exe" 2>"$work/err3" &
pid=$!
about=$(timeout 15 xdotool search --sync --limit 1 --name '^About Quizendo$' | head -1)
[ -n "$about" ] || fail "no About box"
xdotool windowfocus --sync "$about" key Escape
win=$(timeout 10 xdotool search --sync --limit 1 --name '^Quizendo$' | head -1)
[ -n "$win" ] || fail "no main window"
xwininfo -id "$win" | grep -q "Width: 640" || fail "window is not 640 wide at scale 1"
sleep 1
xdotool windowfocus --sync "$win" key Escape
sleep 1
xdotool windowfocus --sync "$win" key Escape
wait $pid
status=$?
[ $status -eq 0 ] || fail "Escape: status $status; $(cat "$work/err3")"
[ -f "$work/home/.config/Zorvex/quizendo.ini" ] || fail "no settings file written"
grep -q "CadetName=Player" "$work/home/.config/Zorvex/quizendo.ini" || fail "settings: $(cat "$work/home/.config/Zorvex/quizendo.ini")"
grep -q "Player, age" "$work/run/qz.log" || fail "no session header in the log"
echo PASS

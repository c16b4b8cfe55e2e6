#!/usr/bin/env bash
# The real game in a virtual X server, driven with real clicks and keys: the About box opens
# first, alone; a click on its OK mark closes it and the main window appears; after the intro
# Escape leaves the game, which ends with status 0 after writing its settings and the session
# header.
# Usage: about_box_test.sh PATH/TO/quizendo
set -euo pipefail

game=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -x "$game" ] || { echo "FAIL: $game is not built"; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 0; }
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
cd "$work"

cat > "$work/drive.sh" <<'DRIVE'
set -euo pipefail
game=$1
"$game" 2>game.err & pid=$!
fail() { echo "FAIL: $*"; cat game.err; kill "$pid" 2>/dev/null || true; exit 1; }
# Waits up to 20 s for a window titled exactly $1; prints its id.
find_window() {
  for _ in $(seq 100); do
    id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.2
  done
  return 1
}
about=$(find_window "About Quizendo") || fail "no About box"
xdotool search --name "^Quizendo\$" >/dev/null 2>&1 && fail "the main window showed before the About box closed"
eval "$(xdotool getwindowgeometry --shell "$about")"
[ "$WIDTH" = 472 ] && [ "$HEIGHT" = 200 ] || fail "About box is ${WIDTH}x${HEIGHT}, not 472x200"
# Just outside the OK mark: the box stays.
xdotool mousemove --window "$about" 416 180 click 1
sleep 1
xdotool search --name "^About Quizendo\$" >/dev/null || fail "a click outside the OK mark closed the box"
xdotool mousemove --window "$about" 440 190 click 1
main=$(find_window "Quizendo") || fail "no main window after the About box"
eval "$(xdotool getwindowgeometry --shell "$main")"
[ "$WIDTH" = 640 ] && [ "$HEIGHT" = 400 ] || fail "main window is ${WIDTH}x${HEIGHT}, not 640x400"
sleep 5  # the intro
# Escape leaves from the idle screen; on a slow machine the first one may only end the intro.
for _ in 1 2 3; do
  kill -0 "$pid" 2>/dev/null || break
  xdotool windowfocus --sync "$main" key Escape 2>/dev/null || true
  for _ in $(seq 25); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
done
kill -0 "$pid" 2>/dev/null && fail "Escape on the idle screen did not end the game"
wait "$pid" || fail "the game ended with status $?"
echo "PASS"
DRIVE

# A display of our own: Xvfb picks a free number itself, so tests running at the same time
# never share one.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -1 "$work/display")"
timeout 120 bash "$work/drive.sh" "$game"
[ -s "$XDG_CONFIG_HOME/Zorvex/quizendo.ini" ] || { echo "FAIL: no settings file"; exit 1; }
grep -q "Date: " "$work/qz.log" || { echo "FAIL: no session header in qz.log"; exit 1; }

#!/bin/bash
# Full screen on a 1920 x 1080 screen under a window manager: F11 puts the main window on the
# whole screen with the canvas at scale 2 in the middle, on black, showing what the window
# showed; F11 again brings the window back. The last choice is stored and the next start opens
# that way; --window overrides it, and a stored value that is not a number reads as the window.
# Usage: fullscreen_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
command -v openbox >/dev/null || { echo "SKIP: openbox not installed"; exit 0; }
QZ_SCREEN=1920x1080 qz_init "$1"
# Full screen is something a window manager does; without one nobody resizes the window.
openbox --sm-disable >/dev/null 2>&1 </dev/null &
wm_pid=$!
trap 'kill "$wm_pid" 2>/dev/null; wait "$wm_pid" 2>/dev/null; qz_cleanup' EXIT
qz_wait_for 10 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
  fail "the window manager did not start"

# geometry WIN: "WIDTHxHEIGHT+X+Y" of the window on the screen.
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print w "x" h "+" x "+" y}'
}
is_full_screen() { [ "$(geometry "$1")" = "1920x1080+0+0" ]; }
is_window() { [ "$(geometry "$1" | cut -d+ -f1)" = "1280x800" ]; }

# canvas_shows FILE: true when the screen's middle 1280 x 800 (the canvas at scale 2) holds the
# same pixels as FILE; the screen stays in $qz_work/root.png.
canvas_shows() {
  timeout 10 import -silent -window root "$qz_work/root.png" 2>/dev/null &&
    convert "$qz_work/root.png" -crop 1280x800+320+140 +repage "$qz_work/canvas.png" &&
    [ "$(compare -metric AE "$1" "$qz_work/canvas.png" null: 2>&1)" = 0 ]
}

# The whole screen: the same picture as FILE (the window's 1280 x 800 inside) at (320, 140),
# black all around it.
expect_centred_canvas() {
  qz_wait_for 15 canvas_shows "$1" ||
    fail "the full-screen canvas is not the window's picture at the same scale"
  local part max
  for part in 1920x140+0+0 1920x140+0+940 320x800+0+140 320x800+1600+140; do
    max=$(convert "$qz_work/root.png" -crop "$part" +repage -format "%[max]" info:)
    [ "$max" = 0 ] || fail "the border $part is not black (brightest $max)"
  done
}

# start_full_screen WHAT: starts the game, closes its About box and expects the main window on
# the whole screen (the intro's window-relative checks do not apply there).
start_full_screen() {
  qz_start 150
  local about
  about=$(qz_window "About Quizendo")
  [ -n "$about" ] || fail "$1: no About box: $(cat "$qz_work/game.err")"
  qz_key "$about" Escape
  win=$(qz_window Quizendo)
  [ -n "$win" ] || fail "$1: no main window"
  qz_wait_for 10 is_full_screen "$win" || fail "$1: the window is $(geometry "$win")"
}

qz_start_to_idle 150
qz_wait_for 10 is_window "$win" || fail "the window is $(geometry "$win"), not 1280x800 (scale 2)"
sleep 1
timeout 10 import -silent -window "$win" "$qz_work/window.png" 2>/dev/null || fail "no screenshot"
[ "$(identify -format %wx%h "$qz_work/window.png")" = 1280x800 ] || fail "odd window picture"

qz_key "$win" F11
qz_wait_for 10 is_full_screen "$win" || fail "F11: the window is $(geometry "$win")"
sleep 1
expect_centred_canvas "$qz_work/window.png"

qz_key "$win" F11
qz_wait_for 10 is_window "$win" || fail "F11 again: the window is $(geometry "$win")"
sleep 1
qz_same_as "$win" 0 0 1280 800 "$qz_work/window.png" || fail "the window came back changed"

# Left on the whole screen, the game starts there the next time.
qz_key "$win" F11
qz_wait_for 10 is_full_screen "$win" || fail "F11 a third time: the window is $(geometry "$win")"
qz_key "$win" Escape
qz_wait_exit 15
[ "$(qz_ini_value FullScreen)" = 1 ] || fail "FullScreen is '$(qz_ini_value FullScreen)', not 1"
start_full_screen "restarted"
expect_centred_canvas "$qz_work/window.png"
qz_key "$win" Escape
qz_wait_exit 15

# --window wins over the stored choice, and is stored in its turn.
qz_args=(--window)
qz_start_to_idle 150 "--window"
qz_wait_for 10 is_window "$win" || fail "--window: the window is $(geometry "$win")"
qz_key "$win" Escape
qz_wait_exit 15
[ "$(qz_ini_value FullScreen)" = 0 ] || fail "FullScreen is '$(qz_ini_value FullScreen)', not 0"

# A value that is not a number reads as the window; --fullscreen opens on the whole screen.
sed -i 's/^FullScreen=.*/FullScreen=yes/' "$qz_ini"
qz_args=()
qz_start_to_idle 150 "FullScreen=yes"
qz_wait_for 10 is_window "$win" || fail "FullScreen=yes: the window is $(geometry "$win")"
qz_key "$win" Escape
qz_wait_exit 15
qz_args=(--fullscreen)
start_full_screen "--fullscreen"
expect_centred_canvas "$qz_work/window.png"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
[ ! -s "$qz_work/game.err" ] || fail "the game complained: $(cat "$qz_work/game.err")"
echo PASS

#!/bin/bash
# The About box in the real game: shown first and alone at start-up, 472 x 200; a click just
# outside its OK zone (the lower right corner) leaves it open, a click on OK closes it and the
# 640 x 400 main window appears; F1 opens it again, a click elsewhere leaves it open, Escape
# closes it. Then it is opened and closed again many times over, by Escape and by a close
# request in turn, while another client keeps the X server busy: a box closed by an event that
# SDL read while waiting used to be destroyed before the X server had delivered SDL's wake-up
# message to it, the message failed with BadWindow and Xlib ended the game (seen within a few
# boxes). Last, the game leaves from the idle screen with status 0, its settings written.
# Usage: about_test.sh path/to/quizendo (send_close_request is built next to it)
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"
closer="$(dirname "$qz_exe")/send_close_request"
[ -x "$closer" ] || fail "$closer is missing (the send_close_request target builds it)"
boxes=120

about_gone() {
  [ -z "$(xdotool search --name '^About Quizendo$' 2>/dev/null)" ]
}

printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\n' >"$qz_ini"
qz_start 240
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box at start-up"
xdotool search --name "^Quizendo\$" >/dev/null 2>&1 && fail "the main window showed before the About box closed"
xwininfo -id "$about" | grep -q "Width: 472" || fail "the About box is not 472 wide"
xwininfo -id "$about" | grep -q "Height: 200" || fail "the About box is not 200 high"
qz_click "$about" 416 180
sleep 0.5
about_gone && fail "a click just outside the OK mark closed the About box"
qz_click "$about" 440 190
win=$(qz_window Quizendo)
[ -n "$win" ] || fail "no main window after the click on OK"
qz_wait_for 5 about_gone || fail "the About box stayed open after the click on OK"
xwininfo -id "$win" | grep -q "Width: 640" || fail "the main window is not 640 wide"
xwininfo -id "$win" | grep -q "Height: 400" || fail "the main window is not 400 high"
qz_wait_idle "$win"

qz_key "$win" F1
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "F1 did not open the About box"
qz_click "$about" 100 100
sleep 0.5
about_gone && fail "a click outside OK closed the About box"
qz_key "$about" Escape
qz_wait_for 5 about_gone || fail "Escape did not close the About box"
kill -0 "$qz_game_pid" 2>/dev/null || fail "the game ended with the About box"

# Another client asking the server about every window, over and over, while the boxes come
# and go.
script_pid=$$
(
  while kill -0 "$script_pid" 2>/dev/null; do xwininfo -root -tree >/dev/null 2>&1; done
) </dev/null >/dev/null 2>&1 &
noise_pid=$!
for box in $(seq "$boxes"); do
  qz_key "$win" F1
  about=$(qz_window "About Quizendo" 10)
  [ -n "$about" ] || fail "box $box: F1 showed no About box"
  if [ $((box % 2)) = 0 ]; then
    "$closer" "$about" || fail "box $box: the close request was not sent"
  else
    qz_key "$about" Escape
  fi
  qz_wait_for 10 about_gone || fail "box $box: the About box stayed"
  kill -0 "$qz_game_pid" 2>/dev/null || fail "box $box: the game ended"
done
kill "$noise_pid" 2>/dev/null

qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
qz_expect_26_values
qz_log_has 1 "Date: " || fail "no session header in qz.log"
echo PASS

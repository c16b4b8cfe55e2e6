#!/bin/bash
# The About box in the real game: shown at start-up and closed by a click in its OK zone (the
# lower right corner), opened again with F1, left open by a click elsewhere, closed by Escape;
# the game then leaves from the idle screen.
# Usage: about_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"
qz_start 120

about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box at start-up"
xwininfo -id "$about" | grep -q "Width: 472" || fail "the About box is not 472 wide"
xwininfo -id "$about" | grep -q "Height: 200" || fail "the About box is not 200 high"
qz_click "$about" 440 190
win=$(qz_window Quizendo)
[ -n "$win" ] || fail "no main window after the click on OK"
qz_wait_for 5 eval '[ -z "$(xdotool search --name "^About Quizendo\$" 2>/dev/null)" ]' ||
  fail "the About box stayed open after the click on OK"
qz_wait_idle "$win"

qz_key "$win" F1
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "F1 did not open the About box"
qz_click "$about" 100 100
sleep 0.5
[ -n "$(xdotool search --name '^About Quizendo$' 2>/dev/null)" ] || fail "a click outside OK closed the About box"
qz_key "$about" Escape
qz_wait_for 5 eval '[ -z "$(xdotool search --name "^About Quizendo\$" 2>/dev/null)" ]' ||
  fail "Escape did not close the About box"
kill -0 "$qz_game_pid" 2>/dev/null || fail "the game ended with the About box"

qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
echo PASS

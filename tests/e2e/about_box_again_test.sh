#!/bin/bash
# The About box opened with F1 and closed again, by Escape and by a close request in turn, many
# times over, while another client keeps the X server busy; then the game leaves as usual. A
# box closed by an event that SDL read while waiting used to be destroyed before the X server
# had delivered SDL's wake-up message to it: the message failed with BadWindow and Xlib ended
# the game (seen within a few boxes here).
# Usage: about_box_again_test.sh path/to/quizendo (send_close_request is built next to it)
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"
closer="$(dirname "$qz_exe")/send_close_request"
[ -x "$closer" ] || fail "$closer is missing (the send_close_request target builds it)"
boxes=120

printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\n' >"$qz_ini"
qz_start_to_idle 150

# Another client asking the server about every window, over and over, for as long as this
# script runs.
script_pid=$$
(
  while kill -0 "$script_pid" 2>/dev/null; do xwininfo -root -tree >/dev/null 2>&1; done
) </dev/null >/dev/null 2>&1 &
noise_pid=$!

about_gone() {
  [ -z "$(xdotool search --name '^About Quizendo$' 2>/dev/null)" ]
}
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
echo PASS

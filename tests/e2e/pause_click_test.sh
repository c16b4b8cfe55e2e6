#!/bin/bash
# Clicks that come while the game pauses, with real mouse events: EXIT clicked in the pause
# after a time-out ends the pause and then asks the quit question over the next problem; the
# question stays, and the clock stands still under it. EXIT withdraws it: the new problem's
# answer box is empty, so ENTER is disabled and a click on it judges nothing.
# Usage: pause_click_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

enter="320 322"
exit_button="566 368"
problem_line='^[0-9]{3} '

printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\nSoundOn=0\n' >"$qz_ini"
qz_start_to_idle 120

qz_click "$win" $enter
sleep 8.5 # Get Ready
# The first problem runs out after 10 s; its line is written as its 3 s pause begins.
qz_wait_for 15 qz_log_has 1 "T/O \(" || fail "the first problem did not time out"
qz_click "$win" $exit_button
qz_wait_for 2 qz_question_shown "$win" || fail "EXIT clicked in the pause asked no quit question"
sleep 4 # past the end of the pause, and more
qz_question_shown "$win" || fail "the quit question did not stay"
[ "$(qz_log_count "$problem_line")" -eq 1 ] || fail "the clock ran under the quit question"

qz_click "$win" $exit_button # withdrawn: the next problem, nothing typed
sleep 0.5
qz_shot "$win"
qz_shot_has "$qz_work/enter-idle.png" $qz_enter_rect &&
  fail "ENTER is enabled over an empty answer box"
qz_click "$win" $enter
sleep 1
[ "$(qz_log_count "$problem_line")" -eq 1 ] || fail "a click on ENTER judged an empty box: $(tail -n 1 "$qz_log")"

qz_key "$win" Escape
qz_wait_for 2 qz_question_shown "$win" || fail "Escape asked no quit question"
qz_key "$win" Return # confirmed: lost by default
qz_wait_for 10 qz_same_as "$win" $qz_status_rect "$qz_work/status-idle.png" || fail "the idle screen did not return"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
echo PASS

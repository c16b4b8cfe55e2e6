#!/bin/bash
# Close requests, sent as a window manager's close button sends them (a WM_DELETE_WINDOW
# message; no window manager runs here), to the real game on a virtual X server. The About
# box goes and the game stays. During a match a close request is EXIT: it asks the quit
# question, a second one withdraws it, ENTER confirms it; so in three matches, closed while a
# problem is posed, inside the pause after a wrong answer and inside the pause after a right
# one. A close request at the idle screen leaves. Then the log holds every judged answer once
# and the summary, and the settings hold the three matches.
# Usage: close_request_test.sh path/to/quizendo (send_close_request is built next to it)
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"
closer="$(dirname "$qz_exe")/send_close_request"
[ -x "$closer" ] || fail "$closer is missing (the send_close_request target builds it)"

tab=$'\t'
problem_line='^[0-9]{3} '
printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\n' >"$qz_ini"
qz_start 120

about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box"
"$closer" "$about" || fail "the About box takes no close request"
win=$(qz_window Quizendo)
[ -n "$win" ] || fail "closing the About box did not lead to the main window"
sleep 1
kill -0 "$qz_game_pid" 2>/dev/null || fail "closing the About box ended the game"
qz_wait_idle "$win"

close_request() {
  "$closer" "$win" || fail "the close request was not sent"
}
# status_is NAME MESSAGE: waits until the status line shows what NAME.png holds.
status_is() {
  qz_wait_for 10 qz_same_as "$win" $qz_status_rect "$qz_work/$1.png" || fail "$2"
}
# ENTER, and a press that cuts the Get Ready pause short.
start_match() {
  qz_key "$win" Return shift
}
# ENTER confirms the quit question, a press cuts the pause after the match short: idle again.
confirm_quit() {
  qz_key "$win" Return shift
  status_is status-idle "confirming the quit question did not bring back the idle screen"
}

# The quit question asked and withdrawn the known way, with Escape, shows what the status
# line looks like with the question and with a problem posed.
start_match
qz_key "$win" Escape
qz_wait_for 15 qz_question_shown "$win" || fail "Escape asked no quit question"
cp "$qz_work/part.png" "$qz_work/question.png"
qz_key "$win" Escape
qz_wait_for 10 eval 'qz_shot "$win" && ! qz_shot_has "$qz_work/question.png" $qz_status_rect' ||
  fail "Escape did not withdraw the quit question"
cp "$qz_work/part.png" "$qz_work/asking.png"

# 1. A problem posed.
close_request
status_is question "a close request during the match asked no quit question"
close_request
status_is asking "a second close request did not withdraw the quit question"
close_request
status_is question "a third close request did not ask the quit question again"
confirm_quit

# 2. The pause after a wrong answer: the question stays when the pause ends and the problem
# is asked again under it.
start_match
status_is asking "the second match posed no problem"
qz_type "$win" 99
qz_key "$win" Return
qz_wait_for 10 qz_log_has 1 "$problem_line" || fail "the wrong answer was not logged"
close_request
status_is question "a close request in the pause after a wrong answer asked no quit question"
qz_key "$win" shift # ends the pause
sleep 1
qz_same_as "$win" $qz_status_rect "$qz_work/question.png" ||
  fail "the end of the pause put another text over the quit question"
confirm_quit

# 3. The pause after a right answer: a new problem is posed under the question, and
# withdrawing the question shows it.
start_match
status_is asking "the third match posed no problem"
qz_type "$win" 99
qz_key "$win" Return
qz_wait_for 10 qz_log_has 2 "$problem_line" || fail "the second wrong answer was not logged"
result=$(tr -d '\r' <"$qz_log" | grep -E "$problem_line" | tail -1 |
  sed -nE 's/.*=99 \((-?[0-9]+)\)\t\t.*/\1/p')
[ -n "$result" ] || fail "no result in the wrong answer's line"
qz_key "$win" shift
qz_type "$win" "$result"
qz_key "$win" Return
qz_wait_for 10 qz_log_has 1 "${tab}OK${tab}" || fail "the right answer $result was not logged"
close_request
status_is question "a close request in the pause after a right answer asked no quit question"
qz_key "$win" shift # ends the pause
close_request
status_is asking "withdrawing the question after the pause did not show the next problem"
close_request
status_is question "the close request did not ask the quit question again"
confirm_quit

# At the idle screen a close request leaves.
close_request
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

# Every judged answer once; the summary counts them and the three matches.
[ "$(qz_log_count "$problem_line")" -eq 3 ] || fail "$(qz_log_count "$problem_line") problem lines, not 3"
[ "$(qz_log_count "=99 \([0-9]+\)${tab}${tab}")" -eq 2 ] || fail "not 2 wrong-answer lines"
[ "$(qz_log_count "${tab}OK${tab}")" -eq 1 ] || fail "not 1 right-answer line"
[ "$(qz_log_count "T/O")" -eq 0 ] || fail "a problem timed out"
[ "$(qz_log_count "^SUMMARY$")" -eq 1 ] || fail "$(qz_log_count "^SUMMARY$") summaries, not 1"
for row in "Right Answers${tab}${tab}: 1" "Wrong Answers${tab}${tab}: 2" \
  "Tasks Completed${tab}${tab}: 1" "Total Tasks${tab}${tab}: 3"; do
  [ "$(qz_log_count "^${row}\$")" -eq 1 ] || fail "summary row '$row' missing"
done
qz_expect_26_values
[ "$(qz_ini_value CntRight)" = 3 ] || fail "CntRight is $(qz_ini_value CntRight), not 3 matches"
[ "$(qz_ini_value OldHiScore)" = 0 ] || fail "OldHiScore is $(qz_ini_value OldHiScore): nothing was banked"
[ "$(qz_ini_value GameLevel)" = 1 ] || fail "GameLevel changed"
echo PASS

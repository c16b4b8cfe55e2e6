#!/bin/bash
# A whole match won with the keyboard alone, in the real game on a virtual X server: White
# belt chosen by hand (ten additions of 0 to 4), every problem answered wrong once and then
# right, the answer learnt from the log's line for the wrong one. Then the log (header, 20
# problem lines, the summary) and the saved settings are checked.
# Usage: keyboard_match_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

tab=$'\t'
printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\n' >"$qz_ini"
qz_start_to_idle 200

# ENTER has the focus: Return starts the match. Every pause below is cut short by a shift
# sent at once after the log line that starts it: a key that arrives while a sound or the score
# animation holds the game waits in the queue and cuts the pause when it begins, so the answer
# typed after it always goes to the next problem.
qz_key "$win" Return
sleep 1
problem_line='^[0-9]{3} '
for i in $(seq 10); do
  before=$(qz_log_count "$problem_line")
  qz_key "$win" shift
  qz_type "$win" 99
  qz_key "$win" Return
  qz_wait_for 10 qz_log_has $((before + 1)) "$problem_line" || fail "problem $i: the wrong answer was not logged"
  last=$(tr -d '\r' <"$qz_log" | grep -E "$problem_line" | tail -1)
  result=$(printf '%s\n' "$last" | sed -nE 's/.*=99 \((-?[0-9]+)\)\t\t.*/\1/p')
  [ -n "$result" ] || fail "problem $i: not a wrong-answer line: $last"
  qz_key "$win" shift
  qz_type "$win" "$result"
  qz_key "$win" Return
  qz_wait_for 10 qz_log_has "$i" "${tab}OK${tab}" || fail "problem $i: the right answer $result was not logged"
  tr -d '\r' <"$qz_log" | grep -E "$problem_line" | tail -1 | grep -q "=${result}${tab}${tab}OK${tab}" ||
    fail "problem $i: the last line is not the right answer $result"
done

# The won match ends (title, banking) and the idle screen returns; Escape then leaves.
sleep 2
qz_same_as "$win" $qz_enter_rect "$qz_work/enter-idle.png" && fail "ENTER looks idle during the match end"
qz_wait_for 30 qz_same_as "$win" $qz_enter_rect "$qz_work/enter-idle.png" || fail "the idle screen did not return"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

[ "$(qz_log_count "^Player, age [0-9]+ years [0-9]+ months?${tab}Date: [0-9]{2}-[0-9]{2}-[0-9]{2} ")" -eq 1 ] ||
  fail "session header"
[ "$(qz_log_count "$problem_line")" -eq 20 ] || fail "$(qz_log_count "$problem_line") problem lines, not 20"
[ "$(qz_log_count "=99 \([0-9]+\)${tab}${tab}")" -eq 10 ] || fail "not 10 wrong-answer lines"
[ "$(qz_log_count "${tab}OK${tab}")" -eq 10 ] || fail "not 10 right-answer lines"
[ "$(qz_log_count "T/O")" -eq 0 ] || fail "a problem timed out"
# Only additions of operands 0 to 4.
[ "$(qz_log_count "${tab}[0-4] \+ [0-4] =")" -eq 20 ] || fail "not White-belt problems"
for row in "Right Answers${tab}${tab}: 10" "Wrong Answers${tab}${tab}: 10" \
  "Tasks Completed${tab}${tab}: 10" "Total Tasks${tab}${tab}: 20" "Difficulty Level${tab}${tab}: 1"; do
  [ "$(qz_log_count "^${row}\$")" -eq 1 ] || fail "summary row '$row' missing"
done
qz_log_has 1 "^SUMMARY$" || fail "no SUMMARY"
qz_log_has 1 "^High Score:${tab}[1-9][0-9]*$" || fail "High Score is not above 0"

qz_expect_26_values
[ "$(qz_ini_value OldHiScore)" -gt 0 ] || fail "OldHiScore was not raised"
[ "$(qz_ini_value CntRight)" = 1 ] || fail "CntRight is $(qz_ini_value CntRight)"
[ "$(qz_ini_value TimeSec)" -gt 0 ] || fail "TimeSec is $(qz_ini_value TimeSec)"
[ "$(qz_ini_value GameLevel)" = 1 ] || fail "GameLevel changed"
echo PASS

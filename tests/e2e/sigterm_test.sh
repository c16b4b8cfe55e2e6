#!/bin/bash
# SIGTERM, what a desktop session sends its programs when it ends, to the real game on a
# virtual X server: at the idle screen, while a problem is posed after a right answer, with
# the quit question pending, and inside the pause after a wrong answer. Each time the game
# leaves at once with status 0, asking nothing, and keeps the run as leaving by EXIT keeps it:
# every judged answer logged once, the summary after them when there were any, a match in
# progress counted as ended (lost by default), all 26 settings saved. Then the same with 300
# key presses still queued (they are dropped, not played), and SIGHUP (a closed terminal).
# Usage: sigterm_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

tab=$'\t'
problem_line='^[0-9]{3} '

# reach STATE: from the idle screen to STATE. Keys wait in the game's queue, so a press that
# cuts a pause short can follow the key that starts it at once.
reach() {
  case "$1" in
    idle) ;;
    problem)
      qz_key "$win" Return shift # ENTER; Get Ready cut short
      qz_type "$win" 99
      qz_key "$win" Return
      qz_wait_for 10 qz_log_has 1 "$problem_line" || fail "the wrong answer was not logged"
      local result
      result=$(tr -d '\r' <"$qz_log" | grep -E "$problem_line" | tail -1 |
        sed -nE 's/.*=99 \((-?[0-9]+)\)\t\t.*/\1/p')
      [ -n "$result" ] || fail "no result in the wrong answer's line"
      qz_key "$win" shift # the pause after the wrong answer
      qz_type "$win" "$result"
      qz_key "$win" Return
      qz_wait_for 10 qz_log_has 1 "${tab}OK${tab}" || fail "the right answer was not logged"
      qz_key "$win" shift # the pause after the right answer: the next problem
      sleep 1
      ;;
    question)
      qz_key "$win" Return shift Escape
      qz_wait_for 15 qz_question_shown "$win" || fail "Escape asked no quit question"
      ;;
    pause)
      qz_key "$win" Return shift
      qz_type "$win" 99
      qz_key "$win" Return
      qz_wait_for 10 qz_log_has 1 "$problem_line" || fail "the wrong answer was not logged"
      ;;
  esac
}

# Per state: problem lines, matches ended, then the summary's right and wrong answers, tasks
# completed and total tasks (no summary without judged answers).
for row in "idle 0 0" "problem 2 1 1 1 1 2" "question 0 1" "pause 1 1 0 1 0 1"; do
  set -- $row
  state=$1 lines=$2 matches=$3
  rm -f "$qz_log"
  printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\n' >"$qz_ini"
  qz_start_to_idle 60 "$state"
  reach "$state"
  qz_signal TERM
  qz_wait_exit 15
  [ "$qz_status" -eq 0 ] || fail "$state: the game ended with status $qz_status"

  [ "$(qz_log_count "$problem_line")" -eq "$lines" ] ||
    fail "$state: $(qz_log_count "$problem_line") problem lines, not $lines"
  if [ "$lines" -eq 0 ]; then
    [ "$(qz_log_count "^SUMMARY$")" -eq 0 ] || fail "$state: a summary without judged answers"
  else
    [ "$(qz_log_count "^SUMMARY$")" -eq 1 ] || fail "$state: $(qz_log_count "^SUMMARY$") summaries, not 1"
    last_line=$(tr -d '\r' <"$qz_log" | grep -nE "$problem_line" | tail -1 | cut -d: -f1)
    summary_line=$(tr -d '\r' <"$qz_log" | grep -n "^SUMMARY$" | cut -d: -f1)
    [ "$last_line" -lt "$summary_line" ] || fail "$state: a problem line after the summary"
    for summary_row in "Right Answers${tab}${tab}: $4" "Wrong Answers${tab}${tab}: $5" \
      "Tasks Completed${tab}${tab}: $6" "Total Tasks${tab}${tab}: $7"; do
      [ "$(qz_log_count "^${summary_row}\$")" -eq 1 ] || fail "$state: summary row '$summary_row' missing"
    done
  fi
  qz_expect_26_values "$qz_ini" "$state"
  [ "$(qz_ini_value CntRight)" = "$matches" ] ||
    fail "$state: CntRight is $(qz_ini_value CntRight), not $matches"
  [ "$(qz_ini_value CadetName)" = Player ] || fail "$state: CadetName is '$(qz_ini_value CadetName)'"
done

# 300 key presses queued in a match (answers, each starting pauses and animations), then
# SIGTERM: the game must not play them first.
rm -f "$qz_log"
printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\n' >"$qz_ini"
qz_start_to_idle 120 queued
qz_key "$win" Return shift # ENTER; Get Ready cut short
keys=()
for _ in $(seq 100); do keys+=(1 2 Return); done
timeout 60 xdotool windowfocus --sync "$win" key --delay 1 "${keys[@]}"
lines_at_signal=$(qz_log_count "$problem_line")
qz_signal TERM
qz_wait_for 5 eval '! kill -0 "$(cat "$qz_work/game.pid")" 2>/dev/null' ||
  fail "queued: the game was still playing 5 s after SIGTERM ($(qz_log_count "$problem_line") lines)"
qz_wait_exit 5
[ "$qz_status" -eq 0 ] || fail "queued: the game ended with status $qz_status"
lines=$(qz_log_count "$problem_line")
[ $((lines - lines_at_signal)) -le 1 ] ||
  fail "queued: $((lines - lines_at_signal)) answers logged after SIGTERM"
if [ "$lines" -gt 0 ]; then
  [ "$(qz_log_count "^SUMMARY$")" -eq 1 ] || fail "queued: no summary"
fi
qz_expect_26_values "$qz_ini" queued
echo "queued: $lines_at_signal answers logged at SIGTERM, $lines at exit"

# SIGHUP at the idle screen: left and saved like SIGTERM.
rm -f "$qz_log"
printf '[1.01]\nCadetName=Hup\n' >"$qz_ini"
qz_start_to_idle 60 hup
qz_signal HUP
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "hup: the game ended with status $qz_status"
qz_expect_26_values "$qz_ini" hup
[ "$(qz_ini_value CadetName)" = Hup ] || fail "hup: CadetName is '$(qz_ini_value CadetName)'"
echo PASS

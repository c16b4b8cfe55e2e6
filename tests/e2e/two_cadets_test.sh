#!/bin/bash
# Two cadets on one computer, each with a record of its own, played at once by two copies of
# the game: a third copy for a cadet already playing is refused as a second copy always was.
# A match played by one cadet counts in that cadet's record only; both sessions are in the one
# log, each under its cadet's name.
# Usage: two_cadets_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

zorvex="$qz_work/home/.config/Zorvex"
ann_ini="$zorvex/quizendo.ini"
bea_ini="$zorvex/quizendo.cadet-2.ini"
printf '[1.01]\nCadetName=Ann\nCntRight=5\n' >"$ann_ini"
printf '[1.01]\nCadetName=Bea\nBDateYear=2015\n' >"$bea_ini"

qz_args=(--cadet Bea)
qz_start_to_idle 150 "Bea"
bea_win=$win

# Bea a second time: refused, nothing touched.
(cd "$qz_work/run" && exec timeout 30 "$qz_exe" --cadet Bea) 2>"$qz_work/second.err" &
second=$!
box=$(qz_box quizendo)
[ -n "$box" ] || fail "the second copy for Bea showed no box: $(cat "$qz_work/second.err")"
sleep 0.3
xdotool windowfocus "$box" key Return
wait "$second"
status=$?
[ "$status" -eq 1 ] || fail "the second copy for Bea ended with status $status, not 1"
grep -q "already running" "$qz_work/second.err" || fail "no reason given: $(cat "$qz_work/second.err")"

# Ann beside her: allowed.
(cd "$qz_work/run" && exec timeout 120 "$qz_exe" --cadet Ann) 2>"$qz_work/ann.err" &
ann=$!
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "Ann's copy did not start: $(cat "$qz_work/ann.err")"
qz_key "$about" Escape
qz_wait_for 15 qz_log_has 1 "^Ann, age [0-9]+ years" || fail "Ann's session header is not logged"
ann_win=$(xdotool search --name '^Quizendo$' | grep -vx "$bea_win" | head -1)
[ -n "$ann_win" ] || fail "no main window for Ann"
qz_wait_idle "$ann_win"
qz_key "$ann_win" Escape
qz_wait_for 15 eval '! kill -0 "$ann" 2>/dev/null' || fail "Ann's copy did not end"
wait "$ann"
status=$?
[ "$status" -eq 0 ] || fail "Ann's copy ended with status $status: $(cat "$qz_work/ann.err")"

# Bea plays a match (begun and given up) and leaves.
qz_give_up_match "$bea_win"
qz_key "$bea_win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "Bea's copy ended with status $qz_status"

qz_expect_26_values "$ann_ini" "Ann"
qz_expect_26_values "$bea_ini" "Bea"
[ "$(qz_ini_value CadetName "$ann_ini")" = Ann ] || fail "Ann's record is named $(qz_ini_value CadetName "$ann_ini")"
[ "$(qz_ini_value CadetName "$bea_ini")" = Bea ] || fail "Bea's record is named $(qz_ini_value CadetName "$bea_ini")"
[ "$(qz_ini_value CntRight "$ann_ini")" = 5 ] || fail "Ann's CntRight is $(qz_ini_value CntRight "$ann_ini"), not 5"
[ "$(qz_ini_value CntRight "$bea_ini")" = 1 ] || fail "Bea's CntRight is $(qz_ini_value CntRight "$bea_ini"), not 1"
[ "$(qz_log_count '^Bea, age [0-9]+ years')" -eq 1 ] || fail "the log does not name Bea once"
[ "$(qz_log_count '^Ann, age [0-9]+ years')" -eq 1 ] || fail "the log does not name Ann once"
echo PASS

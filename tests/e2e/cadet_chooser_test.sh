#!/bin/bash
# Two cadets: the game opens with Who is training? instead of its About box; the second cadet
# is chosen with the keyboard and plays a match (begun and given up), which counts in that
# cadet's record only. Escape in the chooser leaves the game with status 0, touching nothing.
# Usage: cadet_chooser_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

zorvex="$qz_work/home/.config/Zorvex"
ann_ini="$zorvex/quizendo.ini"
bea_ini="$zorvex/quizendo.cadet-2.ini"
printf '[1.01]\nCadetName=Ann\nCntRight=5\n' >"$ann_ini"
printf '[1.01]\nCadetName=Bea\nBDateYear=2015\n' >"$bea_ini"
ann_before=$(cat "$ann_ini")

# Escape leaves.
qz_start 60
chooser=$(qz_window "Who is training\\?")
[ -n "$chooser" ] || fail "no chooser: $(cat "$qz_work/game.err")"
sleep 0.5
qz_key "$chooser" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "Escape in the chooser ended the game with status $qz_status"
[ ! -e "$qz_log" ] || fail "leaving from the chooser wrote a log"

# The second cadet, by keyboard.
qz_start 150
chooser=$(qz_window "Who is training\\?")
[ -n "$chooser" ] || fail "no chooser the second time"
sleep 0.5
qz_key "$chooser" Down Return
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "choosing Bea did not start the game: $(cat "$qz_work/game.err")"
qz_key "$about" Escape
win=$(qz_window Quizendo)
[ -n "$win" ] || fail "no main window"
qz_wait_idle "$win"
qz_give_up_match "$win"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

[ "$(cat "$ann_ini")" = "$ann_before" ] || fail "Ann's record changed: $(cat "$ann_ini")"
qz_expect_26_values "$bea_ini" "Bea"
[ "$(qz_ini_value CntRight "$bea_ini")" = 1 ] || fail "Bea's CntRight is $(qz_ini_value CntRight "$bea_ini"), not 1"
[ "$(qz_log_count '^Bea, age [0-9]+ years')" -eq 1 ] || fail "the log does not name Bea once"
[ "$(qz_log_count '^Ann, age')" -eq 0 ] || fail "the log names Ann"
echo PASS

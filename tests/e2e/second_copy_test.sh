#!/bin/bash
# A second copy of the game started while one runs (same user): it says that the game is
# already running and ends with status 1, touching neither the settings nor the log; the first
# copy plays on and saves as usual.
# Usage: second_copy_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

printf '[1.01]\nCadetName=First\n' >"$qz_ini"
qz_start_to_idle 60
log_before=$(cat "$qz_log" 2>/dev/null)

# The second copy's box waits for OK: answer it with Return once it shows.
(cd "$qz_work/run" && exec timeout 30 "$qz_exe") 2>"$qz_work/second.err" &
second=$!
box=$(qz_box quizendo)
[ -n "$box" ] || fail "the second copy showed no box: $(cat "$qz_work/second.err")"
sleep 0.3
xdotool windowfocus "$box" key Return
wait "$second"
status=$?
[ "$status" -eq 1 ] || fail "the second copy ended with status $status, not 1"
grep -q "already running" "$qz_work/second.err" ||
  fail "the second copy did not say why: $(cat "$qz_work/second.err")"
[ "$(cat "$qz_log" 2>/dev/null)" = "$log_before" ] || fail "the second copy wrote to the log"

qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the first copy ended with status $qz_status"
qz_expect_26_values
[ "$(qz_ini_value CadetName)" = First ] || fail "CadetName is '$(qz_ini_value CadetName)'"
echo PASS

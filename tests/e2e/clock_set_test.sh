#!/bin/bash
# The system clock set an hour forward while a problem waits for its answer (libfaketime moves
# the calendar of the real game; its steady clock runs on): the problem still times out after
# 10 s and is logged with its real response time, the stored playing time and the summary's
# exercise time stay a matter of seconds, and the log's date stamps follow the calendar.
# Usage: clock_set_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

fake=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
[ -n "$fake" ] || { echo "SKIP: faketime not installed"; exit 0; }
offset="$qz_work/clock-offset"
echo "+0" >"$offset"
# Only the game runs on the faked calendar.
qz_args=(LD_PRELOAD="$fake" FAKETIME_TIMESTAMP_FILE="$offset" FAKETIME_NO_CACHE=1
  FAKETIME_DONT_FAKE_MONOTONIC=1 "$qz_exe")
qz_exe=$(command -v env)
printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\nSoundOn=0\n' >"$qz_ini"
qz_start_to_idle 120 "faked clock"

qz_key "$win" Return  # ENTER: Get Ready, then the first problem
sleep 11
echo "+3600" >"$offset"
qz_wait_for 15 qz_log_has 1 'T/O \(' || fail "the problem did not time out"
line=$(tr -d '\r' <"$qz_log" | grep -E '^001 ')
secs=$(printf '%s\n' "$line" | sed -nE 's/.*\t\t ([-0-9]+)s\t.*/\1/p')
[ -n "$secs" ] && [ "$secs" -ge 10 ] && [ "$secs" -le 12 ] ||
  fail "the time-out is logged with a response time of '$secs' s: $line"
header_hour=$(tr -d '\r' <"$qz_log" | sed -nE 's/.*Date: [0-9-]+ ([0-9]{2}):.*/\1/p' | head -1)
line_hour=$(printf '%s\n' "$line" | sed -nE 's/^001 [0-9-]+ ([0-9]{2}):.*/\1/p')
[ "$line_hour" = "$(printf '%02d' $(((10#$header_hour + 1) % 24)))" ] ||
  fail "the line's date does not follow the calendar an hour on: $line (header hour $header_hour)"

sleep 4  # the feedback pause: a key in it only cuts it short
qz_key "$win" Escape  # the quit question ...
qz_wait_for 10 qz_question_shown "$win" || fail "no quit question: $(tr -d "\r" <"$qz_log" | grep -c "^00")"
qz_key "$win" Return  # ... confirmed
sleep 4
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
time_sec=$(qz_ini_value TimeSec)
[ "$time_sec" -ge 10 ] && [ "$time_sec" -le 12 ] || fail "TimeSec=$time_sec"
qz_log_has 1 $'^Total Excercise Time\t: 00:00:1[0-2]$' ||
  fail "exercise time: $(tr -d '\r' <"$qz_log" | grep Excercise)"
qz_log_has 1 $'^Total Timeframe\t\t: 00:00:[0-5][0-9]$' ||
  fail "timeframe: $(tr -d '\r' <"$qz_log" | grep Timeframe)"
echo PASS

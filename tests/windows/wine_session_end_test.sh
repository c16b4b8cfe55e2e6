#!/bin/bash
# The Windows build under Wine: a second copy is refused in Windows' own message box and ends
# with status 1, the first one playing on; then the session ends (wineboot --end-session, as
# logging off) in the middle of a match: the game puts the end off, leaves as it does on SIGTERM
# on Linux (the match given up, the summary logged) and saves all 26 values.
# Usage: wine_session_end_test.sh BUILD_DIR
set -u
. "$(dirname "$0")/wine_lib.sh"
qz_wine_init "$1"
key='HKCU\Software\Zorvex\quizendo\1.01'

qz_start_to_idle 240
qz_key "$win" Return
sleep 1
qz_type "$win" 99
qz_key "$win" Return
qz_wait_for 15 qz_log_has 1 '^000 ' || fail "the answer was not logged"

(cd "$qz_work/run" && exec timeout 90 wine "${qz_args[0]}") >/dev/null 2>"$qz_work/second.err" &
second=$!
box=$(qz_wine_box quizendo 60) || fail "the second copy showed no message box: $(cat "$qz_work/second.err")"
[ -n "${QZ_SHOTS:-}" ] && timeout 10 import -silent -window "$box" "$QZ_SHOTS/wine-second-copy.png"
qz_key "$box" Return
wait "$second"
status=$?
[ "$status" -eq 1 ] || fail "the second copy ended with status $status"
grep -q "quizendo is already running" "$qz_work/second.err" || fail "the second copy did not say why"
kill -0 "$qz_game_pid" 2>/dev/null || fail "the first copy ended"
qz_reg query "$key" | grep -q REG_ && fail "something was saved before the session's end"

# The session's end is put off (wineboot reports it refused) while the game leaves.
timeout 60 wineboot --end-session >/dev/null 2>&1
qz_wait_exit 30
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
timeout 30 wineserver -w
qz_log_has 1 "^SUMMARY$" || fail "no summary"
[ "$(qz_reg query "$key" | grep -c REG_)" -eq 26 ] || fail "not 26 values saved: $(qz_reg query "$key")"
[ "$(qz_reg query "$key" | awk '$1 == "CntWrong" { print $3 }')" = 0x1 ] ||
  fail "the match was not counted: $(qz_reg query "$key" | grep Cnt)"
echo PASS

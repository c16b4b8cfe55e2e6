#!/bin/bash
# The log meets the limit on the size of a file (ulimit -f) while the game writes its session
# header: the write fails as on a full disk instead of the signal for it killing the game. A
# box says so, no part of the record stays in the log, the game plays on and, when left, saves
# its settings.
# Usage: file_size_limit_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

limit_kb=64
# An old log 20 bytes short of the limit: the header's first bytes still fit, the rest not.
yes $'an older record\r' | head -c $((limit_kb * 1024 - 20)) >"$qz_log"
cp "$qz_log" "$qz_work/log.before"

(cd "$qz_work/run" && ulimit -f "$limit_kb" && exec timeout -s KILL 60 "$qz_exe") \
  2>"$qz_work/game.err" &
qz_game_pid=$!
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box: $(cat "$qz_work/game.err")"
qz_key "$about" Escape
# The log's box has the main window's title: it is the other window of that name.
win=
box=
for _ in $(seq 150); do
  kill -0 "$qz_game_pid" 2>/dev/null || break
  win=$(xdotool search --limit 1 --name '^Quizendo$' 2>/dev/null | head -1)
  if [ -n "$win" ]; then
    box=$(xwininfo -root -tree |
      awk -v m="$(printf '0x%x' "$win")" '$2 == "\"Quizendo\":" && $1 != m {print $1; exit}')
    [ -n "$box" ] && break
  fi
  sleep 0.1
done
if ! kill -0 "$qz_game_pid" 2>/dev/null; then
  wait "$qz_game_pid"
  status=$?
  qz_game_pid=
  fail "the game ended with status $status while writing the log"
fi
[ -n "$box" ] || fail "no box about the log"
sleep 0.3
xdotool windowfocus "$box" key Return
sleep 6  # the intro plays on to the idle screen
kill -0 "$qz_game_pid" 2>/dev/null || fail "the game ended after the box"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

cmp -s "$qz_log" "$qz_work/log.before" ||
  fail "the log changed: $(($(stat -c %s "$qz_log") - $(stat -c %s "$qz_work/log.before"))) bytes more"
qz_expect_26_values
echo PASS

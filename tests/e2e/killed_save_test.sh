#!/bin/bash
# The real game killed (SIGKILL) while it saves its settings: SIGTERM makes it leave and save at
# once (here while the About box is still up), SIGKILL follows after a random short spin, so
# that some rounds kill it before, some during and some after the save. The settings file must
# be the old one or the new one, whole, every time. (The save itself is tested against kills
# in the unit tests; this is the same promise seen from outside.) The temporary files of saves
# killed halfway are cleared by the next run.
# Usage: killed_save_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

old=$'[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\nCadetName=Kill Test\n'
rounds=24

# start_to_about: the game started on the old settings file, up to its About box; its process
# id in $pid.
start_to_about() {
  printf '%s' "$old" >"$qz_ini"
  qz_start 30
  [ -n "$(qz_window "About Quizendo")" ] || fail "no About box"
  pid=$(cat "$qz_work/game.pid")
}

# The new file: what a save that nothing interrupts leaves.
start_to_about
kill -TERM "$pid"
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "SIGTERM: the game ended with status $qz_status"
cp "$qz_ini" "$qz_work/new.ini"
qz_expect_26_values "$qz_work/new.ini" "saved settings"
[ "$(qz_ini_value CadetName)" = "Kill Test" ] || fail "the save lost the cadet name"

kept_old=0
got_new=0
for round in $(seq "$rounds"); do
  start_to_about
  spin=$((RANDOM % 8000))
  # Builtins only between the two signals: a spin of a few milliseconds at most.
  kill -TERM "$pid"
  for ((i = 0; i < spin; i++)); do :; done
  kill -KILL "$pid" 2>/dev/null
  qz_wait_exit 15 2>/dev/null # without the shell's note of a job killed on purpose
  if cmp -s "$qz_ini" "$qz_work/new.ini"; then
    got_new=$((got_new + 1))
  elif [ "$(cat "$qz_ini")" = "${old%$'\n'}" ]; then
    kept_old=$((kept_old + 1))
  else
    echo "--- the settings file after round $round (spin $spin)"
    cat "$qz_ini"
    fail "round $round: the settings file is neither the old one nor the new one"
  fi
done
temps=$(find "$(dirname "$qz_ini")" -name '.quizendo.ini.*' | wc -l)
echo "$rounds kills: the old file kept $kept_old times, the new one in place $got_new times;" \
  "$temps temporary files left by saves killed halfway"

# The next run, holding the instance lock, knows no other copy is saving: it clears them.
start_to_about
kill -TERM "$pid"
qz_wait_exit 15
left=$(find "$(dirname "$qz_ini")" -name '.quizendo.ini.*' | wc -l)
[ "$left" -eq 0 ] || fail "$left temporary files still there after the next run"
echo PASS

#!/bin/bash
# An order to end (SIGTERM: the desktop session ends; SIGHUP: the terminal closed) while one of
# the game's message boxes waits for a click: the settings file too large at start-up, the
# settings that cannot be saved at the end, a full disk under the log, a second copy refused.
# Each time the box goes, the game leaves within 5 s with the status and settings it has when
# it leaves on that order without a box, and no process of it stays behind (the box is shown
# by a child process of the game). Then the game killed outright with a box open: the box and
# the game's window go with it.
# As root the game runs as the user nobody, so that a read-only settings folder holds.
# Usage: box_signal_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"
qz_as_nobody

cfg=$(dirname "$qz_ini")
kept="$qz_work/kept.ini"

# The box, once on screen, as a child process of the game whose id is in PIDFILE, showing a
# window titled CAPTION. Sets `group` to the game's process group (the game, its box and the
# timeout watching them).
wait_box() {
  local pid caption=$2
  qz_wait_for 10 test -s "$1" || fail "$row: the game did not start"
  pid=$(cat "$1")
  qz_wait_for 15 eval '[ -n "$(pgrep -P "$pid")" ]' || fail "$row: no box process"
  qz_box "$caption" >/dev/null || fail "$row: no box on screen"
  group=$(ps -o pgid= -p "$pid" | tr -d ' ')
  [ -n "$group" ] || fail "$row: the game is gone before the order"
  sleep 0.5
}

# Waits until nothing of the process group is left and no window titled CAPTION shows.
expect_all_gone() {
  local caption=$1
  qz_wait_for 5 eval '! pgrep -g "$group" >/dev/null' ||
    fail "$row: left running: $(pgrep -a -g "$group")"
  qz_wait_for 5 eval '! xwininfo -root -tree | grep -qF "\"$caption\": "' ||
    fail "$row: a window titled $caption stays on screen"
}

# fresh: settings with a name in a writable folder, no log, the files nobody may write.
fresh() {
  chmod 0777 "$cfg"
  rm -f "$qz_log" "$cfg"/*
  printf '[1.01]\nCadetName=Kim\n' >"$qz_ini"
  chmod 0666 "$qz_ini"
}

# start_to_disk_full_box: the log on a full device; the first record's failure opens its box.
start_to_disk_full_box() {
  ln -s /dev/full "$qz_log"
  qz_start 60
  about=$(qz_window "About Quizendo")
  [ -n "$about" ] || fail "$row: no About box"
  qz_key "$about" Escape
  wait_box "$qz_work/game.pid" Quizendo
}

# KIND SIGNAL STATUS: the box, the order, the status the game ends with.
for row in "large TERM 0" "large HUP 0" "unsaved TERM 0" "unsaved HUP 0" \
  "diskfull TERM 0" "diskfull HUP 0" "second TERM 1" "second HUP 1"; do
  set -- $row
  kind=$1 signal=$2 status=$3
  fresh
  case "$kind" in
    large)
      # A line longer than the game keeps: it says so at start and leaves the file alone.
      { printf '[1.01]\nCadetName=Kim\nNote='; head -c 70000 /dev/zero | tr '\0' x; echo; } >"$qz_ini"
      cp "$qz_ini" "$kept"
      qz_start 60
      wait_box "$qz_work/game.pid" Quizendo
      ;;
    unsaved)
      # The settings folder is read-only: the file is read, but a new one cannot be written
      # beside it. The lock file is there already.
      : >"${qz_ini%.ini}.lock"
      chmod 0666 "${qz_ini%.ini}.lock"
      chmod 0555 "$cfg"
      cp "$qz_ini" "$kept"
      qz_start_to_idle 60 "$row"
      qz_key "$win" Escape
      wait_box "$qz_work/game.pid" Quizendo
      ;;
    diskfull)
      start_to_disk_full_box
      ;;
    second)
      qz_start_to_idle 60 "$row"
      first=$qz_game_pid
      rm -f "$qz_work/second.pid"
      (cd "$qz_work/run" && exec timeout -s KILL 60 sh -c 'echo $$ >"$0" && exec "$@"' \
        "$qz_work/second.pid" "${qz_run_as[@]}" "$qz_exe") 2>"$qz_work/second.err" &
      qz_game_pid=$!
      wait_box "$qz_work/second.pid" quizendo
      ;;
  esac

  if [ "$kind" = second ]; then
    kill -s "$signal" "$(cat "$qz_work/second.pid")"
  else
    qz_signal "$signal"
  fi
  qz_wait_for 5 eval '! kill -0 "$qz_game_pid" 2>/dev/null' ||
    fail "$row: the game still waits for the box 5 s after SIG$signal"
  qz_wait_exit 1
  [ "$qz_status" -eq "$status" ] || fail "$row: the game ended with status $qz_status, not $status"

  case "$kind" in
    large)
      expect_all_gone Quizendo
      grep -q "too large to keep whole" "$qz_work/game.err" || fail "$row: stderr does not say why"
      cmp -s "$qz_ini" "$kept" || fail "$row: the settings file changed"
      ;;
    unsaved)
      expect_all_gone Quizendo
      grep -q "The settings could not be saved" "$qz_work/game.err" || fail "$row: stderr does not say why"
      cmp -s "$qz_ini" "$kept" || fail "$row: the settings file changed"
      ;;
    diskfull)
      expect_all_gone Quizendo
      grep -q "Disk full while accessing" "$qz_work/game.err" || fail "$row: stderr does not say why"
      qz_expect_26_values "$qz_ini" "$row"
      [ "$(qz_ini_value CadetName)" = Kim ] || fail "$row: CadetName is '$(qz_ini_value CadetName)'"
      ;;
    second)
      expect_all_gone quizendo
      grep -q "already running" "$qz_work/second.err" || fail "$row: the second copy did not say why"
      # The first copy plays on and leaves as usual.
      qz_game_pid=$first
      kill -0 "$qz_game_pid" 2>/dev/null || fail "$row: the first copy ended"
      qz_key "$win" Escape
      qz_wait_exit 15
      [ "$qz_status" -eq 0 ] || fail "$row: the first copy ended with status $qz_status"
      qz_expect_26_values "$qz_ini" "$row"
      ;;
  esac
  echo "$row: left within 5 s"
done

# The game killed outright while its box waits: nothing of it stays, on screen or running.
row="kill -9"
fresh
start_to_disk_full_box
qz_signal KILL
qz_wait_exit 5 2>/dev/null # not bash's word on the job's end
expect_all_gone Quizendo
chmod 0777 "$cfg"
echo PASS

#!/bin/bash
# A settings file the player cannot read (its permissions do not allow it): the game says why
# in a box and on stderr, plays on the defaults, and leaves the file exactly as it was. Root
# reads any file, so as root the game runs as the user nobody.
# Usage: unreadable_settings_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

child=$'[1.01]\nCadetName=Ann\nOldHiScore=4321\nTtlRight=77\n'
printf '%s' "$child" >"$qz_ini"
chmod 0200 "$qz_ini"
before=$(stat -c '%u %g %a %s %Y' "$qz_ini")
run_as=()
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || { echo "SKIP: setpriv not installed"; exit 0; }
  # The build may lie in a folder only root can enter (a clone in mktemp -d): nobody plays a
  # copy of the game and its files from the scratch folder.
  mkdir "$qz_work/game"
  cp "$qz_exe" "$qz_work/game/"
  cp -rL "$(dirname "$qz_exe")/assets" "$qz_work/game/assets"
  qz_exe="$qz_work/game/$(basename "$qz_exe")"
  chmod -R a+rwX "$qz_work"
  chmod 0200 "$qz_ini"
  run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi

(cd "$qz_work/run" && exec timeout -s KILL 60 "${run_as[@]}" "$qz_exe") 2>"$qz_work/game.err" &
qz_game_pid=$!
# First the box that names the file, then the About box.
box=$(qz_box Quizendo)
[ -n "$box" ] || fail "no box about the settings"
sleep 0.3
xdotool windowfocus "$box" key Return
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box after the settings box"
qz_key "$about" Escape
win=$(qz_window Quizendo)
[ -n "$win" ] || fail "no main window"
qz_wait_idle "$win"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

grep -q "could not be read: cannot read $qz_ini: Permission denied" "$qz_work/game.err" ||
  fail "stderr does not say why: $(cat "$qz_work/game.err")"
[ "$(grep -c "could not be read" "$qz_work/game.err")" -eq 1 ] || fail "said more than once"
[ "$(stat -c '%u %g %a %s %Y' "$qz_ini")" = "$before" ] || fail "the settings file changed"
chmod 0600 "$qz_ini"
[ "$(cat "$qz_ini")" = "${child%$'\n'}" ] || fail "the settings file's content changed"
[ -z "$(find "$(dirname "$qz_ini")" -name '.quizendo.ini.*')" ] || fail "a temporary file was left"
echo PASS

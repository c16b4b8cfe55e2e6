#!/bin/bash
# quizendo --new-cadet beside a one-child household: New cadet asks for the name and birth
# date (a date that cannot be is refused), the game then plays for the new cadet, whose record
# is a file of its own beside the first; the first cadet's settings file is not touched. The
# next plain start asks who is training. Escape in New cadet adds nobody.
# Usage: new_cadet_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

zorvex="$qz_work/home/.config/Zorvex"
printf '[1.01]\nCadetName=Ann\nCntRight=5\n' >"$qz_ini"
ann_before=$(cat "$qz_ini")

qz_args=(--new-cadet)
qz_start 60
form=$(qz_window "New cadet")
[ -n "$form" ] || fail "no New cadet box: $(cat "$qz_work/game.err")"
sleep 0.5
qz_key "$form" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "Escape in New cadet ended with status $qz_status"
[ ! -e "$zorvex/quizendo.cadet-2.ini" ] || fail "Escape made a cadet"

qz_start 150
form=$(qz_window "New cadet")
[ -n "$form" ] || fail "no New cadet box the second time"
sleep 0.5
qz_type "$form" "../Bo"
qz_key "$form" Tab
qz_type "$form" 30
qz_key "$form" Tab
qz_type "$form" 2
qz_key "$form" Tab
qz_type "$form" 2017
qz_key "$form" Return
sleep 1
xdotool search --name '^About Quizendo$' >/dev/null 2>&1 && fail "30.2.2017 was taken"
# The refusal put the focus on the day box.
qz_key "$form" BackSpace BackSpace
qz_type "$form" 28
qz_key "$form" Return
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "the game did not start for the new cadet"
qz_key "$about" Escape
win=$(qz_window Quizendo)
qz_wait_idle "$win"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

bo_ini="$zorvex/quizendo.cadet-2.ini"
[ -f "$bo_ini" ] || fail "no record file of its own: $(ls "$zorvex")"
[ "$(qz_ini_value CadetName "$bo_ini")" = "../Bo" ] || fail "the new cadet is named '$(qz_ini_value CadetName "$bo_ini")'"
[ "$(qz_ini_value BDateDay "$bo_ini").$(qz_ini_value BDateMonth "$bo_ini").$(qz_ini_value BDateYear "$bo_ini")" = 28.2.2017 ] ||
  fail "the birth date is not 28.2.2017"
[ "$(cat "$qz_ini")" = "$ann_before" ] || fail "the first cadet's file changed"
[ "$(qz_log_count '^\.\./Bo, age [0-9]+ years')" -eq 1 ] || fail "the log does not name ../Bo"

qz_args=()
qz_start 60
chooser=$(qz_window "Who is training\\?")
[ -n "$chooser" ] || fail "two cadets, and nobody asked who is training"
qz_key "$chooser" Escape
qz_wait_exit 15
echo PASS

#!/bin/bash
# The real game played with the mouse (and typing only for text): the setup panel opened with
# SETUP, name and birth day typed, the Yellow belt and an operation switch clicked, the panel
# closed; a match started with ENTER, the quit question asked with EXIT, withdrawn with EXIT,
# asked again and confirmed with ENTER (lost by default); EXIT at the idle screen leaves. The
# saved settings hold the choices, and the next start logs the new name.
# Usage: mouse_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

# Main window controls (centres, logical pixels at scale 1).
setup="73 368"
enter="320 322"
exit_button="566 368"
# Setup panel at (16, 80); its controls at 16 + 2x, 80 + 2y of their dialog-unit rectangles.
name_box="522 128"   # 1042: 210,20,86,8
day_box="451 160"    # 1043: 210,36,15,8
yellow_belt="265 257" # 1035: 120,84,9,9
subtraction="132 128" # 1029: 20,20,76,8

printf '[1.01]\nAutoSelect=1\n' >"$qz_ini"
qz_start 150
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box"
qz_click "$about" 440 190
win=$(qz_window Quizendo)
[ -n "$win" ] || fail "no main window"
qz_wait_idle "$win"

qz_snap "$win" $qz_play_rect "$qz_work/idle.png"
qz_click "$win" $setup
qz_wait_for 5 qz_changed "$win" $qz_play_rect "$qz_work/idle.png" ||
  fail "SETUP did not open the setup panel"
sleep 0.3
qz_click "$win" $name_box
qz_key "$win" ctrl+a
qz_type "$win" "Mira Kovač"
qz_click "$win" $day_box
qz_key "$win" ctrl+a
qz_type "$win" 7
qz_click "$win" $yellow_belt
qz_click "$win" $subtraction
qz_click "$win" $setup # closes the panel
sleep 1

qz_click "$win" $enter
sleep 8.5 # Get Ready
qz_click "$win" $exit_button # the quit question
sleep 1
kill -0 "$qz_game_pid" 2>/dev/null || fail "EXIT during the match ended the game"
qz_click "$win" $exit_button # withdrawn
sleep 1
qz_click "$win" $exit_button # asked again
sleep 1
qz_click "$win" $enter # confirmed: lost by default
qz_wait_for 10 qz_same_as "$win" $qz_enter_rect "$qz_work/enter-idle.png" || fail "the idle screen did not return"
kill -0 "$qz_game_pid" 2>/dev/null || fail "the game ended before EXIT at the idle screen"
qz_click "$win" $exit_button
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

[ "$(qz_ini_value CadetName)" = "Mira Kovač" ] || fail "CadetName is '$(qz_ini_value CadetName)'"
[ "$(qz_ini_value BDateDay)" = 7 ] || fail "BDateDay is $(qz_ini_value BDateDay)"
[ "$(qz_ini_value GameLevel)" = 2 ] || fail "GameLevel is $(qz_ini_value GameLevel)"
[ "$(qz_ini_value AutoSelect)" = 0 ] || fail "AutoSelect is $(qz_ini_value AutoSelect)"
[ "$(qz_ini_value CustomSettins)" = 1 ] || fail "CustomSettins is $(qz_ini_value CustomSettins)"
# The Yellow belt poses additions and subtractions; the click switched subtraction off.
[ "$(qz_ini_value DoAdd)" = 1 ] && [ "$(qz_ini_value DoSub)" = 0 ] || fail "operation switches"
# The match lost by default counts as played, with nothing judged.
[ "$(qz_ini_value CntRight)" = 1 ] || fail "CntRight is $(qz_ini_value CntRight): no match ended"
[ "$(qz_log_count '^[0-9]{3} ')" -eq 0 ] || fail "answers were logged"
qz_log_has 1 "^SUMMARY$" && fail "a summary without any answer"

# The next start greets the new cadet in the log.
qz_start 60
about=$(qz_window "About Quizendo")
[ -n "$about" ] || fail "no About box on the second start"
qz_key "$about" Escape
win=$(qz_window Quizendo)
qz_wait_for 10 qz_log_has 1 "^Mira Kovač, age " || fail "no header with the new name"
sleep 4.5
qz_key "$win" Escape
qz_wait_exit 15
echo PASS

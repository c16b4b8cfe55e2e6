#!/bin/bash
# Where the keyboard goes, in the real game on a virtual X server. The setup panel worked with
# the keyboard alone: Tab shows a focus mark on SETUP, Space opens the panel, Tab reaches a belt
# button and Space picks it, Space on SETUP closes the panel and Return starts a match on ENTER.
# Then clicks on SETUP and on the sound switch while a problem waits leave the keyboard with
# the answer box: the answer typed after each click is judged by Return, not by the clock.
# Usage: keyboard_focus_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

tab=$'\t'
setup="73 368"
sound_switch="184 376"
# SETUP with the room its focus mark takes around it.
setup_mark_rect="12 346 122 44"
problem_line='^[0-9]{3} '

printf '[1.01]\nAutoSelect=0\nCustomSettins=0\nGameLevel=1\nSoundOn=0\n' >"$qz_ini"
qz_start_to_idle 200

qz_snap "$win" $setup_mark_rect "$qz_work/setup-plain.png" || fail "no screenshot"
qz_key "$win" Tab # from ENTER to SETUP
qz_wait_for 5 qz_changed "$win" $setup_mark_rect "$qz_work/setup-plain.png" ||
  fail "no focus mark on SETUP after Tab"
qz_snap "$win" $qz_play_rect "$qz_work/idle.png"
qz_key "$win" space
qz_wait_for 5 qz_changed "$win" $qz_play_rect "$qz_work/idle.png" ||
  fail "Space on SETUP did not open the setup panel"
# SETUP, then the sound switch, EXIT, six switches and the belt buttons 1, 2 and 3.
for _ in $(seq 11); do qz_key "$win" Tab; done
qz_key "$win" space
for _ in $(seq 11); do qz_key "$win" shift+Tab; done
qz_key "$win" space # SETUP: closes the panel
qz_wait_for 5 qz_same_as "$win" $qz_enter_rect "$qz_work/enter-idle.png" ||
  fail "the idle screen did not come back"
qz_key "$win" Return # ENTER has the focus again
sleep 8.5            # Get Ready

# answer WHAT: types WHAT, presses Return and waits for its line in the log; sets `last`.
answer() {
  local before
  before=$(qz_log_count "$problem_line")
  qz_type "$win" "$1"
  qz_key "$win" Return
  qz_wait_for 15 qz_log_has $((before + 1)) "$problem_line" || fail "no line for the answer $1"
  last=$(tr -d '\r' <"$qz_log" | grep -E "$problem_line" | tail -1)
}

answer 999
result=$(printf '%s\n' "$last" | sed -nE 's/.*=999 \((-?[0-9]+)\)\t\t.*/\1/p')
[ -n "$result" ] || fail "not a wrong-answer line: $last"
qz_key "$win" shift # cuts the pause: the same problem again
sleep 0.5
qz_click "$win" $setup
answer "$result"
printf '%s\n' "$last" | grep -q "=${result}${tab}${tab}OK${tab}" ||
  fail "after a click on SETUP Return did not judge the answer: $last"
sleep 1.5 # the cheer and the bonus count
qz_key "$win" shift
sleep 0.5
qz_click "$win" $sound_switch
answer 999
printf '%s\n' "$last" | grep -q "=999 (-\?[0-9]*)${tab}${tab}" ||
  fail "after a click on the sound switch Return did not judge the answer: $last"

qz_key "$win" shift
sleep 0.5
qz_key "$win" Escape
qz_wait_for 5 qz_question_shown "$win" || fail "no quit question"
qz_key "$win" Return
qz_wait_for 10 qz_same_as "$win" $qz_status_rect "$qz_work/status-idle.png" || fail "the idle screen did not return"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"

[ "$(qz_ini_value GameLevel)" = 3 ] || fail "GameLevel is $(qz_ini_value GameLevel), not the belt picked with Space"
[ "$(qz_ini_value SoundOn)" = 1 ] || fail "the click on the sound switch did not turn it on"
[ "$(qz_log_count 'T/O')" -eq 0 ] || fail "a problem timed out"
echo PASS

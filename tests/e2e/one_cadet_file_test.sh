#!/bin/bash
# A one-child household: the game starts straight with its About box (nobody is asked who is
# training), reads and writes the settings file where it always did, and leaves nothing new
# beside it. A match begun and given up changes the match counts in place and nothing else:
# every other line of the settings file, unknown ones and comments included, is kept byte for
# byte. With QZ_REFERENCE_GAME naming a build of the game from before cadets, the same is
# played on it and the two settings files and logs must be the same bytes (the clock's time of
# day in the log aside).
# Usage: one_cadet_file_test.sh path/to/quizendo
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"

original='; kept as it is
[1.01]
CadetName=Ann
Pass=
Path=
OldHiScore=120
TimeSec=33
NumberOfSessions=7
HiWrong=3
HiRight=40
LoWrong=0
LoRight=0
CntRight=5
CntWrong=5
TtlRight=90
TtlWrong=7
BDateDay=2
BDateMonth=3
BDateYear=2016
GameLevel=5
CustomSettins=0
AutoSelect=1
DoAdd=1
DoSub=1
DoMul=1
DoDiv=1
NoNeg=0
SoundOn=1
FullScreen=0
Unknown=still here

[another section]
x=1
'

# play GAME: the settings file put back as above, an empty log; the game GAME started, a match
# begun, given up through the quit question, and the game left.
play() {
  qz_exe=$1
  rm -f "$qz_work/home/.config/Zorvex/"*
  printf '%s' "$original" >"$qz_ini"
  rm -f "$qz_log"
  qz_start_to_idle 120 "$(basename "$1")"
  qz_give_up_match "$win"
  qz_key "$win" Escape
  qz_wait_exit 15
  [ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
}

play "$qz_exe"
files=$(cd "$qz_work/home/.config/Zorvex" && ls -A | tr '\n' ' ')
[ "$files" = "quizendo.ini quizendo.lock " ] || fail "the settings folder holds: $files"
changed=$(diff <(printf '%s' "$original") "$qz_ini" | grep -E '^[<>]' | sed -E 's/^([<>]) ([A-Za-z]+)=.*/\1 \2/' |
  sort -u | tr '\n' ' ')
[ "$changed" = "< CntRight < CntWrong > CntRight > CntWrong " ] ||
  fail "lines other than the match counts changed: $(diff <(printf '%s' "$original") "$qz_ini")"
[ "$(qz_ini_value CntRight)" = 6 ] || fail "CntRight is $(qz_ini_value CntRight), not 6"
[ "$(qz_log_count '^Ann, age [0-9]+ years')" -eq 1 ] || fail "the log does not name Ann once"

if [ -n "${QZ_REFERENCE_GAME:-}" ]; then
  cp "$qz_ini" "$qz_work/ini.new"
  sed -E 's/[0-9]{2}:[0-9]{2}(:[0-9]{2})?/hh:mm/g' "$qz_log" >"$qz_work/log.new"
  play "$(readlink -f "$QZ_REFERENCE_GAME")"
  cmp "$qz_work/ini.new" "$qz_ini" || fail "the settings files differ: $(diff "$qz_ini" "$qz_work/ini.new")"
  sed -E 's/[0-9]{2}:[0-9]{2}(:[0-9]{2})?/hh:mm/g' "$qz_log" >"$qz_work/log.old"
  cmp "$qz_work/log.new" "$qz_work/log.old" ||
    fail "the logs differ: $(diff "$qz_work/log.old" "$qz_work/log.new")"
fi
echo PASS

#!/bin/bash
# The Windows build under Wine, on a virtual X server: --version and --help; then a registry
# preset as a school would preset it (a name with non-ASCII letters, a birth date, a best score,
# a statistic, a value the game does not know and a value of the wrong kind), a working folder
# whose path has non-ASCII letters, a White-belt match won with the keyboard, and afterwards the
# registry key (all 26 values with their kinds, the preset ones kept or counted on, the unknown
# one untouched) and the log.
# Usage: wine_match_test.sh BUILD_DIR
set -u
. "$(dirname "$0")/wine_lib.sh"
qz_wine_init "$1"
tab=$'\t'
key='HKCU\Software\Zorvex\quizendo\1.01'

version=$(timeout 60 wine "${qz_args[0]}" --version 2>&1 | tr -d '\r')
[ "$version" = "quizendo 1.01" ] || fail "--version printed: $version"
timeout 60 wine "${qz_args[0]}" --help 2>&1 | tr -d '\r' | grep -q -- '--fullscreen' ||
  fail "--help printed no usage"
# One cadet per Windows account: the cadet commands say so and change nothing.
for option in "--cadet Ann" --new-cadet "--remove-cadet Ann"; do
  # shellcheck disable=SC2086
  said=$(timeout 60 wine "${qz_args[0]}" $option 2>&1)
  status=$?
  [ "$status" -eq 2 ] || fail "$option ended with status $status"
  case $said in *"a Windows account of their own"*) ;; *) fail "$option printed: $said" ;; esac
done

# The working folder's path has non-ASCII letters; run/ leads there.
rmdir "$qz_work/run"
mkdir "$qz_work/Zoë Дима"
ln -s "Zoë Дима" "$qz_work/run"

for value in "CadetName REG_SZ Zoë" "BDateYear REG_DWORD 2015" "OldHiScore REG_DWORD 3" \
  "TtlRight REG_DWORD 40" "AutoSelect REG_DWORD 0" "CustomSettins REG_DWORD 0" \
  "GameLevel REG_DWORD 1" "SchoolClass REG_SZ 3b" "NumberOfSessions REG_SZ 7"; do
  read -r name kind data <<<"$value"
  qz_reg add "$key" /v "$name" /t "$kind" /d "$data" /f >/dev/null || fail "reg add $name"
done
timeout 30 wineserver -w
echo "--- the key before"
qz_reg query "$key"

qz_start 240
about=$(qz_window "About Quizendo" 60)
[ -n "$about" ] || fail "no About box: $(cat "$qz_work/game.err")"
sleep 1
[ -n "${QZ_SHOTS:-}" ] && timeout 10 import -silent -window "$about" "$QZ_SHOTS/wine-about.png"
qz_key "$about" Escape
win=$(qz_window Quizendo)
[ -n "$win" ] || fail "no main window"
qz_wait_idle "$win"
[ -n "${QZ_SHOTS:-}" ] && cp "$qz_work/title.png" "$QZ_SHOTS/wine-title.png"
[ -n "${QZ_SHOTS:-}" ] && qz_shot "$win" && cp "$qz_work/shot.png" "$QZ_SHOTS/wine-idle.png"

# The match as in the Linux build's keyboard test: every problem answered wrong once, then
# right, the answer learnt from the log's line for the wrong one.
qz_key "$win" Return
sleep 1
problem_line='^[0-9]{3} '
for i in $(seq 10); do
  before=$(qz_log_count "$problem_line")
  qz_key "$win" shift
  qz_type "$win" 99
  qz_key "$win" Return
  qz_wait_for 10 qz_log_has $((before + 1)) "$problem_line" || fail "problem $i: the wrong answer was not logged"
  last=$(tr -d '\r' <"$qz_log" | grep -E "$problem_line" | tail -1)
  result=$(printf '%s\n' "$last" | sed -nE 's/.*=99 \((-?[0-9]+)\)\t\t.*/\1/p')
  [ -n "$result" ] || fail "problem $i: not a wrong-answer line: $last"
  qz_key "$win" shift
  qz_type "$win" "$result"
  qz_key "$win" Return
  qz_wait_for 10 qz_log_has "$i" "${tab}OK${tab}" || fail "problem $i: the right answer $result was not logged"
done
sleep 2
qz_wait_for 30 qz_same_as "$win" $qz_enter_rect "$qz_work/enter-idle.png" || fail "the idle screen did not return"
[ -n "${QZ_SHOTS:-}" ] && qz_shot "$win" && cp "$qz_work/shot.png" "$QZ_SHOTS/wine-after-match.png"
qz_key "$win" Escape
qz_wait_exit 30
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
timeout 30 wineserver -w

echo "--- the key after"
after=$(qz_reg query "$key")
echo "$after"
names=(CadetName Pass Path OldHiScore TimeSec NumberOfSessions HiWrong HiRight LoWrong LoRight
  CntRight CntWrong TtlRight TtlWrong BDateDay BDateMonth BDateYear GameLevel CustomSettins
  AutoSelect DoAdd DoSub DoMul DoDiv NoNeg SoundOn)
reg_value() { awk -v n="$1" '$1 == n { print $2, $3 }' <<<"$after"; }
for name in "${names[@]}"; do
  case $name in
    CadetName | Pass | Path) kind=REG_SZ ;;
    *) kind=REG_DWORD ;;
  esac
  [ "$(reg_value "$name" | cut -d' ' -f1)" = "$kind" ] || fail "$name is not a $kind: $(reg_value "$name")"
done
[ "$(reg_value SchoolClass)" = "REG_SZ 3b" ] || fail "the unknown value changed: $(reg_value SchoolClass)"
[ "$(reg_value BDateYear)" = "REG_DWORD 0x7df" ] || fail "BDateYear: $(reg_value BDateYear)"
[ "$(reg_value GameLevel)" = "REG_DWORD 0x1" ] || fail "GameLevel: $(reg_value GameLevel)"
# The wrong kind read as its default and was saved over as the game left.
[ "$(reg_value NumberOfSessions)" = "REG_DWORD 0x0" ] || fail "NumberOfSessions: $(reg_value NumberOfSessions)"
[ $(($(reg_value OldHiScore | cut -d' ' -f2))) -gt 3 ] || fail "OldHiScore was not raised"
# The match adds as much to both totals (as many right as wrong answers): the right ones
# counted on from the preset 40, the wrong ones from nothing.
[ $(($(reg_value TtlRight | cut -d' ' -f2))) -eq $((40 + $(reg_value TtlWrong | cut -d' ' -f2))) ] ||
  fail "TtlRight did not count on from 40"
[ "$(echo "$after" | grep -c 'REG_')" -eq 27 ] || fail "not the 26 values and the unknown one"
qz_reg_text "$key" | grep -qx '"CadetName"="Zoë"' || fail "the name is not Zoë: $(qz_reg_text "$key" | grep CadetName)"

# The log, in the folder with the non-ASCII path: as the Linux build writes it.
[ -f "$qz_work/Zoë Дима/qz.log" ] || fail "no qz.log in the working folder"
[ "$(qz_log_count "^Zoë, age [0-9]+ years [0-9]+ months?${tab}Date: [0-9]{2}-[0-9]{2}-[0-9]{2} ")" -eq 1 ] ||
  fail "session header"
[ "$(qz_log_count "$problem_line")" -eq 20 ] || fail "$(qz_log_count "$problem_line") problem lines, not 20"
[ "$(qz_log_count "${tab}OK${tab}")" -eq 10 ] || fail "not 10 right-answer lines"
[ "$(qz_log_count "${tab}[0-4] \+ [0-4] =")" -eq 20 ] || fail "not White-belt problems"
for row in "Right Answers${tab}${tab}: 10" "Wrong Answers${tab}${tab}: 10" \
  "Tasks Completed${tab}${tab}: 10" "Total Tasks${tab}${tab}: 20" "Difficulty Level${tab}${tab}: 1"; do
  [ "$(qz_log_count "^${row}\$")" -eq 1 ] || fail "summary row '$row' missing"
done
qz_log_has 1 "^SUMMARY$" || fail "no SUMMARY"

# The progress report from that log, run in the same folder; a page already there is replaced.
report=$(dirname "${qz_args[0]}")/quizendo-report.exe
[ "$(timeout 60 wine "$report" --version 2>&1 | tr -d '\r')" = "quizendo-report 1.01" ] ||
  fail "quizendo-report --version: $(timeout 60 wine "$report" --version 2>&1)"
echo old >"$qz_work/Zoë Дима/report.html"
(cd "$qz_work/run" && timeout 60 wine "$report" qz.log --csv answers.csv) >"$qz_work/report.out" \
  2>"$qz_work/report.err" || fail "quizendo-report failed: $(cat "$qz_work/report.err")"
grep -q "qz.log: .* 1 session" "$qz_work/report.err" || fail "the report did not read the session: $(cat "$qz_work/report.err")"
grep -q "Zoë" "$qz_work/Zoë Дима/report.html" || fail "the page does not name Zoë"
[ "$(grep -c . "$qz_work/Zoë Дима/answers.csv")" -eq 21 ] || fail "the CSV does not hold 20 answers"
ls -a "$qz_work/Zoë Дима" | grep -q quizendo-report && fail "a temporary file was left"
echo PASS

#!/bin/bash
# The Windows build under Wine, with a 10 MB REG_SZ in the settings key (put there by a .reg
# file): the game says once, in Windows' box and on stderr, that the settings could not be
# read, plays on the values it could read, and leaves the key exactly as it was, as the Linux
# build does with an oversized settings file.
# Usage: wine_oversized_settings_test.sh BUILD_DIR
set -u
. "$(dirname "$0")/wine_lib.sh"
qz_wine_init "$1"
key='HKCU\Software\Zorvex\quizendo\1.01'

{
  printf '\xef\xbb\xbf'  # becomes the byte-order mark a UTF-16 .reg file starts with
  printf 'Windows Registry Editor Version 5.00\r\n\r\n'
  printf '[HKEY_CURRENT_USER\\Software\\Zorvex\\quizendo\\1.01]\r\n'
  printf '"CadetName"="Дима"\r\n"OldHiScore"=dword:00000457\r\n"Pass"="'
  head -c 10485760 /dev/zero | tr '\0' 'p'
  printf '"\r\n'
} | iconv -f UTF-8 -t UTF-16LE >"$qz_work/big.reg"
timeout 120 wine reg import 'Z:'"$(echo "$qz_work/big.reg" | tr / '\\')" >/dev/null 2>&1 ||
  fail "reg import failed"
timeout 60 wineserver -w
qz_reg_text "$key" >"$qz_work/before.txt"
[ "$(wc -c <"$qz_work/before.txt")" -gt 10485760 ] || fail "the 10 MB value is not in the key"

qz_start 120
qz_wait_for 60 grep -q "could not be read" "$qz_work/game.err" || fail "stderr does not say why"
box=
for _ in $(seq 100); do
  for id in $(xdotool search --onlyvisible --name '^Quizendo$' 2>/dev/null); do
    [ "$(xdotool getwindowname "$id")" = Quizendo ] && box=$id
  done
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no box about the settings"
[ -n "${QZ_SHOTS:-}" ] && timeout 10 import -silent -window "$box" "$QZ_SHOTS/wine-oversized.png"
qz_key "$box" Return
about=$(qz_window "About Quizendo" 30)
[ -n "$about" ] || fail "no About box after the settings box"
qz_key "$about" Escape
win=$(qz_window Quizendo)
qz_wait_idle "$win"
qz_key "$win" Escape
qz_wait_exit 30
[ "$qz_status" -eq 0 ] || fail "the game ended with status $qz_status"
timeout 30 wineserver -w

grep -q 'could not be read: HKEY_CURRENT_USER\\Software\\Zorvex\\quizendo\\1.01\\Pass is too large' \
  "$qz_work/game.err" || fail "stderr does not name the value: $(head -c 300 "$qz_work/game.err")"
[ "$(grep -c "could not be read" "$qz_work/game.err")" -eq 1 ] || fail "said more than once"
# What could be read was played on: the name came from the key.
qz_log_has 1 "^Дима, age " || fail "the name was not read: $(head -2 "$qz_log")"
qz_reg_text "$key" | cmp -s - "$qz_work/before.txt" || fail "the key changed"
echo PASS

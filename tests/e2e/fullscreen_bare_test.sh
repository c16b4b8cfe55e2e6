#!/bin/bash
# Full screen on an X display with no window manager, where nobody gives the window the whole
# screen: F11 on a 1280x1024 screen (where the canvas would be drawn at scale 2) and
# --fullscreen on a 640x480 16-bit screen. Each time the game stays in a window at scale 1 that
# shows exactly what it shows when started in a window, whole and on the screen, says on stderr
# that it plays in a window, and ENTER and EXIT answer clicks.
# Usage: fullscreen_bare_test.sh path/to/quizendo [CASE]; with no CASE it runs every case, each
# on a display of its own.
set -u

# CASE SCREEN DEPTH
cases=("F11 1280x1024 24" "--fullscreen 640x480 16")
if [ $# -lt 2 ]; then
  for row in "${cases[@]}"; do
    bash "$0" "$1" "$row" || exit 1
  done
  echo PASS
  exit 0
fi

set -- "$1" $2
how=$2
export QZ_SCREEN=$3 QZ_DEPTH=$4
. "$(dirname "$0")/lib.sh"
qz_init "$1"
row="$how on $QZ_SCREEN x $QZ_DEPTH"
screen_w=${QZ_SCREEN%x*} screen_h=${QZ_SCREEN#*x}

enter="320 322"
exit_button="566 368"

# geometry WIN: "WIDTH HEIGHT X Y" of the window on the screen.
geometry() {
  xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /^  Width/ {w=$NF} /^  Height/ {h=$NF} END {print w, h, x, y}'
}

# The picture of the idle screen in a window at scale 1, from a start in a window.
qz_start_to_idle 60 "$row"
sleep 1
qz_snap "$win" 0 0 640 400 "$qz_work/window.png" || fail "$row: no screenshot"
[ "$(identify -format %wx%h "$qz_work/window.png")" = 640x400 ] ||
  fail "$row: the window is $(identify -format %wx%h "$qz_work/window.png"), not 640x400"

if [ "$how" = F11 ]; then
  qz_key "$win" F11
else
  qz_key "$win" Escape
  qz_wait_exit 15
  qz_args=(--fullscreen)
  qz_start 60
  about=$(qz_window "About Quizendo")
  [ -n "$about" ] || fail "$row: no About box"
  qz_key "$about" Escape
  win=$(qz_window Quizendo)
  [ -n "$win" ] || fail "$row: no main window"
fi
qz_wait_for 15 grep -q "cannot play full screen: .*; playing in a window" "$qz_work/game.err" ||
  fail "$row: stderr does not say that the game plays in a window"
qz_wait_for 15 qz_same_as "$win" 0 0 640 400 "$qz_work/window.png" ||
  fail "$row: the window does not show the idle screen at scale 1"
set -- $(geometry "$win")
[ "$1x$2" = 640x400 ] || fail "$row: the window is $1x$2"
[ "$3" -ge 0 ] && [ "$4" -ge 0 ] && [ $(($3 + $1)) -le "$screen_w" ] && [ $(($4 + $2)) -le "$screen_h" ] ||
  fail "$row: the window at ($3, $4) is not whole on the screen"

# ENTER starts a match (ENTER then looks disabled); the quit question confirmed with ENTER
# gives it up, and EXIT leaves.
qz_click "$win" $enter
qz_wait_for 10 qz_changed "$win" $qz_enter_rect "$qz_work/enter-idle.png" || fail "$row: ENTER did not start a match"
qz_key "$win" shift Escape # Get Ready cut short; the quit question
qz_wait_for 15 qz_question_shown "$win" || fail "$row: Escape asked no quit question"
qz_click "$win" $enter
qz_wait_for 15 qz_same_as "$win" $qz_enter_rect "$qz_work/enter-idle.png" || fail "$row: the idle screen did not return"
qz_click "$win" $exit_button
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "$row: the game ended with status $qz_status"
# What was asked for is kept: --fullscreen stays the choice, a refused F11 is not stored.
stored=$(qz_ini_value FullScreen)
if [ "$how" = F11 ]; then
  [ "$stored" != 1 ] || fail "$row: the refused full screen was stored"
else
  [ "$stored" = 1 ] || fail "$row: FullScreen is '$stored', not 1"
fi
echo "$row: in a window at scale 1"

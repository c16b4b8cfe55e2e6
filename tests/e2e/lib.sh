# Shared parts of the end-to-end scripts: a private virtual X server, a scratch home, config
# and working folder, the real game started in them, and helpers that wait with deadlines.
# Source it after setting nothing; then call qz_init "$1". Everything started here is stopped
# and removed by the EXIT trap.
# shellcheck shell=bash

qz_exe=
qz_args=()
qz_work=
qz_xvfb_pid=
qz_game_pid=
qz_ini=
qz_log=
qz_watchdog_pid=
qz_run_as=()

qz_cleanup() {
  [ -n "$qz_watchdog_pid" ] && kill "$qz_watchdog_pid" 2>/dev/null
  if [ -n "$qz_game_pid" ] && kill -0 "$qz_game_pid" 2>/dev/null; then
    kill -KILL "$qz_game_pid" 2>/dev/null
    wait "$qz_game_pid" 2>/dev/null
  fi
  if [ -n "$qz_xvfb_pid" ]; then
    kill "$qz_xvfb_pid" 2>/dev/null && wait "$qz_xvfb_pid" 2>/dev/null
  fi
  [ -n "$qz_work" ] && rm -rf "$qz_work"
}

fail() {
  echo "FAIL: $*"
  if [ -n "$qz_work" ]; then
    [ -s "$qz_work/game.err" ] && { echo "--- game stderr"; cat "$qz_work/game.err"; }
    [ -f "$qz_log" ] && { echo "--- qz.log (tail)"; tail -n 30 "$qz_log"; }
  fi
  exit 1
}

# qz_init GAME: scratch folders, the trap, an Xvfb on a free display: 1024x768 (scale 1) unless
# QZ_SCREEN says another size, 24 bits a pixel unless QZ_DEPTH says another depth.
qz_init() {
  qz_exe=$(readlink -f "$1")
  [ -x "$qz_exe" ] || { echo "FAIL: $1 is not an executable"; exit 1; }
  for tool in Xvfb xdotool xwininfo; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed"; exit 0; }
  done
  qz_work=$(mktemp -d)
  trap qz_cleanup EXIT
  # The script's own deadline, below CTest's: a hang fails here and still cleans up.
  local script_pid=$$
  # Its output is closed so a test runner reading the script's output never waits for it.
  (
    trap 'kill "$sleep_pid" 2>/dev/null; exit 0' TERM
    sleep "${QZ_E2E_DEADLINE:-240}" &
    sleep_pid=$!
    wait "$sleep_pid" && kill -TERM "$script_pid"
  ) </dev/null >/dev/null 2>&1 &
  qz_watchdog_pid=$!
  trap 'echo "FAIL: deadline"; exit 1' TERM
  mkdir -p "$qz_work/home/.config/Zorvex" "$qz_work/run"
  qz_ini="$qz_work/home/.config/Zorvex/quizendo.ini"
  qz_log="$qz_work/run/qz.log"
  local display=
  for n in $(seq $((300 + $$ % 50)) 399); do
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }
  done
  [ -n "$display" ] || fail "no free X display"
  # -noreset: an X server resets whenever its last client leaves, and refuses the clients that
  # connect meanwhile; the next program started would find no display now and then.
  Xvfb "$display" -screen 0 "${QZ_SCREEN:-1024x768}x${QZ_DEPTH:-24}" -nolisten tcp -noreset \
    >/dev/null 2>&1 &
  qz_xvfb_pid=$!
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
  [ -e "/tmp/.X11-unix/X${display#:}" ] || fail "Xvfb did not start"
  export DISPLAY=$display SDL_AUDIODRIVER=dummy
  export HOME="$qz_work/home" XDG_CONFIG_HOME="$qz_work/home/.config"
}

# qz_start [LIMIT_S]: the game in the scratch working folder, stopped after LIMIT_S seconds,
# with the arguments in the array qz_args (as the user nobody after qz_as_nobody).
# qz_game_pid is the watching timeout's process, which ends with the game's exit status; the
# game's own process id goes to $qz_work/game.pid (see qz_signal).
qz_start() {
  rm -f "$qz_work/game.pid"
  (cd "$qz_work/run" && exec timeout -s KILL "${1:-150}" \
    sh -c 'echo $$ >"$0" && exec "$@"' "$qz_work/game.pid" "${qz_run_as[@]}" "$qz_exe" \
    "${qz_args[@]}") \
    2>"$qz_work/game.err" &
  qz_game_pid=$!
}

# qz_as_nobody: as root, games started from now on run as the user nobody (root would ignore
# the permissions a test sets up): a copy of the game and its files in the scratch folder, which
# everyone may enter (the build may lie in a folder only root can enter). Fails with SKIP
# without setpriv; as another user, does nothing.
qz_as_nobody() {
  [ "$(id -u)" -eq 0 ] || return 0
  command -v setpriv >/dev/null || { echo "SKIP: setpriv not installed"; exit 0; }
  mkdir -p "$qz_work/game"
  cp "$qz_exe" "$qz_work/game/"
  cp -rL "$(dirname "$qz_exe")/assets" "$qz_work/game/assets"
  qz_exe="$qz_work/game/$(basename "$qz_exe")"
  chmod -R a+rwX "$qz_work"
  qz_run_as=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
}

# qz_signal SIGNAL: sends SIGNAL to the game itself, not to the timeout watching it.
qz_signal() {
  local pid
  pid=$(cat "$qz_work/game.pid" 2>/dev/null)
  [ -n "$pid" ] || fail "the game's process id is unknown"
  kill -s "$1" "$pid"
}

# qz_start_to_idle LIMIT_S [WHAT]: starts the game (see qz_start), closes its About box with
# Escape and waits out the intro (qz_wait_idle); sets `win` to the main window. WHAT, when
# given, starts the failure messages.
qz_start_to_idle() {
  local what=${2:+$2: } about
  qz_start "$1"
  about=$(qz_window "About Quizendo")
  [ -n "$about" ] || fail "${what}no About box: $(cat "$qz_work/game.err")"
  qz_key "$about" Escape
  win=$(qz_window Quizendo)
  [ -n "$win" ] || fail "${what}no main window"
  qz_wait_idle "$win"
}

# qz_expect_26_values [FILE] [WHAT]: the settings file (default: the game's) holds the game's
# 26 values.
qz_expect_26_values() {
  local file=${1:-$qz_ini} what=${2:+$2: } values
  values=$(grep -cE '^[A-Za-z]+=' "$file")
  [ "$values" -eq 26 ] || fail "${what}the settings file holds $values values, not 26"
}

# qz_window TITLE [SECONDS]: prints the id of the window titled exactly TITLE once it shows.
qz_window() {
  timeout "${2:-15}" xdotool search --sync --limit 1 --name "^$1\$" 2>/dev/null | head -1
}

# qz_box TITLE [SECONDS]: prints the id of the message box titled exactly TITLE once it shows
# (xdotool's search does not find SDL's message boxes by name; xwininfo lists them).
qz_box() {
  local id
  for _ in $(seq $((${2:-15} * 10))); do
    id=$(xwininfo -root -tree | awk -v t="\"$1\":" '$2 == t {print $1; exit}')
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# qz_key WIN KEY...: key presses to the window WIN.
qz_key() {
  local win=$1
  shift
  timeout 20 xdotool windowfocus --sync "$win" key --delay 30 "$@"
}

# qz_type WIN TEXT: text typed into the window WIN (text input events).
qz_type() {
  timeout 20 xdotool windowfocus --sync "$1" type --delay 30 -- "$2"
}

# qz_click WIN X Y: a left click at (X, Y) of the window WIN (logical pixels at scale 1).
qz_click() {
  # The pointer moves inside the window before the press: a press with no motion before it
  # (the pointer warped there, or already resting there after the last click) was seen to be
  # dropped now and then under Xvfb without a window manager.
  timeout 20 xdotool windowfocus --sync "$1" mousemove --window "$1" --sync $(($2 + 1)) "$3" \
    mousemove --window "$1" --sync "$2" "$3" sleep 0.1 click 1
  sleep 0.2
}

# qz_wait_for SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds; fails after.
qz_wait_for() {
  local limit=$(($1 * 10))
  shift
  for _ in $(seq "$limit"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# qz_log_count REGEX: how many lines of qz.log match REGEX (extended, CR stripped).
qz_log_count() {
  [ -f "$qz_log" ] || { echo 0; return; }
  tr -d '\r' <"$qz_log" | grep -cE -- "$1"
}

# qz_log_has COUNT REGEX: true when at least COUNT lines match.
qz_log_has() {
  [ "$(qz_log_count "$2")" -ge "$1" ]
}

# qz_wait_exit SECONDS: waits for the game to end; prints nothing, fails on a hang. Sets
# qz_status to the exit status.
qz_wait_exit() {
  qz_wait_for "$1" eval '! kill -0 "$qz_game_pid" 2>/dev/null' || fail "the game did not end"
  wait "$qz_game_pid"
  qz_status=$?
  qz_game_pid=
}

# qz_ini_value NAME [FILE]: the value NAME of the settings file (or of the record FILE).
qz_ini_value() {
  sed -n "s/^$1=//p" "${2:-$qz_ini}" | tr -d '\r' | head -1
}

# qz_snap WIN X Y W H FILE: the rectangle (X, Y, W, H) of the window WIN as a PNG file.
# import waits for ever for a window that has gone; a script waiting on it would not even
# hear its own deadline.
qz_snap() {
  timeout 10 import -silent -window "$1" -crop "${4}x${5}+${2}+${3}" +repage "$6" 2>/dev/null
}

# qz_same_as WIN X Y W H FILE: true when the rectangle looks exactly as in FILE.
qz_same_as() {
  qz_snap "$1" "$2" "$3" "$4" "$5" "$qz_work/now.png" &&
    [ "$(compare -metric AE "$6" "$qz_work/now.png" null: 2>&1)" = 0 ]
}

# The ENTER button: enabled only at the idle screen (and during the quit question).
qz_enter_rect="260 296 120 52"

# The status line.
qz_status_rect="24 136 596 28"

# The play area between the top and bottom panels.
qz_play_rect="16 80 608 200"

# qz_wait_idle WIN: waits out the intro after the About box: the session header is logged,
# the title picture shows and goes, and the idle screen settles. Keeps pictures of ENTER and
# of the status line at the idle screen in $qz_work/enter-idle.png and status-idle.png.
qz_wait_idle() {
  qz_wait_for 10 qz_log_has 1 ", age [0-9]+ years" || fail "no session header"
  sleep 0.5
  qz_snap "$1" $qz_play_rect "$qz_work/title.png" || fail "no screenshot"
  qz_wait_for 10 qz_changed "$1" $qz_play_rect "$qz_work/title.png" || fail "the title picture stayed"
  sleep 1.5
  qz_snap "$1" $qz_enter_rect "$qz_work/enter-idle.png" || fail "no screenshot of ENTER"
  qz_snap "$1" $qz_status_rect "$qz_work/status-idle.png" || fail "no screenshot of the status line"
}

# qz_shot WIN: one screenshot of the window WIN, for looking at several parts of one moment.
qz_shot() {
  timeout 10 import -silent -window "$1" "$qz_work/shot.png" 2>/dev/null
}

# qz_shot_has FILE X Y W H: true when the rectangle of the last shot looks exactly as FILE;
# the rectangle stays in $qz_work/part.png.
qz_shot_has() {
  convert "$qz_work/shot.png" -crop "${4}x${5}+${2}+${3}" +repage "$qz_work/part.png" &&
    [ "$(compare -metric AE "$1" "$qz_work/part.png" null: 2>&1)" = 0 ]
}

# qz_question_shown WIN: true when the window shows the quit question: ENTER enabled, as at
# the idle screen, under another status line, seen in one shot. The status line stays in
# $qz_work/part.png. Needs qz_wait_idle's pictures.
qz_question_shown() {
  qz_shot "$1" && qz_shot_has "$qz_work/enter-idle.png" $qz_enter_rect &&
    ! qz_shot_has "$qz_work/status-idle.png" $qz_status_rect
}

# qz_give_up_match WIN: from the idle screen, begins a match, gives it up through the quit
# question and waits for the idle screen. Needs qz_wait_idle's pictures.
qz_give_up_match() {
  qz_key "$1" Return shift
  sleep 2
  qz_key "$1" Escape
  qz_wait_for 15 qz_question_shown "$1" || fail "Escape asked no quit question"
  qz_key "$1" Return shift
  qz_wait_for 15 qz_same_as "$1" $qz_status_rect "$qz_work/status-idle.png" ||
    fail "confirming the quit question did not bring back the idle screen"
}

# qz_changed WIN X Y W H FILE: true when the rectangle no longer looks as in FILE.
qz_changed() {
  ! qz_same_as "$@"
}

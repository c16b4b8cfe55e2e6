#!/bin/bash
# Idle processor use, memory and time to the first frame of the game's window, next to a bare
# SDL2 window as the floor. Runs both in a private Xvfb.
# Usage: bench/idle_cpu.sh [build-dir]   (default: build)
set -u
build=${1:-build}
game=$(readlink -f "$build/quizendo")
bare=$(readlink -f "$build/bench/bare_window")
idle_seconds=10
[ -x "$game" ] && [ -x "$bare" ] || { echo "build $build first (quizendo, bench/bare_window)"; exit 1; }
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || { echo "needs Xvfb and xdotool"; exit 1; }

for n in $(seq $((300 + $$ % 50)) 399); do
  [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] || { display=:$n; break; }
done
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
# The game saves its settings when it is told to end: a scratch home keeps the user's own.
scratch=$(mktemp -d)
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null; rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/.config"
cd "$scratch" || exit 1
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY=$display SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
ticks_per_second=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }

# measure NAME TITLE-PATTERN COMMAND: prints start-up ms, idle % of one core, resident memory.
measure() {
  local name=$1 title=$2 cmd=$3
  local t0 t1 pid before after rss
  t0=$(date +%s%N)
  "$cmd" >/dev/null 2>&1 &
  pid=$!
  # The window counts as shown once it is mapped and viewable; the game presents its first
  # frame right after mapping, before it waits for input.
  local polls=0
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    kill -0 $pid 2>/dev/null || { echo "$name: exited before showing a window"; return; }
    polls=$((polls + 1))
    [ $polls -lt 1000 ] || { echo "$name: no window after 10 s"; kill $pid; return; }
    sleep 0.01
  done
  t1=$(date +%s%N)
  sleep 2
  before=$(cpu_ticks $pid)
  sleep $idle_seconds
  after=$(cpu_ticks $pid)
  rss=$(awk '/VmRSS/ {print $2}' "/proc/$pid/status")
  kill $pid
  wait $pid 2>/dev/null
  awk -v n="$name" -v s=$(((t1 - t0) / 1000000)) -v d=$((after - before)) \
      -v hz="$ticks_per_second" -v secs=$idle_seconds -v rss="$rss" 'BEGIN {
    printf "%-12s start-up to window shown %5d ms   idle %5.2f %% of one core   RSS %6.1f MB\n",
           n, s, 100 * d / hz / secs, rss / 1024 }'
}

# The game opens with its About box over the main window; either counts as its first frame.
measure quizendo "Quizendo$" "$game"
measure bare_window "^BareWindow$" "$bare"

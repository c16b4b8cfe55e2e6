#!/bin/bash
# Start-up, processor and memory figures of the real game under a virtual X server, beside the
# same figures for a bare SDL2 window (bench/programs/bare_window), the floor, at scale 1
# (1024 x 768 screen). bench/idle_cpu.sh takes the same figures at scale 2.
# Usage: bench/run-all.sh [BUILD_DIR]   (default build/; needs Xvfb and xdotool)
set -u
build=$(readlink -f "${1:-build}")
game="$build/quizendo"
bare="$build/bench/bare_window"
[ -x "$game" ] && [ -x "$bare" ] || { echo "build $game and $bare first"; exit 1; }
. "$(dirname "$0")/../tests/e2e/lib.sh"
QZ_E2E_DEADLINE=200 qz_init "$game"
hz=$(getconf CLK_TCK)

# cpu_percent PID SECONDS: processor use of PID over SECONDS, in % of one core.
cpu_percent() {
  local a b
  a=$(awk '{print $14 + $15}' "/proc/$1/stat")
  sleep "$2"
  b=$(awk '{print $14 + $15}' "/proc/$1/stat")
  awk -v d=$((b - a)) -v hz="$hz" -v s="$2" 'BEGIN {printf "%.2f", 100 * d / hz / s}'
}
hwm() { awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
now_ms() { date +%s%3N; }

# The bare window.
t0=$(now_ms)
"$bare" &
bare_pid=$!
xdotool search --sync --limit 1 --name '^BareWindow$' >/dev/null
bare_start=$(($(now_ms) - t0))
sleep 1
bare_cpu=$(cpu_percent $bare_pid 10)
bare_mem=$(hwm $bare_pid)
kill $bare_pid; wait $bare_pid 2>/dev/null

# The game: window shown, idle screen with music, a problem's clock, the feedback pause.
printf '[1.01]\nAutoSelect=0\nGameLevel=1\n' >"$qz_ini"
t0=$(now_ms)
qz_start 150
about=$(qz_window "About Quizendo")
game_start=$(($(now_ms) - t0))
qz_key "$about" Escape
win=$(qz_window Quizendo)
qz_wait_idle "$win"
pid=$(cat "$qz_work/game.pid") # the game itself, not its timeout
idle_cpu=$(cpu_percent $pid 10)
qz_key "$win" Return
sleep 1
qz_key "$win" shift
sleep 0.5
clock_cpu=$(cpu_percent $pid 8)
qz_wait_for 10 qz_log_has 1 'T/O' # the clock ran out: the 3 s feedback pause follows
pause_cpu=$(cpu_percent $pid 2)
game_mem=$(hwm $pid)

printf '%-44s %12s %12s\n' "" "game" "bare SDL2"
printf '%-44s %12s %12s\n' "start to first window (ms)" "$game_start" "$bare_start"
printf '%-44s %12s %12s\n' "processor, idle screen with music (%/core)" "$idle_cpu" "$bare_cpu"
printf '%-44s %12s %12s\n' "processor, problem clock running, 8 s" "$clock_cpu" "-"
printf '%-44s %12s %12s\n' "processor, feedback pause, 2 s" "$pause_cpu" "-"
printf '%-44s %12s %12s\n' "peak resident memory VmHWM (MB)" "$game_mem" "$bare_mem"

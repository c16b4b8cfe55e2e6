#!/bin/bash
# Every figure of the game in one run, side by side with the same figures for a bare SDL2
# window of the same size (bench/programs/bare_window), the floor: start to the first frame,
# processor use at the idle screen with its music, while a problem's clock runs and during the
# feedback pause, peak resident memory, the cost of one full frame, and a whole headless
# 100-problem match. Both run in a private Xvfb of 1920 x 1080, where the window opens at
# scale 2 as on a 1080p desktop (QZ_SCREEN=1024x768 gives scale 1), with dummy audio.
# Usage: bench/run-all.sh [BUILD_DIR]   (default build/; needs Xvfb and xdotool)
set -u
build=$(readlink -f "${1:-build}")
game="$build/quizendo"
bare="$build/bench/bare_window"
bench="$build/bench/quizendo_bench"
for exe in "$game" "$bare" "$bench"; do
  [ -x "$exe" ] || { echo "build $exe first"; exit 1; }
done
export QZ_SCREEN=${QZ_SCREEN:-1920x1080}
. "$(dirname "$0")/../tests/e2e/lib.sh"
QZ_E2E_DEADLINE=300 qz_init "$game"

# cpu_ns PID: processor time of all threads of PID so far, in nanoseconds (the scheduler's
# own count: finer than the 10 ms ticks of /proc/PID/stat).
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%d", s}'; }
# cpu_percent PID SECONDS: processor use of PID over SECONDS, in % of one core.
cpu_percent() {
  local a b
  a=$(cpu_ns "$1")
  sleep "$2"
  b=$(cpu_ns "$1")
  awk -v d=$((b - a)) -v s="$2" 'BEGIN {printf "%.2f", 100 * d / 1e9 / s}'
}
hwm() { awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
now_ms() { date +%s%3N; }

# launch TITLE COMMAND...: starts COMMAND in the background; sets launched_pid, and
# launched_ms to the time until a window titled TITLE is mapped and viewable (polled every
# 10 ms; the first frame is presented right after the mapping).
launch() {
  local title=$1 t0 polls=0
  shift
  t0=$(now_ms)
  "$@" &
  launched_pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    kill -0 "$launched_pid" 2>/dev/null || fail "$1 ended before showing a window"
    polls=$((polls + 1))
    [ $polls -lt 1000 ] || fail "$1 showed no window in 10 s"
    sleep 0.01
  done
  launched_ms=$(($(now_ms) - t0))
}

# start_median TITLE COMMAND...: the median of five launches to the first frame, in ms.
start_median() {
  local title=$1 times=() i
  shift
  for i in 1 2 3 4 5; do
    launch "$title" "$@" 2>/dev/null
    times+=("$launched_ms")
    kill "$launched_pid"
    wait "$launched_pid" 2>/dev/null
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

cd "$qz_work/run" || fail "no working folder"
bare_start=$(start_median '^BareWindow$' "$bare")
game_start=$(start_median '^About Quizendo$' "$game")

# The floor: a bare window waiting, then the same window presenting full frames.
launch '^BareWindow$' "$bare"
sleep 2
bare_cpu=$(cpu_percent "$launched_pid" 10)
bare_mem=$(hwm "$launched_pid")
kill "$launched_pid"
wait "$launched_pid" 2>/dev/null
bare_frame=$("$bare" --frames 500 | awk '{print $1}')

# The game: its About box is its first frame; then the idle screen with its music, a
# problem's clock running, the feedback pause after a time-out.
printf '[1.01]\nAutoSelect=0\nGameLevel=1\n' >"$qz_ini"
launch '^About Quizendo$' "$game" 2>"$qz_work/game.err"
qz_game_pid=$launched_pid
about=$(qz_window "About Quizendo")
qz_key "$about" Escape
win=$(qz_window Quizendo)
qz_wait_for 10 qz_log_has 1 ", age [0-9]+ years" || fail "no session header"
sleep 6 # the title picture and the settling of the idle screen
idle_cpu=$(cpu_percent "$qz_game_pid" 10)
qz_key "$win" Return
sleep 1.5 # "Get Ready" and the first problem
clock_cpu=$(cpu_percent "$qz_game_pid" 6)
qz_wait_for 10 qz_log_has 1 'T/O' || fail "the clock never ran out"
pause_cpu=$(cpu_percent "$qz_game_pid" 2)
game_mem=$(hwm "$qz_game_pid")
kill "$qz_game_pid"
wait "$qz_game_pid" 2>/dev/null
qz_game_pid=

# Frames and the whole match, from the benchmark program (times in microseconds).
# (Two runs: the CSV output wants the same counters in every row.)
for filter in FullFrame Headless; do
  "$bench" --benchmark_filter="$filter" --benchmark_format=csv 2>/dev/null
done | grep '^"BM_' >"$qz_work/bench.csv"
figure() { # figure NAME: real time per iteration of the benchmark NAME, in microseconds
  awk -F, -v n="\"$1\"" '$1 == n {
    t = $3; if ($5 == "ms") t *= 1000; if ($5 == "ns") t /= 1000; printf "%.0f", t }' \
    "$qz_work/bench.csv"
}
frame_screen=$(figure BM_FullFrameOnScreen)
frame_painted=$(figure BM_FullFramePainted/2)
match_us=$(figure BM_HeadlessBlackBeltMatch)

row() { printf '%-46s %12s %12s   %s\n' "$@"; }
echo "screen $QZ_SCREEN, $(nproc) cores, load $(cut -d' ' -f1 /proc/loadavg)"
row "" "game" "bare SDL2" "target"
row "start to first frame, median of 5 (ms)" "$game_start" "$bare_start" "within 1.5 x bare"
row "processor, idle screen with music, 10 s (%)" "$idle_cpu" "$bare_cpu" "< 0.5 % of a core"
row "processor, problem clock running, 6 s (%)" "$clock_cpu" "-" "< 0.5 % of a core"
row "processor, feedback pause, 2 s (%)" "$pause_cpu" "-" "< 0.5 % of a core"
row "peak resident memory, VmHWM (MB)" "$game_mem" "$bare_mem" "< 30 MB"
row "one full frame on screen (us)" "${frame_screen:--}" "$bare_frame" ""
row "  of which painting the canvas at scale 2 (us)" "${frame_painted:--}" "-" ""
row "headless 100-problem Black-belt match (ms)" "$((${match_us:-0} / 1000))" "-" ""

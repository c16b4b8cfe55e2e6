#!/usr/bin/env bash
# The progress report in a real browser: a log written with the game's own record formatters
# (plus a cut copy of it and a cadet whose name is markup) goes through quizendo-report; the
# page is opened in headless Chromium, which must log no console error (a script injected
# through a name, or anything the page tried to fetch, would log one), must hold the charts
# in its DOM, and must draw them: the screenshot has to show the chart colours.
# Usage: report_browser_test.sh PATH/TO/quizendo (quizendo-report and write_sample_log are
# built next to it). The screenshot is kept as report_screenshot.png next to them.
set -euo pipefail

bin_dir=$(cd "$(dirname "$1")" && pwd)
report="$bin_dir/quizendo-report"
writer="$bin_dir/write_sample_log"
for tool in "$report" "$writer"; do
  [ -x "$tool" ] || { echo "FAIL: $tool is not built"; exit 1; }
done

browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  source_dir=${QZ_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
  # shellcheck source=/dev/null
  . "$source_dir/tools/deps.sh"
  if ! qz_install_packages chromium; then
    echo "SKIP: Chromium is not installed and the package could not be installed"
    exit 0
  fi
  browser=$(command -v chromium)
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$writer" "$work/qz.log" 14 Ace "Zoë" "<img src=x onerror=console.error('injected')>"
# A copy cut in the middle of a line, as after a crash, given first: each session is counted
# once, from its full copy, and the cut line is reported.
head -c 30000 "$work/qz.log" > "$work/old-qz.log"
"$report" "$work/old-qz.log" "$work/qz.log" -o "$work/report.html" --csv "$work/answers.csv" \
  2> "$work/report.err"
cat "$work/report.err"
grep -q "old-qz.log: .* 1 unreadable line " "$work/report.err" ||
  { echo "FAIL: the cut line was not reported"; exit 1; }

chromium_run() {
  timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" "$@"
}

chromium_run --enable-logging=stderr --v=0 --dump-dom "file://$work/report.html" \
  > "$work/dom.html" 2> "$work/console.log" || { cat "$work/console.log"; echo "FAIL: Chromium"; exit 1; }
if grep -E "CONSOLE|Uncaught|Refused to" "$work/console.log"; then
  echo "FAIL: the page logged console messages"
  exit 1
fi

count() { grep -o "$1" "$2" | wc -l; }
svgs=$(count "<svg" "$work/dom.html")
cells=$(count 'class="cell"' "$work/dom.html")
bars=$(count 'class="bar"' "$work/dom.html")
series=$(count 'class="series"' "$work/dom.html")
echo "DOM: $svgs charts, $series lines, $bars bars, $cells grid cells"
# Three cadets, four charts each: accuracy, time, operations, times table.
[ "$svgs" -eq 12 ] && [ "$series" -eq 6 ] && [ "$bars" -eq 24 ] && [ "$cells" -eq 300 ] ||
  { echo "FAIL: charts missing from the page"; exit 1; }
grep -q "&lt;img src=x onerror" "$work/dom.html" ||
  { echo "FAIL: the markup name is not shown as text"; exit 1; }
if grep -q "<img" "$work/dom.html"; then
  echo "FAIL: a name became markup"
  exit 1
fi

chromium_run --screenshot="$work/r.png" --window-size=1200,2000 "file://$work/report.html" \
  > /dev/null 2>&1
cp "$work/r.png" "$bin_dir/report_screenshot.png"
# Pixels of the accuracy blue, the time-out orange (bars) and the response-time green (line).
pixels() { convert "$work/r.png" -format %c histogram:info:- | awk -v c="$1" 'toupper($0) ~ c { n += $1 } END { print n + 0 }'; }
blue=$(pixels "#0072B2")
orange=$(pixels "#D55E00")
green=$(pixels "#009E73")
echo "screenshot: $blue blue, $orange orange, $green green pixels ($bin_dir/report_screenshot.png)"
[ "$blue" -gt 2000 ] && [ "$orange" -gt 300 ] && [ "$green" -gt 100 ] ||
  { echo "FAIL: the charts were not drawn"; exit 1; }

# The CSV: a header and one row per judged answer of the three cadets, names guarded.
rows=$(($(wc -l < "$work/answers.csv") - 1))
answers=$(grep -c "score:" "$work/qz.log")
[ "$rows" -eq "$answers" ] || { echo "FAIL: $rows CSV rows for $answers answers"; exit 1; }
echo "PASS"

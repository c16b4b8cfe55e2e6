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
# once, from its full copy, and the cut line is reported. The cut falls inside the time of the
# first problem line past 30000 bytes, so the rest of that line can never read as a whole one.
cut_line=$(LC_ALL=C awk '{ bytes += length($0) + 1 } bytes > 30000 && /^[0-9][0-9][0-9] / { print NR; exit }' "$work/qz.log")
{ head -n "$((cut_line - 1))" "$work/qz.log"; sed -n "${cut_line}p" "$work/qz.log" | head -c 18; } \
  > "$work/old-qz.log"
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

# Three sessions on one day, measured by the browser: every text of every chart lies whole
# inside its chart, and no two labels of a date axis say the same. The page is loaded with a
# measuring script added and its script ban lifted; the script writes what it found into the
# page, which Chromium dumps.
"$writer" --apart 5400 "$work/day.log" 3 Ace
"$report" "$work/day.log" -o "$work/day.html" 2>/dev/null
sed 's/<meta http-equiv="Content-Security-Policy"[^>]*>//' "$work/day.html" > "$work/day-measured.html"
# A script after the end of the page still runs, in its body.
cat >> "$work/day-measured.html" <<'MEASURE'
<script>
const cut = [], repeated = [];
let texts = 0;
for (const svg of document.querySelectorAll("svg.chart")) {
  // On the page, so that turned texts count as drawn.
  const box = svg.getBoundingClientRect();
  for (const t of svg.querySelectorAll("text")) {
    const b = t.getBoundingClientRect();
    ++texts;
    if (b.left < box.left - 0.5 || b.top < box.top - 0.5 || b.right > box.right + 0.5 ||
        b.bottom > box.bottom + 0.5)
      cut.push(t.textContent);
  }
  const axes = svg.querySelectorAll("g.axis");
  if (svg.querySelector("path.series") && axes.length > 1) {
    const labels = [...axes[1].querySelectorAll("text")].map(t => t.textContent);
    if (new Set(labels).size !== labels.length) repeated.push(labels.join(" "));
  }
}
document.body.dataset.texts = texts;
document.body.dataset.cut = cut.join("|");
document.body.dataset.repeated = repeated.join("|");
</script>
MEASURE
chromium_run --dump-dom "file://$work/day-measured.html" > "$work/day-dom.html" 2>/dev/null ||
  { echo "FAIL: Chromium on the one-day report"; exit 1; }
texts=$(sed -n 's/.*data-texts="\([0-9]*\)".*/\1/p' "$work/day-dom.html")
cut=$(sed -n 's/.*data-cut="\([^"]*\)".*/\1/p' "$work/day-dom.html")
repeated=$(sed -n 's/.*data-repeated="\([^"]*\)".*/\1/p' "$work/day-dom.html")
echo "one day: $texts chart texts measured; cut: '${cut}'; repeated axis labels: '${repeated}'"
[ "${texts:-0}" -gt 50 ] || { echo "FAIL: the chart texts were not measured"; exit 1; }
[ -z "$cut" ] || { echo "FAIL: chart texts cut off: $cut"; exit 1; }
[ -z "$repeated" ] || { echo "FAIL: a date axis repeats a label: $repeated"; exit 1; }
chromium_run --screenshot="$work/day.png" --window-size=1200,1800 "file://$work/day.html" \
  > /dev/null 2>&1
cp "$work/day.png" "$bin_dir/report_one_day_screenshot.png"

# The CSV: a header and one row per judged answer of the three cadets, names guarded.
rows=$(($(wc -l < "$work/answers.csv") - 1))
answers=$(grep -c "score:" "$work/qz.log")
[ "$rows" -eq "$answers" ] || { echo "FAIL: $rows CSV rows for $answers answers"; exit 1; }
echo "PASS"

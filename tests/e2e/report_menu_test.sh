#!/bin/bash
# The "Quizendo Progress Report" menu entry, run as the desktop runs its Exec line, with stand-ins
# for the browser opener (xdg-open) and the desktop's notifications on a PATH that holds only
# what the test gives it: a good log opens the fresh page; a report that fails opens a page
# that says why, dated today, and keeps the last good page; with no browser, or no opener at
# all, the desktop is told through notify-send, else gdbus, else stderr.
# Usage: report_menu_test.sh path/to/quizendo (quizendo-report and write_sample_log beside it)
set -u

bin_dir=$(cd "$(dirname "$1")" && pwd)
source_dir=${QZ_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}
entry="$source_dir/assets/quizendo-report.desktop"
for tool in "$bin_dir/quizendo-report" "$bin_dir/write_sample_log"; do
  [ -x "$tool" ] || { echo "FAIL: $tool is not built"; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $case: $*"
  for file in calls err; do
    [ -s "$work/$file" ] && { echo "--- $file"; cat "$work/$file"; }
  done
  exit 1
}

exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ -n "$exec_line" ] || { echo "FAIL: no Exec line in $entry"; exit 1; }
"$bin_dir/write_sample_log" "$work/sample.log" 3 Ace >/dev/null || { echo "FAIL: no sample log"; exit 1; }

# fake NAME STATUS: a stand-in that notes its arguments and ends with STATUS.
fake() {
  printf '#!/bin/sh\necho "%s $*" >>"%s"\nexit %s\n' "$1" "$work/calls" "$2" >"$work/bin/$1"
  chmod +x "$work/bin/$1"
}

# CASE LOG OPENER NOTIFIER: LOG good (the sample) or folder (unreadable); OPENER ok (opens),
# none (finds no browser, as xdg-open does without one: status 3) or absent; NOTIFIER
# notify-send, gdbus or absent. Then what the opener was asked to open, and where the word went.
for row in "report good ok absent" "failed folder ok absent" "nobrowser good none notify-send" \
  "noopener good absent gdbus" "nothing good absent absent"; do
  set -- $row
  case=$1 log=$2 opener=$3 notifier=$4
  home="$work/home-$case"
  mkdir -p "$home" "$work/bin"
  rm -f "$work/bin"/* "$work/calls" "$work/err"
  for tool in sh dirname mktemp rm mv date sed cat; do
    ln -s "$(command -v "$tool")" "$work/bin/$tool"
  done
  ln -s "$bin_dir/quizendo-report" "$work/bin/quizendo-report"
  ln -s "$source_dir/packaging/quizendo-report-open" "$work/bin/quizendo-report-open"
  case "$opener" in
    ok) fake xdg-open 0 ;;
    none) fake xdg-open 3 ;;
  esac
  [ "$notifier" = absent ] || fake "$notifier" 0
  if [ "$log" = good ]; then
    cp "$work/sample.log" "$home/qz.log"
  else
    mkdir "$home/qz.log"
  fi
  echo "the last good page" >"$home/quizendo-report.html"
  today=$(date +%Y-%m-%d)

  (cd / && HOME="$home" PATH="$work/bin" sh -c "$exec_line") 2>"$work/err"
  status=$?

  opened=$(sed -n 's/^xdg-open //p' "$work/calls" 2>/dev/null)
  # A name without a folder is one in the home folder, where the entry works.
  case "$opened" in "" | /*) ;; *) opened="$home/$opened" ;; esac
  case "$case" in
    report)
      [ "$status" -eq 0 ] || fail "status $status"
      [ "$opened" = "$home/quizendo-report.html" ] || fail "opened '$opened'"
      grep -q "Ace" "$home/quizendo-report.html" || fail "the page is not the fresh report"
      ;;
    failed)
      [ "$opened" = "$home/quizendo-report-error.html" ] || fail "opened '$opened', not the page that says why"
      grep -q "qz.log" "$opened" || fail "the page does not say why"
      grep -q "$today" "$opened" || fail "the page is not dated today ($today)"
      [ "$(cat "$home/quizendo-report.html")" = "the last good page" ] || fail "the last good page changed"
      ;;
    nobrowser | noopener | nothing)
      [ "$status" -ne 0 ] || fail "status 0 with no browser"
      [ "$opener" = none ] && [ "$opened" != "$home/quizendo-report.html" ] && fail "opened '$opened'"
      if [ "$notifier" = absent ]; then
        grep -q "No web browser" "$work/err" || fail "stderr does not say so"
      else
        grep -q "^$notifier .*No web browser could open the page" "$work/calls" || fail "$notifier was not asked to say so"
      fi
      grep -q "Ace" "$home/quizendo-report.html" || fail "the page was not made"
      ;;
  esac
  echo "$case: ok"
done
[ -z "$(find "$work"/home-* -name '.quizendo-report.*')" ] || { echo "FAIL: a work folder was left"; exit 1; }
echo PASS

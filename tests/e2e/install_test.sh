#!/bin/bash
# The installed game: `cmake --install` into a scratch prefix puts the programs, the assets,
# the desktop entries and the icons where a Linux desktop looks for them, leaves the asset
# sources behind, and the installed game, started from another folder, finds its assets and
# plays its intro.
# Usage: install_test.sh path/to/quizendo   (the build tree is the program's folder)
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"
build=$(dirname "$qz_exe")
prefix="$qz_work/prefix"
cmake --install "$build" --prefix "$prefix" >"$qz_work/install.out" 2>&1 ||
  fail "cmake --install failed: $(tail -5 "$qz_work/install.out")"

for file in games/quizendo games/quizendo-report games/quizendo-report-open \
  share/quizendo/102.dlg share/quizendo/163.bmp share/quizendo/144.wav \
  share/applications/quizendo.desktop share/applications/quizendo-report.desktop \
  share/icons/hicolor/48x48/apps/quizendo.png share/icons/hicolor/scalable/apps/quizendo.svg \
  share/metainfo/org.quizendo.Quizendo.metainfo.xml share/man/man6/quizendo.6.gz \
  share/man/man1/quizendo-report.1.gz; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ ! -e "$prefix/share/quizendo/src" ] || fail "the asset sources were installed"
grep -qx "Exec=quizendo" "$prefix/share/applications/quizendo.desktop" ||
  fail "the desktop entry does not start quizendo"
grep -qx "Icon=quizendo" "$prefix/share/applications/quizendo.desktop" ||
  fail "the desktop entry names another icon"

# Started by its installed path, away from the build tree: the About box, then the intro.
qz_exe="$prefix/games/quizendo"
qz_start_to_idle 60 "installed game"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the installed game ended with status $qz_status"
[ ! -s "$qz_work/game.err" ] || fail "the installed game complained: $(cat "$qz_work/game.err")"
echo PASS

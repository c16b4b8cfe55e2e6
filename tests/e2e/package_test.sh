#!/bin/bash
# The Debian package: CPack makes it from the build tree as the README says, lintian finds no
# error in it, and unpacked into a scratch root (never installed into this machine) it holds
# every file where a Debian system looks for it; the unpacked game finds its own assets and
# plays through its About box.
# Usage: package_test.sh path/to/quizendo   (the build tree is the program's folder)
set -u
. "$(dirname "$0")/lib.sh"
qz_init "$1"
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
build=$(dirname "$qz_exe")
(cd "$qz_work" && cpack -G DEB --config "$build/CPackConfig.cmake") >"$qz_work/cpack.out" 2>&1 ||
  fail "cpack failed: $(tail -5 "$qz_work/cpack.out")"
deb=$(ls "$qz_work"/quizendo_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no package written: $(tail -5 "$qz_work/cpack.out")"
case "$(basename "$deb")" in
  quizendo_1.01_$(dpkg --print-architecture).deb) ;;
  *) fail "the package is named $(basename "$deb")" ;;
esac

[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
depends=$(dpkg-deb -f "$deb" Depends)
for need in libsdl2-2.0-0 libsdl2-ttf-2.0-0 libsdl2-mixer-2.0-0 libfontconfig1 libc6 \
  fonts-dejavu-core fonts-dejavu-extra; do
  grep -q "\\b$need\\b" <<<"$depends" || fail "the package does not depend on $need: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
grep -q "fonts-noto-cjk | fonts-wqy-zenhei" <<<"$recommends" ||
  fail "the package does not recommend a CJK font: $recommends"

# lintian prints E: for errors; warnings and notes are allowed.
lintian --tag-display-limit 0 "$deb" >"$qz_work/lintian.out" 2>&1
! grep -q '^E:' "$qz_work/lintian.out" || fail "lintian: $(grep '^E:' "$qz_work/lintian.out")"

root="$qz_work/root"
dpkg-deb -x "$deb" "$root" || fail "dpkg-deb -x failed"
for file in usr/games/quizendo usr/games/quizendo-report usr/games/quizendo-report-open \
  usr/share/quizendo/102.dlg usr/share/quizendo/163.bmp usr/share/quizendo/144.wav \
  usr/share/applications/quizendo.desktop usr/share/applications/quizendo-report.desktop \
  usr/share/icons/hicolor/48x48/apps/quizendo.png usr/share/icons/hicolor/scalable/apps/quizendo.svg \
  usr/share/metainfo/org.quizendo.Quizendo.metainfo.xml \
  usr/share/man/man6/quizendo.6.gz usr/share/man/man1/quizendo-report.1.gz \
  usr/share/doc/quizendo/copyright usr/share/doc/quizendo/changelog.gz; do
  [ -f "$root/$file" ] || fail "not in the package: /$file"
done
[ -x "$root/usr/games/quizendo" ] || fail "the game is not executable"
[ ! -e "$root/usr/share/quizendo/src" ] || fail "the asset sources were packaged"
# Nothing outside /usr, and nothing the package and the machine would both own.
[ "$(ls "$root")" = usr ] || fail "the package puts files outside /usr: $(ls "$root")"
zcat "$root/usr/share/man/man6/quizendo.6.gz" | grep -q '^\.SH EXIT STATUS' ||
  fail "the game's manual page has no exit status"
"$root/usr/games/quizendo" --version | grep -qx "quizendo 1.01" || fail "the unpacked game's --version"
"$root/usr/games/quizendo-report" --version | grep -qx "quizendo-report 1.01" ||
  fail "the unpacked report's --version"

# The unpacked game, started by its path from another folder: the About box, then the intro.
qz_exe="$root/usr/games/quizendo"
qz_start_to_idle 60 "unpacked game"
qz_key "$win" Escape
qz_wait_exit 15
[ "$qz_status" -eq 0 ] || fail "the unpacked game ended with status $qz_status"
[ ! -s "$qz_work/game.err" ] || fail "the unpacked game complained: $(cat "$qz_work/game.err")"
echo PASS

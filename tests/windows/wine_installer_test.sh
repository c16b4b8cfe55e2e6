#!/bin/bash
# The installer under Wine, silently (/S): the game, its report, assets and fonts in
# Program Files\Quizendo, the Start-menu entries and the uninstall entry; the installed game
# started, played to its idle screen and left; then the uninstaller, silently: the program,
# its entries and its uninstall entry gone, the settings in the registry and the log still there.
# Usage: wine_installer_test.sh BUILD_DIR
set -u
. "$(dirname "$0")/wine_lib.sh"
qz_wine_init "$1"
setup=$(readlink -f "$1")/Quizendo-1.01-setup.exe
[ -f "$setup" ] || fail "no installer at $setup"
settings_key='HKCU\Software\Zorvex\quizendo\1.01'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quizendo'
program_dir="$WINEPREFIX/drive_c/Program Files/Quizendo"

timeout 120 wine "$setup" /S || fail "the installer failed"
timeout 60 wineserver -w
for file in quizendo.exe quizendo-report.exe quizendo-report.cmd uninstall.exe assets/100.dlg \
  fonts/DejaVuSans.ttf fonts/DejaVuSansCondensed.ttf fonts/DejaVuSansCondensed-Bold.ttf; do
  [ -f "$program_dir/$file" ] || fail "not installed: $file"
done
menu=$(find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Quizendo' -type d | head -1)
[ -n "$menu" ] || fail "no Start-menu folder"
[ -f "$menu/Quizendo.lnk" ] && [ -f "$menu/Quizendo Progress Report.lnk" ] ||
  fail "the Start-menu entries are missing: $(ls "$menu")"
qz_reg query "$uninstall_key" | grep -q 'QuietUninstallString' || fail "no uninstall entry"

# The installed game, started from a folder of the user's.
qz_args=('C:\Program Files\Quizendo\quizendo.exe')
qz_start_to_idle 200 "installed game"
qz_key "$win" Escape
qz_wait_exit 30
[ "$qz_status" -eq 0 ] || fail "the installed game ended with status $qz_status"
timeout 30 wineserver -w
[ -s "$qz_log" ] || fail "the installed game wrote no log"
[ "$(qz_reg query "$settings_key" | grep -c REG_)" -eq 26 ] || fail "the installed game saved no settings"

# The uninstaller copies itself away and returns at once; the Wine server waits for it.
timeout 120 wine "$program_dir/uninstall.exe" /S || fail "the uninstaller failed"
timeout 60 wineserver -w
[ -e "$program_dir/quizendo.exe" ] && fail "the game is still installed"
[ -e "$program_dir" ] && fail "the program folder is still there: $(ls -A "$program_dir")"
[ -e "$menu" ] && fail "the Start-menu folder is still there"
qz_reg query "$uninstall_key" | grep -q 'DisplayName' && fail "the uninstall entry is still there"
[ "$(qz_reg query "$settings_key" | grep -c REG_)" -eq 26 ] || fail "the settings went with the program"
[ -s "$qz_log" ] || fail "the log went with the program"
echo PASS

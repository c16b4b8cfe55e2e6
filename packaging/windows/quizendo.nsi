; The Windows installer: Quizendo-<version>-setup.exe puts the game, its assets and fonts and the
; progress report in Program Files\Quizendo, adds Start-menu entries for the game and the report
; and an uninstaller in Apps & Features. Uninstalling removes the program and never the child's
; settings (HKEY_CURRENT_USER\Software\Zorvex\quizendo) or logs.
; Built by the Windows build (cmake/windows.cmake):
;   makensis -DVERSION=1.01 -DBUILD=<build-windows> -DSOURCE=<source> -DOUTFILE=<setup.exe> quizendo.nsi
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quizendo"

Name "Quizendo"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Quizendo"
BrandingText "Quizendo ${VERSION}"
; The installer itself says what it is in Explorer's properties.
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "Quizendo"
VIAddVersionKey "FileDescription" "Quizendo ${VERSION} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "The Quizendo team"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Quizendo"
  SetRegView 64
  SetOutPath "$INSTDIR"
  File "${BUILD}\quizendo.exe"
  File "${BUILD}\quizendo-report.exe"
  File "${SOURCE}\packaging\windows\quizendo-report.cmd"
  SetOutPath "$INSTDIR\assets"
  File "${BUILD}\assets\*.*"
  SetOutPath "$INSTDIR\fonts"
  File "${BUILD}\fonts\*.ttf"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The entries start the game and the report in the user's own folder, where the game writes
  ; its log (Program Files is not the user's to write in).
  SetOutPath "$PROFILE"
  CreateDirectory "$SMPROGRAMS\Quizendo"
  CreateShortcut "$SMPROGRAMS\Quizendo\Quizendo.lnk" "$INSTDIR\quizendo.exe"
  CreateShortcut "$SMPROGRAMS\Quizendo\Quizendo Progress Report.lnk" \
    "$INSTDIR\quizendo-report.cmd" "" "$INSTDIR\quizendo-report.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Quizendo"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The Quizendo team"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\quizendo.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetRegView 64
  Delete "$SMPROGRAMS\Quizendo\Quizendo.lnk"
  Delete "$SMPROGRAMS\Quizendo\Quizendo Progress Report.lnk"
  RMDir "$SMPROGRAMS\Quizendo"
  Delete "$INSTDIR\quizendo.exe"
  Delete "$INSTDIR\quizendo-report.exe"
  Delete "$INSTDIR\quizendo-report.cmd"
  RMDir /r "$INSTDIR\assets"
  RMDir /r "$INSTDIR\fonts"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: a log the game wrote there when started from it stays.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd

@echo off
rem The "Quizendo Progress Report" Start-menu entry: makes the progress page for the qz.log in
rem the user's folder (where the game's own entry starts it) and opens it in the web browser.
cd /d "%USERPROFILE%"
"%~dp0quizendo-report.exe" qz.log -o quizendo-report.html
if errorlevel 1 (
  pause
  exit /b 1
)
start "" quizendo-report.html

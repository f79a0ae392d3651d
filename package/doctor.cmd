@echo off
rem Double-click to check that Pellimore is installed so that it can load; it offers
rem to move misplaced files itself, and asks first.
"%~dp0pellimore.exe" doctor --ask
pause

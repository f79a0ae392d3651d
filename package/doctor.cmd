@echo off
rem Double-click to check that Pellimore is installed so that it can load.
"%~dp0pellimore.exe" doctor
pause

#!/usr/bin/env bash
# Checks the release archive: exactly the files a player needs (the module and
# its settings at the root, the tools and scenario examples in Pellimore-tools/),
# a module stripped of its debug sections and small enough to be one, and a
# tool that needs no DLL but Windows' own.
# Usage: check-package.sh <archive> <scenario examples folder>
set -euo pipefail
archive=$1 scenarios=$2
[ -f "$archive" ] || { echo "FAIL: $archive was not built"; exit 1; }
contents=$(unzip -Z1 "$archive" | grep -v '/$' | sort | tr '\n' ' ')
expected=$( { printf '%s\n' Pellimore.asi Pellimore.ini README.txt Pellimore-tools/pellimore.exe Pellimore-tools/doctor.cmd \
    Pellimore-tools/Pellimore-editor.html
  for scenario in "$scenarios"/*.scenario; do echo "Pellimore-tools/scenarios/$(basename "$scenario")"; done; } | sort | tr '\n' ' ')
if [ "$contents" != "$expected" ]; then
  echo "FAIL: $archive holds '$contents', expected '$expected'"
  exit 1
fi
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
unzip -q "$archive" Pellimore.asi -d "$scratch"
size=$(stat -c %s "$scratch/Pellimore.asi")
if [ "$size" -gt $((1024 * 1024)) ]; then
  echo "FAIL: the packaged Pellimore.asi is $size bytes; it must stay within 1 MiB"
  exit 1
fi
if x86_64-w64-mingw32-objdump -h "$scratch/Pellimore.asi" | grep -q '\.debug_'; then
  echo "FAIL: the packaged Pellimore.asi still carries debug sections"
  exit 1
fi
unzip -q "$archive" Pellimore-tools/pellimore.exe -d "$scratch"
tool_dlls=$(x86_64-w64-mingw32-objdump -p "$scratch/Pellimore-tools/pellimore.exe" | sed -n 's/^\s*DLL Name: //p' | sort -u | tr '\n' ' ')
for dll in $tool_dlls; do
  case "${dll,,}" in
    kernel32.dll|msvcrt.dll|user32.dll|advapi32.dll|shell32.dll) ;;
    *) echo "FAIL: pellimore.exe needs $dll, which players do not have"; exit 1 ;;
  esac
done
echo "package ok: $contents"
echo "Pellimore.asi: $size bytes, no debug sections; pellimore.exe imports only $tool_dlls"

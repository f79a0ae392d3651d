#!/usr/bin/env bash
# Checks the release archive: exactly the files a player needs, and a module
# stripped of its debug sections and small enough to be one.
set -euo pipefail
archive=$1
[ -f "$archive" ] || { echo "FAIL: $archive was not built"; exit 1; }
contents=$(unzip -Z1 "$archive" | grep -v '/$' | sort | tr '\n' ' ')
expected="Pellimore.asi Pellimore.ini README.txt "
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
echo "package ok: $contents(Pellimore.asi: $size bytes, no debug sections)"

#!/usr/bin/env bash
# Checks that the release archive holds exactly the module, the sample settings and the readme.
set -euo pipefail
archive=$1
[ -f "$archive" ] || { echo "FAIL: $archive was not built"; exit 1; }
contents=$(unzip -Z1 "$archive" | sort | tr '\n' ' ')
expected="Pellimore.asi Pellimore.ini README.txt "
if [ "$contents" != "$expected" ]; then
  echo "FAIL: $archive holds '$contents', expected '$expected'"
  exit 1
fi
echo "package ok: $contents"

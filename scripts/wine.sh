#!/usr/bin/env bash
# Runs a Windows program under wine64 in the build's own prefix, with its
# input closed (as in CI), so it never waits for a player at the keyboard.
# Usage: wine.sh <program.exe> [arguments...]
set -euo pipefail
wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
  echo "ERROR: $wine not found; install the wine64 package (scripts/install-dependencies.sh)" >&2
  exit 1
fi
program=$(realpath "$1"); shift
export WINEPREFIX=${WINEPREFIX:-$(dirname "$program")/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
exec timeout 300 "$wine" "$program" "$@" </dev/null

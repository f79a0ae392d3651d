#!/usr/bin/env bash
# Runs a Windows program under wine64 in the build's own prefix, with its
# input closed (as in CI), so it never waits for a player at the keyboard.
# Usage: wine.sh <program.exe or a wine built-in such as cmd> [arguments...]
# The prefix is $WINEPREFIX, or wineprefix beside the program.
set -euo pipefail
wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
  echo "ERROR: $wine not found; install the wine64 package (scripts/install-dependencies.sh)" >&2
  exit 1
fi
program=$1; shift
[ -e "$program" ] && program=$(realpath "$program")
export WINEPREFIX=${WINEPREFIX:-$(dirname "$(realpath "$program")")/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
exec timeout 300 "$wine" "$program" "$@" </dev/null

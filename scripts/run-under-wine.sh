#!/usr/bin/env bash
# Runs the end-to-end driver under wine64 in a prefix inside the build folder.
# Fails loudly when wine cannot start: a skipped end-to-end run is no pass.
# Usage: run-under-wine.sh <end_to_end_driver.exe> <Pellimore.asi>
set -euo pipefail
driver=$1
module=$2
build_dir=$(cd "$(dirname "$driver")" && pwd)
wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
  echo "ERROR: $wine not found; install the wine64 package (scripts/install-dependencies.sh)" >&2
  exit 1
fi

export WINEPREFIX="$build_dir/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
scratch="$build_dir/end-to-end-scratch"
rm -rf "$scratch" && mkdir -p "$scratch"

to_windows_path() { local path; path=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); echo "Z:${path//\//\\}"; }

if ! timeout 300 "$wine" cmd /c exit 0 >/dev/null 2>&1; then
  echo "ERROR: wine64 could not start a program in $WINEPREFIX; the end-to-end tests did not run" >&2
  exit 1
fi
# The stand-in ScriptHookRDR2.dll lies beside the driver, where Windows looks first.
timeout 300 "$wine" "$(to_windows_path "$driver")" "$(to_windows_path "$module")" "$(to_windows_path "$scratch")"

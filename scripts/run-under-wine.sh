#!/usr/bin/env bash
# Runs the end-to-end driver under wine64, in the test run's wine session
# (scripts/wine.sh), with a fresh scratch folder. Fails loudly when wine cannot
# start: a skipped end-to-end run is no pass.
# Usage: run-under-wine.sh <end_to_end_driver.exe> <Pellimore.asi>
set -euo pipefail
driver=$1
module=$2
build_dir=$(cd "$(dirname "$driver")" && pwd)
scratch="$build_dir/end-to-end-scratch"
rm -rf "$scratch" && mkdir -p "$scratch"

to_windows_path() { local path; path=$(cd "$(dirname "$1")" && pwd)/$(basename "$1"); echo "Z:${path//\//\\}"; }

# The stand-in ScriptHookRDR2.dll lies beside the driver, where Windows looks first.
WINEPREFIX="$build_dir/wineprefix" bash "$(dirname "$0")/wine.sh" \
  "$driver" "$(to_windows_path "$module")" "$(to_windows_path "$scratch")"

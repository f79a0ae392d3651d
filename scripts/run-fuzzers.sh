#!/usr/bin/env bash
# Runs each fuzz target for a while from its seed corpus (kept in fuzz/corpus,
# which is not modified) and reports executions. Exits non-zero on any finding;
# the crashing input is left in build/fuzz/artifacts.
# Usage: run-fuzzers.sh [SECONDS per target, default 30]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=build/fuzz/fuzz
mkdir -p build/fuzz/artifacts
status=0
for target in classify_line settings_file hotkey_load decimal_conversion; do
  binary=$build/fuzz_$target
  [ -x "$binary" ] || { echo "FAIL: $binary not built (cmake --preset fuzz && cmake --build --preset fuzz)"; exit 1; }
  work=$(mktemp -d)
  log=build/fuzz/fuzz_$target.log
  "$binary" "$work" "fuzz/corpus/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/$target- >"$log" 2>&1
  result=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  rm -rf "$work"
  if [ $result -eq 0 ]; then
    echo "fuzz_$target: ${executions:-?} executions in ${seconds}s, $coverage, no finding"
  else
    echo "FAIL: fuzz_$target found a problem (exit $result); see $log"
    grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -5
    status=1
  fi
done
exit $status

#!/usr/bin/env bash
# Runs each fuzz target of fuzz/targets.txt for a while from its seed folders
# (which are not modified) and reports executions, executions per second and
# coverage. Exits non-zero on any finding; the crashing input is left in
# build/fuzz/artifacts.
# Usage: run-fuzzers.sh [SECONDS per target, default 30]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=build/fuzz/fuzz
mkdir -p build/fuzz/artifacts
status=0
total=0
while read -r target seeds; do
  binary=$build/fuzz_$target
  [ -x "$binary" ] || { echo "FAIL: $binary not built (cmake --workflow --preset fuzz)"; exit 1; }
  work=$(mktemp -d)
  log=build/fuzz/fuzz_$target.log
  # shellcheck disable=SC2086 # the seed folders are separate words
  "$binary" "$work" $seeds -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/$target- >"$log" 2>&1
  result=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  rm -rf "$work"
  if [ $result -eq 0 ]; then
    total=$((total + ${executions:-0}))
    echo "fuzz_$target: ${executions:-?} executions in ${seconds}s ($(( ${executions:-0} / seconds ))/s), $coverage, no finding"
  else
    echo "FAIL: fuzz_$target found a problem (exit $result); see $log"
    grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -5
    status=1
  fi
done < <(grep '^[a-z]' fuzz/targets.txt)
echo "fuzzing: $total executions in all"
exit $status

#!/usr/bin/env bash
# Runs each fuzz target of fuzz/targets.txt for a while from its seed folders
# (which are not modified) and reports executions, executions per second and
# coverage. Targets run side by side, one a core, so the stage takes the time
# of a few targets, not of all. Exits non-zero on any finding; the crashing
# input is left in build/fuzz/artifacts.
# Usage: run-fuzzers.sh [SECONDS per target, default 30]
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=build/fuzz/fuzz
mkdir -p build/fuzz/artifacts
cores=$(nproc 2>/dev/null || echo 1)

# fuzz_one TARGET SEEDS...: one target's run; its report goes to build/fuzz/fuzz_TARGET.result.
fuzz_one() {
  local target=$1; shift
  local binary=$build/fuzz_$target log=build/fuzz/fuzz_$target.log result=build/fuzz/fuzz_$target.result
  if [ ! -x "$binary" ]; then echo "FAIL: $binary not built (cmake --workflow --preset fuzz)" >"$result"; return; fi
  local work; work=$(mktemp -d)
  "$binary" "$work" "$@" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=8192 -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/$target- >"$log" 2>&1
  local status=$?
  rm -rf "$work"
  local executions coverage
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  if [ $status -eq 0 ]; then
    echo "fuzz_$target: ${executions:-?} executions in ${seconds}s ($(( ${executions:-0} / seconds ))/s), $coverage, no finding" >"$result"
  else
    { echo "FAIL: fuzz_$target found a problem (exit $status); see $log"
      grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -5; } >"$result"
  fi
}

targets=()
while read -r target seeds; do
  targets+=("$target")
  # shellcheck disable=SC2086 # the seed folders are separate words
  fuzz_one "$target" $seeds &
  while [ "$(jobs -rp | wc -l)" -ge "$cores" ]; do wait -n; done
done < <(grep '^[a-z]' fuzz/targets.txt)
wait

status=0; total=0
for target in "${targets[@]}"; do
  result=build/fuzz/fuzz_$target.result
  cat "$result"
  if grep -q '^FAIL' "$result"; then status=1; continue; fi
  total=$((total + $(sed -n 's/.*: \([0-9]*\) executions.*/\1/p' "$result" | head -1)))
done
echo "fuzzing: $total executions in all"
exit $status

#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them. Every figure is printed as a
# ratio against a baseline measured in the same run. The reader comparison is
# run a second time with glibc's heap trimming off, which shows how much of
# its cost is the kernel handing back freshly trimmed pages on every parse.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
cmake --workflow --preset bench >/dev/null
bench=build/bench/benchmarks/pellimore_benchmarks

echo "=== all benchmarks, default allocator settings"
"$bench" --benchmark_color=false "$@"

echo
echo "=== reader benchmarks again, glibc heap trimming and mmap threshold off"
MALLOC_TRIM_THRESHOLD_=1000000000 MALLOC_MMAP_THRESHOLD_=1000000000 \
  "$bench" --benchmark_color=false --benchmark_filter='Reader|SimpleIni|Inih' "$@" 2>&1 | sed -n '/^Ratios/,$p'

# Wall and CPU times on this machine move by a third from run to run;
# instruction counts do not. callgrind counts the user-space instructions of
# one idle tick against one call of the I/O floor (the kernel's share of the
# file I/O, the same for both, is not counted).
if command -v valgrind >/dev/null; then
  echo
  echo "=== instructions per call (callgrind), idle tick against its I/O floor"
  out=$(mktemp)
  valgrind --tool=callgrind --compress-strings=no --callgrind-out-file="$out" \
    "$bench" --benchmark_filter='^IdleTick(IoFloor)?$' --benchmark_min_time=0.02 >/dev/null 2>&1
  awk '
    /^cfn=/ { callee = $0; sub(/^cfn=(\([0-9]+\) )?/, "", callee); next }
    /^calls=/ { split($0, parts, /[= ]/); pending = parts[2]; counting = 1; next }
    counting { cost[callee] += $2; calls[callee] += pending; counting = 0 }
    END {
      for (name in calls) {
        if (name ~ /^runScriptTick/) tick = cost[name] / calls[name]
        if (name ~ /^\(anonymous namespace\)::readSettingsFileOnly/) floor = cost[name] / calls[name]
      }
      if (tick && floor) printf "idle tick %d instructions, I/O floor %d: %.2fx\n", tick, floor, tick / floor
    }' "$out"
  rm -f "$out"
fi

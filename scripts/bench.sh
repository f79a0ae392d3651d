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

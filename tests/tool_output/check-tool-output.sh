#!/usr/bin/env bash
# Runs `pellimore check` on every sample settings file and `pellimore sim` on
# every sample scenario here, and diffs the output and exit status against
# the .expected file beside each. PELLIMORE_UPDATE_BASELINES=1 rewrites them.
set -uo pipefail
tool=$(realpath "$1")
[ -x "$tool" ] || { echo "FAIL: $1 is not an executable"; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)
failures=0
cases=0

compare() {
  local expected_file=$1 actual=$2
  cases=$((cases + 1))
  if [ -n "${PELLIMORE_UPDATE_BASELINES:-}" ]; then
    printf '%s\n' "$actual" > "$expected_file"
  fi
  if ! diff -u "$expected_file" <(printf '%s\n' "$actual"); then
    echo "FAIL: output differs from $expected_file"
    failures=$((failures + 1))
  fi
}

cd "$here/check"
for sample in *.ini; do
  output=$("$tool" check "$sample" 2>&1); status=$?
  compare "${sample%.ini}.expected" "$output
exit $status"
done
# The sample shipped to players, where it lives.
output=$(cd "$here/../../package" && "$tool" check Pellimore.ini 2>&1); status=$?
compare "shipped_sample.expected" "$output
exit $status"
# A path that does not exist, and a directory.
output=$("$tool" check no-such-file.ini 2>&1); status=$?
compare "missing_file.expected" "$output
exit $status"
output=$("$tool" check . 2>&1); status=$?
compare "directory.expected" "$output
exit $status"
# Usage errors.
output=$("$tool" check a.ini b.ini 2>&1); status=$?
compare "two_paths.expected" "$output
exit $status"

cd "$here/sim"
for scenario in *.scenario; do
  options=()
  [[ $scenario == *.trace.scenario ]] && options=(--trace)
  output=$("$tool" sim "${options[@]}" "$scenario" 2>&1); status=$?
  compare "${scenario%.scenario}.expected" "$output
exit $status"
done

echo "$((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

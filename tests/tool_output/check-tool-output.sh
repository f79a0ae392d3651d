#!/usr/bin/env bash
# Runs `pellimore check` on every sample settings file and `pellimore sim` on
# every sample scenario here, and diffs the output and exit status against
# the .expected file beside each. PELLIMORE_UPDATE_BASELINES=1 rewrites them.
# Usage: check-tool-output.sh <pellimore> [runner...]   (runner: scripts/wine.sh
# for pellimore.exe; Windows line ends are folded to the same baselines)
set -uo pipefail
tool=$(realpath "$1"); shift
runner=("$@")
[ -f "$tool" ] || { echo "FAIL: $tool does not exist"; exit 1; }
run() { "${runner[@]}" "$tool" "$@" 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
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
  output=$(run check "$sample"); status=$?
  compare "${sample%.ini}.expected" "$output
exit $status"
done
# The sample shipped to players, where it lives.
output=$(cd "$here/../../package" && run check Pellimore.ini); status=$?
compare "shipped_sample.expected" "$output
exit $status"
# A path that does not exist, and a directory.
output=$(run check no-such-file.ini); status=$?
compare "missing_file.expected" "$output
exit $status"
output=$(run check .); status=$?
compare "directory.expected" "$output
exit $status"
# Usage errors.
output=$(run check a.ini b.ini); status=$?
compare "two_paths.expected" "$output
exit $status"

cd "$here/sim"
for scenario in *.scenario; do
  options=()
  [[ $scenario == *.trace.scenario ]] && options=(--trace)
  output=$(run sim "${options[@]}" "$scenario"); status=$?
  compare "${scenario%.scenario}.expected" "$output
exit $status"
done

echo "$((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]

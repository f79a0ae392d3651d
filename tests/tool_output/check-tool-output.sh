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
source "$here/../baseline_compare.sh"

# The modders' table is pinned once, in modders_table.expected (a file that
# shows every state a binding can be in); elsewhere only the findings, the
# load's stop and the verdict are, so a change to the table rewrites one file.
findings_only() { sed '/^Details for modders/,/^  (GrappleChallengeFront/d' | cat -s; }
run_check() { run check "$@" | findings_only; return "${PIPESTATUS[0]}"; }

cd "$here/check"
output=$(run check modders_table.ini); status=$?
compare_with_baseline "modders_table.expected" "$output
exit $status"
for sample in *.ini; do
  [ "$sample" = modders_table.ini ] && continue
  output=$(run_check "$sample"); status=$?
  compare_with_baseline "${sample%.ini}.expected" "$output
exit $status"
done
# The sample shipped to players, where it lives.
output=$(cd "$here/../../package" && run_check Pellimore.ini); status=$?
compare_with_baseline "shipped_sample.expected" "$output
exit $status"
# The player's readme dropped onto the tool: some other file, told in one sentence.
output=$(cd "$here/../../package" && run check README.txt); status=$?
compare_with_baseline "readme_dropped.expected" "$output
exit $status"
# A path that does not exist, and a directory.
output=$(run check no-such-file.ini); status=$?
compare_with_baseline "missing_file.expected" "$output
exit $status"
output=$(run check .); status=$?
compare_with_baseline "directory.expected" "$output
exit $status"
# Usage errors.
output=$(run check a.ini b.ini); status=$?
compare_with_baseline "two_paths.expected" "$output
exit $status"

cd "$here/sim"
for scenario in *.scenario; do
  options=()
  [[ $scenario == *.trace.scenario ]] && options=(--trace)
  output=$(run sim "${options[@]}" "$scenario"); status=$?
  compare_with_baseline "${scenario%.scenario}.expected" "$output
exit $status"
done

finish_comparisons

#!/usr/bin/env bash
# Every check and doctor baseline (what the tools print when a player
# double-clicks them or drops a file) keeps the console budget.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/output_budget.sh"
passed=0; failed=0
for baseline in "$here"/tool_output/check/*.expected "$here"/doctor/*.expected; do
  if within_budget "$(basename "$baseline")" "$(cat "$baseline")"; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

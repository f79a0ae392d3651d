# Sourced by the shell tests that diff a tool's output against checked-in
# baselines: one comparison and one closing count for all of them.
# PELLIMORE_UPDATE_BASELINES=1 rewrites each baseline with what was seen.
cases=0
failures=0

# compare_with_baseline EXPECTED_FILE ACTUAL_TEXT [WHAT]: diff, count, and say which case failed.
compare_with_baseline() {
  local expected_file=$1 actual=$2 what=${3:-output}
  cases=$((cases + 1))
  [ -n "${PELLIMORE_UPDATE_BASELINES:-}" ] && printf '%s\n' "$actual" >"$expected_file"
  if ! diff -u "$expected_file" <(printf '%s\n' "$actual"); then
    echo "FAIL: $what differs from $expected_file"
    failures=$((failures + 1))
  fi
}

# finish_comparisons: the closing line, and the script's status.
finish_comparisons() {
  echo "$((cases - failures)) passed, $failures failed"
  [ "$failures" -eq 0 ]
}

#!/usr/bin/env bash
# Compiles each file of a folder of cases that must not compile and passes when every one
# fails with the message its "// expect:" line names, so an unrelated error
# (a typo, a missing header) cannot pass for the check that should have fired.
# Where compilers word it differently, one "// expect:" line each: any matches
# (in the C locale, so quotes are plain).
# Usage: expect-compile-error.sh <C++ compiler> <folder of cases> <include folder>...
set -uo pipefail
compiler=$1; cases=$2; shift 2
includes=()
for folder in "$@"; do includes+=(-I "$folder"); done
failed=0; passed=0
for source in "$cases"/*.cpp; do
  expected=$(sed -n 's|^// expect: ||p' "$source")
  if [ -z "$expected" ]; then echo "FAIL: $(basename "$source") has no '// expect:' line"; failed=$((failed + 1)); continue; fi
  if output=$(LC_ALL=C "$compiler" -std=c++20 -fsyntax-only "${includes[@]}" "$source" 2>&1); then
    echo "FAIL: $(basename "$source") compiled, but must not"; failed=$((failed + 1))
  elif ! grep -qF "$expected" <<<"$output"; then
    echo "FAIL: $(basename "$source") did not compile, but not for the reason expected ($expected):"
    head -n 15 <<<"$output"; failed=$((failed + 1))
  else
    echo "ok: $(basename "$source"): ${expected%%$'\n'*}"; passed=$((passed + 1))
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]

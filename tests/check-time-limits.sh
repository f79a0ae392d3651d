#!/usr/bin/env bash
# Every test of a build has a time limit of its own (ctest's TIMEOUT), so a
# fault that hangs one fails that test instead of stalling the whole run.
# Usage: check-time-limits.sh <build folder>
set -uo pipefail
ctest --test-dir "$1" --show-only=json-v1 | node -e '
  let text = "";
  process.stdin.on("data", (chunk) => { text += chunk; });
  process.stdin.on("end", () => {
    const tests = JSON.parse(text).tests;
    const without = tests.filter((test) => !(test.properties || []).some((p) => p.name === "TIMEOUT" && p.value > 0));
    for (const test of without) console.log(`FAIL: ${test.name} has no time limit of its own`);
    console.log(`${tests.length - without.length} passed, ${without.length} failed`);
    process.exit(without.length === 0 && tests.length > 0 ? 0 : 1);
  });'

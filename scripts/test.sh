#!/usr/bin/env bash
# Installs what is missing, builds every configuration and runs every test.
# Usage: scripts/test.sh [stage ...]   (stages: native windows browser sanitize thread fuzz; default all)
set -euo pipefail
cd "$(dirname "$0")/.."

stages=("$@")
[ ${#stages[@]} -eq 0 ] && stages=(native windows browser sanitize thread fuzz)

bash scripts/install-dependencies.sh

for stage in "${stages[@]}"; do
  started=$SECONDS
  case "$stage" in
    native|sanitize|thread|windows)
      echo "=== $stage: configure, build and test"
      cmake --workflow --preset "$stage"
      ;;
    browser)
      echo "=== browser: the settings editor page in headless Chromium"
      bash scripts/test-browser.sh
      ;;
    fuzz)
      echo "=== fuzz: configure and build"
      cmake --workflow --preset fuzz
      echo "=== fuzz: each target from its seed corpus"
      bash scripts/run-fuzzers.sh "${PELLIMORE_FUZZ_SECONDS:-15}"
      ;;
    *)
      echo "error: unknown stage '$stage' (native windows browser sanitize thread fuzz)" >&2
      exit 2
      ;;
  esac
  echo "=== $stage took $((SECONDS - started)) s"
done
echo "=== all stages passed: ${stages[*]}"
echo "stages: ${#stages[@]} passed, 0 failed"

#!/usr/bin/env bash
# Replays the planted-fault campaign: each patch here plants one fault that the
# test suite once let through. In a scratch copy of the committed sources, each
# is applied alone, the stage it concerns is built, and the test it names must
# then fail (or, for "build", the build itself). A fault that passes is reported
# as SURVIVED and fails the replay.
# Usage: tests/planted_faults/replay.sh [PATCH ...]   (default: every *.patch here)
# The package stage checks the archive of build/windows (cmake --workflow --preset windows).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source=$(cd "$here/../.." && pwd)
patches=("$@")
[ ${#patches[@]} -eq 0 ] && patches=("$here"/*.patch)
copy=$(mktemp -d)/pellimore
trap 'git -C "$source" worktree remove --force "$copy" >/dev/null 2>&1' EXIT
git -C "$source" worktree add -q --detach "$copy" HEAD
cd "$copy"
caught=0; survived=0

# run_stage STAGE EXPECT: 0 when the named test (or build) failed, as it must with the fault planted.
run_stage() {
  local stage=$1 expect=$2
  case "$stage" in
    native)
      [ -d build/native ] || cmake --preset native >/dev/null
      if ! cmake --build --preset native >/dev/null 2>&1; then echo "  the build fails"; return 0; fi
      [ "$expect" = build ] && return 1
      ! ctest --test-dir build/native -R "$expect" >/dev/null 2>&1 ;;
    windows)
      [ -d build/windows ] || cmake --preset windows >/dev/null
      if ! cmake --build --preset windows >/dev/null 2>&1; then echo "  the build fails"; return 0; fi
      ! ctest --test-dir build/windows -R "$expect" >/dev/null 2>&1 ;;
    browser)
      if ! cmake --workflow --preset editor >/dev/null 2>&1; then echo "  the page does not build"; return 0; fi
      cmake --preset native >/dev/null && cmake --build --preset native --target pellimore >/dev/null
      [ -d tests/browser/node_modules ] || (cd tests/browser && npm ci --no-audit --no-fund --silent)
      ! PELLIMORE_EDITOR=$PWD/build/editor/Pellimore-editor.html PELLIMORE_TOOL=$PWD/build/native/tools/pellimore \
        PELLIMORE_OUTPUT=$(mktemp -d) node --test --test-name-pattern="$expect" tests/browser/ >/dev/null 2>&1 ;;
    package)
      ! bash tests/check-package-catches.sh "$source/build/windows/Pellimore-1.0.0.zip" tests/scenarios >/dev/null 2>&1 ;;
    *) echo "  unknown stage $stage"; return 1 ;;
  esac
}

for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  stage=$(sed -n 's/^Stage: //p' "$patch"); expect=$(sed -n 's/^Expect failure: //p' "$patch")
  git checkout -q . && git apply "$patch" || { echo "SURVIVED: $name (the patch no longer applies)"; survived=$((survived + 1)); continue; }
  if run_stage "$stage" "$expect"; then
    echo "caught: $name, by $expect ($stage)"; caught=$((caught + 1))
  else
    echo "SURVIVED: $name: $(sed -n 's/^Planted fault: //p' "$patch")"; survived=$((survived + 1))
  fi
  git checkout -q .
done
echo "$caught passed, $survived failed"
[ "$survived" -eq 0 ]

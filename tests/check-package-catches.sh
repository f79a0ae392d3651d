#!/usr/bin/env bash
# The archive check itself is tested: from the good archive it makes broken
# ones, as a slip in the release build would leave them, and each must fail
# the check. The good one must pass, so a check that fails everything is caught too.
# Usage: check-package-catches.sh <archive> <scenario examples folder>
set -uo pipefail
archive=$(realpath "$1"); scenarios=$(realpath "$2")
check=$(dirname "$(realpath "$0")")/../scripts/check-package.sh
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
passed=0; failed=0

# broken NAME EDIT: unpacks the archive, runs EDIT in it, packs it again and expects the check to fail.
broken() {
  local name=$1 edit=$2 folder=$work/$1/files
  # The broken archive keeps the good one's name: the check reads the version from it.
  local broken_archive=$work/$1/$(basename "$archive")
  mkdir -p "$folder" && unzip -q "$archive" -d "$folder"
  (cd "$folder" && eval "$edit")
  (cd "$folder" && find . -type f | sed 's|^\./||' | sort | zip -q -X -D "$broken_archive" -@)
  if bash "$check" "$broken_archive" "$scenarios" >/dev/null 2>&1; then
    echo "FAIL: the archive check passes an archive with $name"; failed=$((failed + 1))
  else
    echo "ok: the archive check refuses an archive with $name"; passed=$((passed + 1))
  fi
}

if bash "$check" "$archive" "$scenarios" >/dev/null 2>&1; then passed=$((passed + 1)); else
  echo "FAIL: the archive check refuses the good archive"; failed=$((failed + 1)); fi
broken "sums of the root files only" 'grep -v "Pellimore-tools/" SHA256SUMS.txt >s && mv s SHA256SUMS.txt'
broken "a file changed after its sum was taken" 'printf "x" >>Pellimore-tools/doctor.cmd'
broken "a file the sums do not list" 'printf "x" >Pellimore-tools/extra.txt'
broken "a readme with Unix line ends" 'tr -d "\r" <README.txt >r && mv r README.txt'
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]

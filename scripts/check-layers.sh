#!/usr/bin/env bash
# Fails when an include breaks the one-way direction of the layers, or a C++
# file strays from .clang-format.
#   src/:   host at the bottom, settings above it, brawl on top. Only the module
#           entry, which wires the host to the script loop, reaches above its folder.
#   tools/: common at the bottom; check and sim above it; doctor above check.
#           The command line and main, which wire the commands, use them all.
#   editor/: the page uses the checker and what it shares, never sim or the doctor.
# The build's libraries keep the same direction at link time; this catches an
# include before anything is built, and the format besides.
# Usage: check-layers.sh <project folder>
set -euo pipefail
cd "$1"
status=0

# check_folder ROOT INCLUDE_PREFIX LAYER ALLOWED...: every include of PREFIX<folder>/ names an allowed folder.
check_folder() {
  local root=$1 prefix=$2 layer=$3; shift 3
  local allowed=" $* " file line folder
  for file in "$root/$layer"/*; do
    [ "$file" = src/host/module_entry.cpp ] && continue
    while IFS=: read -r line folder; do
      if [[ "$allowed" != *" $folder "* ]]; then
        echo "FAIL: $file:$line includes from $folder/, above $layer/ (allowed:$allowed)"
        status=1
      fi
    done < <(grep -n -o "^#include \"$prefix[a-z_]*/" "$file" | sed "s|#include \"$prefix\\(.*\\)/\$|\\1|")
  done
}
check_folder src "" host host
check_folder src "" settings settings
check_folder src "" brawl host settings brawl
check_folder tools/pellimore pellimore/ common common
check_folder tools/pellimore pellimore/ check common check
check_folder tools/pellimore pellimore/ sim common sim
check_folder tools/pellimore pellimore/ doctor common check doctor
check_folder . pellimore/ editor common check
[ $status -eq 0 ] && echo "layers ok: host <- settings <- brawl; common <- check <- doctor, common <- sim; check <- editor"

if ! command -v clang-format >/dev/null; then
  echo "FAIL: clang-format is missing, so the format cannot be checked (scripts/install-dependencies.sh installs it)"
  status=1
else
  if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>/tmp/pellimore-format.$$; then
    head -n 20 /tmp/pellimore-format.$$
    echo "FAIL: these files stray from .clang-format; run: clang-format -i \$(git ls-files '*.cpp' '*.h')"
    status=1
  else
    echo "format ok"
  fi
  rm -f /tmp/pellimore-format.$$
fi
exit $status

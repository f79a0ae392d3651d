#!/usr/bin/env bash
# Fails when an include in src/ breaks the one-way direction of the layers:
# host at the bottom, settings above it, brawl on top. Only the module entry,
# which wires the host to the script loop, may reach above its own folder.
# Usage: check-layers.sh <src folder>
set -euo pipefail
cd "$1"
declare -A allowed=(
  [host]="host"
  [settings]="host settings"
  [brawl]="host settings brawl"
)
status=0
for layer in host settings brawl; do
  for file in "$layer"/*; do
    [ "$file" = host/module_entry.cpp ] && continue
    while IFS=: read -r line folder; do
      if [[ " ${allowed[$layer]} " != *" $folder "* ]]; then
        echo "FAIL: $file:$line includes from $folder/, above $layer/ (allowed: ${allowed[$layer]})"
        status=1
      fi
    done < <(grep -n -o '^#include "[a-z_]*/' "$file" | sed 's/#include "\(.*\)\/$/\1/')
  done
done
[ $status -eq 0 ] && echo "layers ok: host <- settings <- brawl, module entry above all"
exit $status

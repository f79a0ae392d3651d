#!/usr/bin/env bash
# Builds the tools and runs the built-in simulator scenario: the default keys,
# then a settings file written mid-run that moves a key.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-dependencies.sh
cmake --preset native >/dev/null
cmake --build --preset native --target pellimore >/dev/null
exec build/native/tools/pellimore sim "$@"

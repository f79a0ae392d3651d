#!/usr/bin/env bash
# The settings editor page in a real browser: builds the page and the native
# tool, installs playwright-core from npm (pinned in tests/browser), and runs
# the browser tests in Debian's headless Chromium. The screenshot it takes of
# the page is left in build/editor/editor-screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --workflow --preset editor >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native --target pellimore >/dev/null
(cd tests/browser && npm ci --no-audit --no-fund --silent)
PELLIMORE_EDITOR=$PWD/build/editor/Pellimore-editor.html \
PELLIMORE_TOOL=$PWD/build/native/tools/pellimore \
PELLIMORE_OUTPUT=$PWD/build/editor \
  node --test tests/browser/

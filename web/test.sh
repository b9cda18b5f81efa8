#!/usr/bin/env bash
# Builds the web page and runs its tests in headless Chromium (Debian's), with
# the headless tool as the judge of paths and moves.
set -euo pipefail
cd "$(dirname "$0")/.."

./web.sh --no-serve
# The tool the tests compare with: built with the desktop game, or on its own.
if [ ! -x build/vandrel-cli ]; then
  scripts/ensure-packages.sh
  [ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build --target vandrel-cli -j2
fi
cd web
exec node --test --test-reporter=tap tests/

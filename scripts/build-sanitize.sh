#!/usr/bin/env bash
# Configures (once) and builds the tests into build-sanitize/ under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build-sanitize/CMakeCache.txt ]; then
  # -O1 keeps the instrumented build and its runs quick while leaving stack
  # traces readable. The benchmarks are no test, so they are left out.
  cmake -S . -B build-sanitize -DVANDREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DVANDREL_BENCH=OFF >/dev/null
fi
cmake --build build-sanitize -j"$(nproc)"

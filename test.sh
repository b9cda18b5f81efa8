#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test headless; --sanitize
# does it all again in build-sanitize/ under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")"

sanitize=false
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=true ;;
    *) echo "usage: $0 [--sanitize]" >&2; exit 2 ;;
  esac
done

scripts/ensure-packages.sh
export QT_QPA_PLATFORM=offscreen

if ! $sanitize; then
  scripts/build.sh
  cd build
  ctest --output-on-failure -j"$(nproc)" --timeout 300
  exit
fi

scripts/build-sanitize.sh
# Any finding ends its test program with a report, and the test fails. Leaks
# are checked at every program's exit; those inside system libraries are
# suppressed by name.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$PWD/tests/support/lsan.supp"
cd build-sanitize
ctest --output-on-failure -j"$(nproc)" --timeout 900

#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) into build-fuzz/ and runs each for SECONDS seconds.
#
#   ./fuzz.sh [--without-asan] SECONDS [TARGET...]
#
# --without-asan builds and runs the targets with UBSan alone, in
# build-fuzz-fast/: for long campaigns (scripts/fuzz-campaign.sh), where
# AddressSanitizer's bookkeeping of allocations takes most of the time.
# TARGET is one of problem_text, records, moves, codes, play, saved_play; without any, every
# target runs, one after the other.
# Every target starts from a scratch copy of its seed corpus in fuzz/corpus/,
# so the repository stays as it is. Fails when any target reports a finding;
# the inputs that caused it are kept in build-fuzz/findings/<target>/.
set -euo pipefail
cd "$(dirname "$0")"

all_targets=(problem_text records moves codes play saved_play)
usage() {
  echo "usage: $0 [--without-asan] SECONDS [TARGET...]   (each target runs that many seconds; targets: ${all_targets[*]})" >&2
  exit 2
}
build=build-fuzz
sanitize=address,undefined
if [ "${1:-}" = --without-asan ]; then
  build=build-fuzz-fast
  sanitize=undefined
  shift
fi
seconds=${1:-}
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || usage
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
  [[ " ${all_targets[*]} " == *" $t "* ]] || { echo "$0: no fuzz target \"$t\"" >&2; usage; }
done

# The fuzzers are built with Debian's clang; its libFuzzer runtime comes in
# the libclang-rt package of the same major version, whichever that is.
scripts/ensure-packages.sh clang
clang_major=$(clang -dumpversion | cut -d. -f1)
scripts/ensure-packages.sh "libclang-rt-${clang_major}-dev"

# The compilers count only when the tree is first configured; the options every time.
CC=clang CXX=clang++ cmake -S . -B "$build" -DVANDREL_FUZZ=ON -DVANDREL_FUZZ_SANITIZE="$sanitize" \
  -DVANDREL_BENCH=OFF -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}"

# Scratch space in memory when there is some.
scratch_parent=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch_parent=/dev/shm
scratch=$(mktemp -d "$scratch_parent/vandrel-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# A code is at most 26 bytes ("255-18446744073709551615-h"); a little room
# beyond lets the fuzzer try longer junk. A play of 128 actions reaches every
# state; longer ones only slow the search.
declare -A max_len=([problem_text]=8192 [records]=8192 [moves]=4096 [codes]=40 [play]=256 [saved_play]=16384)
failed=()
summary=()
for t in "${targets[@]}"; do
  corpus="$scratch/corpus-$t"
  artifacts="$scratch/artifacts-$t"
  log="$scratch/$t.log"
  mkdir -p "$artifacts" "$scratch/tmp-$t"
  cp -r "fuzz/corpus/$t" "$corpus"
  echo "== fuzz_$t: $seconds s"
  status=0
  TMPDIR="$scratch/tmp-$t" "$build/fuzz/fuzz_$t" \
    -max_total_time="$seconds" -max_len="${max_len[$t]}" -timeout=20 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus" >"$log" 2>&1 || status=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  if [ "$status" -ne 0 ] || [ -n "$(ls -A "$artifacts")" ]; then
    failed+=("$t")
    keep="$build/findings/$t"
    mkdir -p "$keep"
    cp "$artifacts"/* "$keep"/ 2>/dev/null || true
    cp "$log" "$keep/fuzz.log"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|\*\*\* fuzz check failed)|runtime error' "$log" | head -n 20 || true
    echo "fuzz_$t: FINDING (exit $status); inputs and log in $keep/"
    echo "  replay one with: $build/fuzz/fuzz_$t $keep/<input>"
    summary+=("fuzz_$t: ${execs:-?} executions, FINDING")
  else
    summary+=("fuzz_$t: ${execs:-?} executions, no finding")
  fi
done

echo "== summary ($seconds s per target)"
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]}" >&2
  exit 1
fi

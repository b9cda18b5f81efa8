#!/usr/bin/env bash
# Runs one fuzz target for a number of executions from its committed corpus, then merges what it found back into fuzz/corpus/TARGET.
#
#   scripts/fuzz-campaign.sh [--without-asan] TARGET EXECUTIONS
#
# Builds the targets as ./fuzz.sh does (build-fuzz/), runs the target at the
# lowest priority (other work on the machine keeps its speed) until it has
# made EXECUTIONS executions, and prints libFuzzer's figures. The corpus it
# grew is minimised with -merge=1 into a fresh folder that starts from the
# named seeds (files whose names are not hashes), which then replaces
# fuzz/corpus/TARGET. Any finding stops the run; its input stays in
# build-fuzz/campaign/TARGET/.
#
# --without-asan runs the build with UBSan alone (build-fuzz-fast/, see
# fuzz.sh), 1.4 to 10 times as fast; the merged corpus is then replayed once in the full
# build, so that AddressSanitizer still sees every input that was kept.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzzer_build=build-fuzz
fuzz_options=()
if [ "${1:-}" = --without-asan ]; then
  fuzzer_build=build-fuzz-fast
  fuzz_options=(--without-asan)
  shift
fi

target=${1:-}
executions=${2:-}
if [ -z "$target" ] || ! [[ "$executions" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: $0 TARGET EXECUTIONS" >&2
  exit 2
fi
declare -A max_len=([problem_text]=8192 [records]=8192 [moves]=4096 [codes]=40 [play]=256 [saved_play]=16384)
[ -n "${max_len[$target]:-}" ] || { echo "$0: no fuzz target \"$target\"" >&2; exit 2; }

# Builds the target (and proves it starts); the full build merges and replays.
./fuzz.sh 1 "$target" >/dev/null
[ "$fuzzer_build" = build-fuzz ] || ./fuzz.sh "${fuzz_options[@]}" 1 "$target" >/dev/null
work="build-fuzz/campaign/$target"
rm -rf "$work"
mkdir -p "$work/grown" "$work/merged" "$work/artifacts"
cp -r "fuzz/corpus/$target/." "$work/grown/"

start=$(date +%s)
nice -n 19 "$fuzzer_build/fuzz/fuzz_$target" -runs="$executions" -max_len="${max_len[$target]}" -timeout=300 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/grown" >"$work/run.log" 2>&1 || {
  echo "$target: the run stopped on a finding; see $work/run.log and $work/artifacts/" >&2
  exit 1
}
seconds=$(( $(date +%s) - start ))
done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/run.log" | tail -n 1)
echo "$target: ${done_runs:-?} executions in $seconds s ($(( ${done_runs:-0} / (seconds > 0 ? seconds : 1) )) a second)"

# The named seeds first, then what the run found that adds coverage.
find "fuzz/corpus/$target" -type f -regextype posix-extended ! -regex '.*/[0-9a-f]{40}' -exec cp {} "$work/merged/" \;
"build-fuzz/fuzz/fuzz_$target" -merge=1 -max_len="${max_len[$target]}" "$work/merged" "$work/grown" >"$work/merge.log" 2>&1
rm -rf "fuzz/corpus/$target"
cp -r "$work/merged" "fuzz/corpus/$target"
echo "$target: corpus of $(ls "fuzz/corpus/$target" | wc -l) files after merging"
if [ "$fuzzer_build" != build-fuzz ]; then
  "build-fuzz/fuzz/fuzz_$target" -runs=0 -max_len="${max_len[$target]}" "fuzz/corpus/$target" >"$work/replay.log" 2>&1 || {
    echo "$target: an input of the merged corpus fails under AddressSanitizer; see $work/replay.log" >&2
    exit 1
  }
  echo "$target: the merged corpus replayed under AddressSanitizer without a finding"
fi

#!/usr/bin/env bash
# Builds the fuzzers with clang and runs each for a bounded time (default 60 s) from the
# corpus kept in the repository. Fails on any crash, hang, leak or sanitizer report.
#   fuzz/run.sh [seconds] [training_file|state_file|batch_options ...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
fuzzers=("$@")
[ ${#fuzzers[@]} -gt 0 ] || fuzzers=(training_file state_file batch_options)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DMNEMEX_GUI=OFF -DMNEMEX_FUZZ=ON \
  "-DMNEMEX_DEBUG_INFO=${MNEMEX_DEBUG_INFO:-full}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
for name in "${fuzzers[@]}"; do
  cmake --build build-fuzz --target "fuzz_$name"
  work=$(mktemp -d)
  cp "fuzz/corpus/$name"/* "$work"/
  # training_file, state_file: files up to 64 KiB, long enough for long tokens and many values.
  # batch_options: command lines up to 4 KiB, enough for every option several times.
  max_len=65536
  [ "$name" = batch_options ] && max_len=4096
  # A state file's reader keeps its network and a fixed amount more: far below this.
  rss_limit=2048
  [ "$name" = state_file ] && rss_limit=512
  echo "== fuzz_$name for $seconds s"
  # libFuzzer stops itself after the time given; the outer limit only catches a fuzzer that
  # does not (stuck outside an input, where -timeout does not reach).
  # Files a fuzzer writes for its inputs go to a folder of its own, removed after the run
  # (libFuzzer may end without running exit handlers).
  log="$work.log"
  scratch=$(mktemp -d)
  TMPDIR="$scratch" timeout $((seconds + 120)) build-fuzz/fuzz/"fuzz_$name" "$work" \
    -max_total_time="$seconds" -max_len=$max_len -timeout=5 -rss_limit_mb=$rss_limit \
    -print_final_stats=1 >"$log" 2>&1 || { tail -n 40 "$log"; rm -rf "$work" "$log" "$scratch"; exit 1; }
  rm -rf "$scratch"
  tail -n 15 "$log"
  echo "peak memory of fuzz_$name: $(sed -n 's/^stat::peak_rss_mb: *//p' "$log") MB"
  rm -f "$log"
  echo "corpus after the run: $(ls "$work" | wc -l) files"
  rm -rf "$work"
done

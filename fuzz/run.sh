#!/usr/bin/env bash
# Builds the training-file fuzzer with clang and runs it for a bounded time (default 60 s)
# from the corpus kept in the repository. Fails on any crash, hang, leak or sanitizer report.
#   fuzz/run.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DMNEMEX_GUI=OFF -DMNEMEX_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz --target fuzz_training_file
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp fuzz/corpus/training_file/* "$work"/
# Files up to 64 KiB: long enough for long tokens and many values, short enough for speed.
build-fuzz/fuzz/fuzz_training_file "$work" -max_total_time="$seconds" -max_len=65536 \
  -timeout=5 -rss_limit_mb=2048 -print_final_stats=1 2>&1 | tail -n 15
echo "corpus after the run: $(ls "$work" | wc -l) files"

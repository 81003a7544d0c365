#!/usr/bin/env bash
# ThreadSanitizer build of the Qt-free core in build-tsan/ (no desktop programs) and the core
# tests, which include networks large enough for the kernels' worker threads, and the tests
# of reading a chosen training file on a worker thread.
#   scripts/tsan.sh            configure, build core_tests and file_choice_tests, run them
# Any data race or lock-order problem fails the run (exit status non-zero), and so does a test
# program that runs longer than 20 minutes (a hang).
set -euo pipefail
cd "$(dirname "$0")/.."

build="build-tsan"
cmake -S . -B "$build" -G Ninja -DMNEMEX_TSAN=ON -DMNEMEX_GUI=OFF -DMNEMEX_WERROR=ON \
  "-DMNEMEX_DEBUG_INFO=${MNEMEX_DEBUG_INFO:-full}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" --target core_tests file_choice_tests

export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
# The thread checker's fixed memory layout clashes with the wide address randomisation of
# recent kernels ("unexpected memory mapping"); run without it where setarch can.
norandom=()
if setarch "$(uname -m)" -R true >/dev/null 2>&1; then
  norandom=(setarch "$(uname -m)" -R)
fi
for program in "$build/tests/core/core_tests" "$build/tests/file_choice/file_choice_tests"; do
  timeout 1200 "${norandom[@]}" "$program"
done

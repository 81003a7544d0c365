#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
# Galleries and benchmarks are built too, so they keep compiling. MNEMEX_WERROR=ON in the
# environment turns warnings into errors (CI does).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
extra=(-DMNEMEX_EXTRAS=ON "-DMNEMEX_WERROR=${MNEMEX_WERROR:-OFF}")
if [ "${1:-}" = "--sanitize" ]; then
  build=build-asan
  extra+=(-DMNEMEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja "${extra[@]}"
cmake --build "$build"

# The tests run with a fresh TMPDIR that must be empty again afterwards: every test cleans up
# after itself. Qt's runtime folder (normally given by the desktop session) gets its own.
scratch=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$scratch" "$runtime"' EXIT
TMPDIR=$scratch XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen \
  ctest --test-dir "$build" --output-on-failure -j2
if [ -n "$(ls -A "$scratch")" ]; then
  echo "The tests left files in TMPDIR:" >&2
  find "$scratch" -mindepth 1 -maxdepth 2 >&2
  exit 1
fi

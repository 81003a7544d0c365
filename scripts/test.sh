#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
# The normal run also builds the browser site and runs its tests (scripts/web-test.sh).
# The normal build also builds the screenshot programs and benchmarks, so they keep compiling;
# the sanitizer build leaves them out (they are no tests). MNEMEX_WERROR=ON in the environment
# turns warnings into errors (CI does). Each test has a time limit: 300 s, 900 s under the
# sanitizers (a test that sets its own limit keeps it).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build
extras=ON
timeout=300
sanitize=()
if [ "${1:-}" = "--sanitize" ]; then
  build="build-asan"
  extras=OFF
  timeout=900
  sanitize=(-DMNEMEX_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
extra=("-DMNEMEX_EXTRAS=$extras" "-DMNEMEX_WERROR=${MNEMEX_WERROR:-OFF}"
  "-DMNEMEX_DEBUG_INFO=${MNEMEX_DEBUG_INFO:-full}" "${sanitize[@]}")

scripts/install-deps.sh
cmake -S . -B "$build" -G Ninja "${extra[@]}"
cmake --build "$build"

# The tests run with a fresh TMPDIR that must be empty again afterwards: every test cleans up
# after itself. Qt's runtime folder (normally given by the desktop session) gets its own.
scratch=$(mktemp -d)
runtime=$(mktemp -d)
trap 'rm -rf "$scratch" "$runtime"' EXIT
TMPDIR=$scratch XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=offscreen \
  ctest --test-dir "$build" --output-on-failure -j2 --timeout "$timeout"
if [ -n "$(ls -A "$scratch")" ]; then
  echo "The tests left files in TMPDIR:" >&2
  find "$scratch" -mindepth 1 -maxdepth 2 >&2
  exit 1
fi

if [ "$build" = build ]; then
  scripts/web-test.sh
fi

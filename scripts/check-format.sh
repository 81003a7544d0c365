#!/usr/bin/env bash
# Fails when any C++ file of the repository differs from what clang-format (14, Debian) makes of it.
#   scripts/check-format.sh        check
#   scripts/check-format.sh --fix  reformat in place
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.inc')
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
  echo "formatting: ${#files[@]} files checked"
fi

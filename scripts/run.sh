#!/usr/bin/env bash
# Installs what is missing, builds Mnemex and starts it on the shipped examples.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build
cd examples
if [ -x ../build/app/Mnemex ]; then
  exec ../build/app/Mnemex "$@"
fi
# Without the desktop program, train on an example with the batch command.
exec ../build/cli/mnemex-batch letters.net --rule delta --rate 0.02 --epochs 100 --progress "$@"

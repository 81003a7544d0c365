#!/bin/sh
# Pictures of the "Look Inside The Memory" page and the "Compare Runs" view, taken under Xvfb.
#   scripts/inside-screenshots.sh [out] [build]
set -eu
out=${1:-docs/screenshots}
build=${2:-build}
mkdir -p "$out"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/inside_gallery" "$out"

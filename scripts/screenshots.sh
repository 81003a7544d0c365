#!/usr/bin/env bash
# Starts the programs under a virtual X server and saves pictures of their windows.
#   scripts/screenshots.sh [output folder] [build folder]
# Defaults: build/screenshots and build. Needs xvfb-run and ImageMagick's import.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/build/screenshots}"
build="${2:-$here/build}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

for tool in xvfb-run import; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done

# Runs one program on a fresh virtual screen of the given size and captures the screen
# once its window has had time to appear.
capture() {
  local name="$1" size="$2"
  shift 2
  echo "capturing $name"
  xvfb-run -a -s "-screen 0 ${size}x24" bash -c '
    "$@" &
    pid=$!
    sleep 3
    import -window root "'"$out/$name"'.png"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  ' capture "$@"
}

capture mnemex-start 1024x768 "$build/app/Mnemex"
if [ -x "$build/tests/framework/FrameGallery" ]; then
  capture frame-both-bars 1024x768 "$build/tests/framework/FrameGallery" both
  capture frame-width-only 1024x768 "$build/tests/framework/FrameGallery" width
  capture frame-controls 1024x768 "$build/tests/framework/FrameGallery" design
fi
if [ -x "$build/uninstaller/uninstall-Mnemex" ]; then
  capture uninstall-start 800x600 "$build/uninstaller/uninstall-Mnemex"
fi
ls -1 "$out"/*.png

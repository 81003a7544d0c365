#!/usr/bin/env bash
# Pictures of the six pages of Mnemex, each in a typical state, under a virtual X server.
#   scripts/main-pages-screenshots.sh [output folder] [build folder]
# Defaults: build/screenshots and build. Needs xvfb-run and ImageMagick's import.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/build/screenshots}"
build="${2:-$here/build}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
gallery="$build/tools/main_pages_gallery"
[ -x "$gallery" ] || { echo "missing: $gallery (build it first)" >&2; exit 1; }

for page in network1 distmem testdam probe save plot; do
  echo "capturing $page"
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" "$2" "$3" &
    pid=$!
    sleep 4
    import -window root "$4"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  ' capture "$gallery" "$page" "$here/examples" "$out/page-$page.png"
done
ls -1 "$out"/page-*.png

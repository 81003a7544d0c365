#!/usr/bin/env bash
# Screenshots of every uninstaller page in a real X server: xvfb-run + ImageMagick.
#   tools/uninstaller-screenshots.sh BUILD_DIR OUT_DIR
# The build needs -DMNEMEX_EXTRAS=ON (uninstaller_page_gallery); scripts/screenshots.sh runs this.
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
gallery="$build/tools/uninstaller_page_gallery"
[ -x "$gallery" ] || { echo "missing: $gallery (configure with -DMNEMEX_EXTRAS=ON and build it)" >&2; exit 1; }
# Each page on a fresh screen: its message boxes need a real one.
for page in start log-missing notfound gave-up; do
  xvfb-run -a -s "-screen 0 640x560x24" bash -c '
    "$1" "$2" &
    pid=$!
    sleep 3
    import -window root "$3"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  ' capture "$gallery" "$page" "$out/uninstaller-$page.png"
  echo "$out/uninstaller-$page.png"
done

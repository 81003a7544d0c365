#!/usr/bin/env bash
# Screenshots of every uninstaller page in a real X server: xvfb-run + ImageMagick.
#   tools/uninstaller-screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$(realpath "$1")
out=$(realpath -m "$2")
mkdir -p "$out"
gallery="$build/tools/uninstaller_page_gallery"
for page in start log-missing notfound gave-up; do
  xvfb-run -a -s "-screen 0 640x560x24" bash -c "
    '$gallery' $page & pid=\$!
    sleep 3
    import -window root '$out/uninstaller-$page.png'
    kill \$pid"
  echo "$out/uninstaller-$page.png"
done

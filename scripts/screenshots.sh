#!/usr/bin/env bash
# Pictures of both programs under a virtual X server:
#   - the typical road through Mnemex (road_gallery): introductory page empty and loaded,
#     setup page before and after training, hub, probe page with two blocks, report page
#     after a save, chart with 10 and with 2,000 rows;
#   - the printed probe text and chart (PDF files rendered to PNG with pdftoppm);
#   - the uninstaller's pages (uninstaller_page_gallery).
#   scripts/screenshots.sh [output folder] [build folder]
# Defaults: docs/screenshots and build. The build needs -DMNEMEX_EXTRAS=ON (the galleries).
# Needs xvfb-run, ImageMagick's import and poppler's pdftoppm.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$here/docs/screenshots}"
build="${2:-$here/build}"
mkdir -p "$out"
out="$(cd "$out" && pwd)"

for tool in xvfb-run import pdftoppm; do
  command -v "$tool" >/dev/null || { echo "missing: $tool" >&2; exit 1; }
done
road="$build/tools/road_gallery"
uninstaller="$build/tools/uninstaller_page_gallery"
for program in "$road" "$uninstaller"; do
  [ -x "$program" ] || { echo "missing: $program (configure with -DMNEMEX_EXTRAS=ON and build it)" >&2; exit 1; }
done

# The road: the gallery saves each page itself once it has drawn.
xvfb-run -a -s "-screen 0 1280x1024x24" "$road" "$out" "$here/examples"

# The printouts, first page of each, at a resolution that shows the lines clearly.
for pdf in road-print-probe road-print-chart; do
  pdftoppm -png -r 60 -singlefile "$out/$pdf.pdf" "$out/$pdf"
  rm -f "$out/$pdf.pdf"
  echo "$out/$pdf.png"
done

# The uninstaller's pages, each on a fresh screen (its message boxes need a real screen).
for page in start log-missing notfound gave-up; do
  xvfb-run -a -s "-screen 0 640x560x24" bash -c '
    "$1" "$2" &
    pid=$!
    sleep 3
    import -window root "$3"
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  ' capture "$uninstaller" "$page" "$out/uninstaller-$page.png"
  echo "$out/uninstaller-$page.png"
done

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

# The uninstaller's pages.
"$here/tools/uninstaller-screenshots.sh" "$build" "$out"

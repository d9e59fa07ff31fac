#!/usr/bin/env bash
# Takes the README's screenshots of a gallery: draws a few sample pictures, builds
# their gallery with the program's own build command and the shipped templates,
# and photographs the page (docs/gallery.png) and one view page (docs/view-page.png)
# in headless Chromium.
# Usage: docs/make_screenshots.sh [build folder, default out/dev]
# Needs ImageMagick, Chromium and Node.js.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/out/dev}
chromium=${TAVLO_CHROMIUM:-$(command -v chromium || command -v chromium-browser)}

cmake --build "$build" --target tavlo_sample_gallery >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample="$work/Vacanze"
"$root/tests/browser/draw_samples.sh" "$sample"
page=$("$build/bin/tavlo_sample_gallery" "$sample" 4)

node "$root/tests/browser/screenshot.mjs" "$chromium" "$page" "$root/docs/gallery.png" 900
node "$root/tests/browser/screenshot.mjs" "$chromium" "$sample/TRAMONTO.HTM" "$root/docs/view-page.png" 760 580
echo "$root/docs/gallery.png"
echo "$root/docs/view-page.png"

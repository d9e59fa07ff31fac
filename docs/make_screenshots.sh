#!/usr/bin/env bash
# Takes the README's screenshots of a gallery: draws a few sample pictures, builds
# their gallery with the program's own build command and the shipped templates,
# and photographs the page (docs/gallery.png), one view page of the gallery with thumbnails,
# its picture undistorted (docs/view-page.png), the
# page's viewer open on a picture (docs/viewer.png), the page on a phone (docs/phone.png), and
# the same pictures built with thumbnails, the film's and the song's cells showing their poster
# and cover (docs/films.png), in headless Chromium, driven by puppeteer-core from npm (the
# browser test's copy).
# Usage: docs/make_screenshots.sh [build folder, default out/dev]
# Needs ImageMagick, FFmpeg's program, Chromium, Node.js and npm.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/out/dev}
chromium=${TAVLO_CHROMIUM:-$(command -v chromium || command -v chromium-browser)}

cmake --build "$build" --target tavlo_sample_gallery >/dev/null
ctest --test-dir "$build" -R 'GalleryInBrowser.driver' >/dev/null  # installs puppeteer-core once
driver=$build/tests/browser/node
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sample="$work/Vacanze"
"$root/docs/draw_samples.sh" "$sample"
page=$("$build/bin/tavlo_sample_gallery" "$sample" 4)
"$root/docs/draw_samples.sh" "$work/Miniature"
light=$("$build/bin/tavlo_sample_gallery" "$work/Miniature" 4 0 thumbnails)

node "$root/docs/screenshot.mjs" "$driver" "$chromium" "$page" "$root/docs/gallery.png" 900
node "$root/docs/screenshot.mjs" "$driver" "$chromium" "$work/Miniature/TRAMONTO.HTM" "$root/docs/view-page.png" 760 580
node "$root/docs/screenshot.mjs" "$driver" "$chromium" "$page" "$root/docs/viewer.png" 960 600 'img[src$="faro.jpg" i]'
node "$root/docs/screenshot.mjs" "$driver" "$chromium" "$page" "$root/docs/phone.png" 390
node "$root/docs/screenshot.mjs" "$driver" "$chromium" "$light" "$root/docs/films.png" 900 470
echo "$root/docs/gallery.png"
echo "$root/docs/view-page.png"
echo "$root/docs/viewer.png"
echo "$root/docs/phone.png"
echo "$root/docs/films.png"

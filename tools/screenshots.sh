#!/usr/bin/env bash
# Writes a PNG of each tab page, the drop hint, the window during a run and
# its result list after it, the
# structure viewer and the about box into BUILD_DIR/screenshots, the same
# at 200% scaling into .../200 and the English window into .../en. Runs on Qt's offscreen platform with one
# 1600x1000 screen, so no display is needed and windows must fit that screen.
# Then the review pages in light and dark mode (tools/review_screenshots.sh).
set -euo pipefail

build="${1:-build}"
out="$build/screenshots"
mkdir -p "$out"
screen="$out/screen.json"
cat > "$screen" <<'JSON'
{ "screens": [ { "name": "screen", "x": 0, "y": 0, "width": 1600, "height": 1000,
                 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] }
JSON
export QT_QPA_PLATFORM="offscreen:configfile=$screen"
# Keep the developer's scaling settings out of the 100% pictures.
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

"$build/tarnwick-screenshots" "$out"
QT_SCALE_FACTOR=2 "$build/tarnwick-screenshots" "$out/200"
"$build/tarnwick-screenshots" "$out/en" EN

for png in "$out"/*.png "$out"/200/*.png "$out"/en/*.png; do
  echo "$png"
done
bash "$(dirname "$0")/review_screenshots.sh" "$build"

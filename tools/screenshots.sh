#!/usr/bin/env bash
# Writes a PNG of each tab page, the structure viewer and the about box into
# BUILD_DIR/screenshots, and the same at 200% scaling into .../200.
# Runs on Qt's offscreen platform, so no display is needed.
set -euo pipefail

build="${1:-build}"
out="$build/screenshots"
export QT_QPA_PLATFORM=offscreen
# Keep the developer's scaling settings out of the 100% pictures.
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR

"$build/tarnwick" --screenshots "$out"
QT_SCALE_FACTOR=2 "$build/tarnwick" --screenshots "$out/200"

for png in "$out"/*.png "$out"/200/*.png; do
  echo "$png"
done

#!/usr/bin/env bash
# Writes the review pages of the samples (the comparison summary, one
# comparison, one search) and a PNG of each in light and in dark mode into
# BUILD_DIR/screenshots/review, taken by headless Chromium.
# Usage: tools/review_screenshots.sh BUILD_DIR
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
cli="$build/tarnwick-cli"
out="$build/screenshots/review"
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "review screenshots skipped: no chromium (tools/install-deps.sh installs it)" >&2
  exit 0
fi

rm -rf "$out"
mkdir -p "$out/diff" "$out/search"
"$cli" diff --quiet --set MODE=FOLDER \
  --set "SRC_PATH1=$root/samples/v1" --set "SRC_FILE1=*.txt" \
  --set "SRC_PATH2=$root/samples/v2" --set "SRC_FILE2=*.txt" \
  --set "OUTPUT_PATH=$out/diff" --set OUTPUT_FILE=index.html \
  --set DIFF_ONLY=True --set PAGE_STYLE=REVIEW
"$cli" search --quiet \
  --set "SRC_PATH=$root/samples/v2" --set "SRC_FILE=*.txt" \
  --set SEARCH_STRING1=MESSAGE --set SEARCH_STRING2=COMMIT --set COND_AND=False \
  --set NO_CASE=True --set FOUND_ONLY=True \
  --set "OUTPUT_PATH=$out/search" --set OUTPUT_FILE=index.html --set PAGE_STYLE=REVIEW

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
shoot() {  # page, picture name, extra flags
  "$browser" --headless --no-sandbox --disable-gpu --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --window-size=1280,1000 \
    ${3:-} --screenshot="$out/$2.png" "file://$1" > /dev/null 2>&1
  echo "$out/$2.png"
}
for mode in light dark; do
  flags=$([ $mode = dark ] && echo --force-dark-mode || true)
  shoot "$out/diff/index.html" "summary-$mode" "$flags"
  shoot "$out/diff/ORDER_ENTRY.html" "comparison-$mode" "$flags"
  shoot "$out/search/ORDER_ENTRY.html" "search-$mode" "$flags"
done

#!/usr/bin/env bash
# The demo: compares the sample reports samples/v1 with samples/v2 and
# searches samples/v2, through tarnwick-cli, into BUILD_DIR/demo/, then
# prints the summary pages' paths.
# Usage: tools/demo.sh BUILD_DIR
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
cli="$build/tarnwick-cli"
demo="$build/demo"

rm -rf "$demo"
mkdir -p "$demo/diff" "$demo/search"

"$cli" diff --quiet \
  --set "MODE=FOLDER" \
  --set "SRC_PATH1=$root/samples/v1" --set "SRC_FILE1=*.txt" \
  --set "SRC_PATH2=$root/samples/v2" --set "SRC_FILE2=*.txt" \
  --set "OUTPUT_PATH=$demo/diff" --set "OUTPUT_FILE=index.html" \
  --set "DIFF_ONLY=True"
echo "$demo/diff/index.html"

# The search command arrives with the search run; skip it until then.
if "$cli" --help 2>&1 | grep -q 'tarnwick-cli search'; then
  "$cli" search --quiet \
    --set "SRC_PATH=$root/samples/v2" --set "SRC_FILE=*.txt" \
    --set "SEARCH_STRING1=MESSAGE" --set "SEARCH_STRING1_COND=CONTAIN" \
    --set "SEARCH_STRING2=COMMIT" --set "SEARCH_STRING2_COND=CONTAIN" \
    --set "COND_AND=False" --set "NO_CASE=True" --set "FOUND_ONLY=True" \
    --set "OUTPUT_PATH=$demo/search" --set "OUTPUT_FILE=index.html"
  echo "$demo/search/index.html"
fi

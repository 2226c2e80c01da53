#!/usr/bin/env bash
# Times a folder comparison with DIFF_ONLY on against GNU diff -r over the
# same two folders of generated reports, side by side, and prints the ratio.
# Usage: tools/bench_folder_diff.sh [BUILD_DIR]   (PAIRS, SIZE, EDITS, ROUNDS tune it)
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
pairs=${PAIRS:-200}
size=${SIZE:-1000000}
edits=${EDITS:-0.01}
rounds=${ROUNDS:-3}

work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/out"

echo "generating $pairs pairs of about $size bytes with $edits edits..." >&2
"$build/tarnwick-gen" folders --pairs "$pairs" --size "$size" --edits "$edits" "$work/v1" "$work/v2"

now() { date +%s.%N; }
best_diff=""
best_ours=""
for ((round = 1; round <= rounds; round++)); do
  start=$(now)
  diff -r "$work/v1" "$work/v2" > /dev/null || true
  t_diff=$(echo "$(now) - $start" | bc)

  start=$(now)
  "$build/tarnwick-cli" diff --quiet \
    --set "SRC_PATH1=$work/v1" --set "SRC_PATH2=$work/v2" \
    --set "SRC_FILE1=*" --set "SRC_FILE2=*" \
    --set "OUTPUT_PATH=$work/out" --set "OUTPUT_FILE=index.html" \
    --set "DIFF_ONLY=True" --set "MODE=FOLDER" 2> /dev/null
  t_ours=$(echo "$(now) - $start" | bc)

  printf 'round %d: diff -r %.3f s, tarnwick-cli diff %.3f s\n' "$round" "$t_diff" "$t_ours"
  if [[ -z $best_diff ]] || (($(echo "$t_diff < $best_diff" | bc))); then best_diff=$t_diff; fi
  if [[ -z $best_ours ]] || (($(echo "$t_ours < $best_ours" | bc))); then best_ours=$t_ours; fi
done

bytes=$(du -sb "$work/v1" "$work/v2" | awk '{ s += $1 } END { print s }')
printf 'best of %d: diff -r %.3f s, tarnwick-cli diff %.3f s, ratio %.2f, %.1f MB/s of reports\n' \
  "$rounds" "$best_diff" "$best_ours" "$(echo "$best_ours / $best_diff" | bc -l)" \
  "$(echo "$bytes / $best_ours / 1000000" | bc -l)"

#!/usr/bin/env bash
# Times StrDiff2 and GNU diff on the same generated 100,000-line text pairs
# (1% of the lines edited; plain and heavily repeated) and prints the ratio.
# Both sides are CPU time (medians), which a busy shared machine disturbs
# far less than wall time.
# Usage: tools/diff_ratio.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target tarnwick_bench > /dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Our medians; the run also writes the texts into $work.
TARNWICK_DIFF_TEXTS=$work "$build/tarnwick_bench" --benchmark_filter='BM_StrDiff' \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2> /dev/null > "$work/ours.csv"

median_ms() {  # median CPU time (user + system) of 11 runs of GNU diff on a pair
  local TIMEFORMAT='%3U %3S'
  for _ in $(seq 11); do
    { time diff "$1" "$2" > /dev/null || true; } 2>&1 | awk '{ print ($1 + $2) * 1000 }'
  done | sort -n | awk '{ t[NR] = $1 } END { printf "%.2f", t[6] }'
}

printf '%-12s %10s %10s %8s\n' texts StrDiff2 "GNU diff" ratio
for pair in plain:BM_StrDiffScatteredEdits repeated:BM_StrDiffHeavyRepetition; do
  name=${pair%%:*}
  bench=${pair#*:}
  ours=$(awk -F, -v b="\"$bench/100000_median\"" '$1 == b { printf "%.2f", $4 }' "$work/ours.csv")
  gnu=$(median_ms "$work/${name}_a.txt" "$work/${name}_b.txt")
  printf '%-12s %8s ms %7s ms %8s\n' "$name" "$ours" "$gnu" \
    "$(awk -v a="$ours" -v b="$gnu" 'BEGIN { printf "%.2f", a / b }')"
done

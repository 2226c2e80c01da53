#!/usr/bin/env bash
# Fails when a C++ source of the project does not match .clang-format.
# Usage: tools/check-format.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run --Werror "$f" > /dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
  printf 'not formatted: %s\n' "${bad[@]}" >&2
  echo "run tools/check-format.sh --fix" >&2
  exit 1
fi

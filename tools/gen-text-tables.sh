#!/usr/bin/env bash
# Regenerates text/cp932_table.inc and text/upper_case_table.inc from ICU.
# Only needed to regenerate those tables (the build never runs it); needs g++,
# pkg-config and libicu-dev.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
g++ -std=c++20 -O2 -Wall -Wextra -o "$work/gen_text_tables" \
  "$root/tools/tables/gen_text_tables.cpp" $(pkg-config --cflags --libs icu-uc)
"$work/gen_text_tables" "$root/text"
echo "wrote text/cp932_table.inc and text/upper_case_table.inc"

#!/usr/bin/env bash
# Builds the fuzz targets with Clang and libFuzzer in build-fuzz/, seeds them
# from samples/, tarnwick-gen and the kept inputs in fuzz/regressions/, and
# runs each for SECONDS, one after the other. Fails when any target finds an
# input that breaks it; the input is left in build-fuzz/findings/TARGET/.
# The corpus each target grows stays in build-fuzz/corpus/ for the next run.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
((${#targets[@]})) || targets=(parser forms_xml cp932 like_pattern settings str_diff form_diff ignore_rules)
build=build-fuzz

if [[ ! -f $build/CMakeCache.txt ]]; then
  cmake -S . -B $build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTARNWICK_FUZZ=ON > /dev/null
fi
nice ninja -C $build tarnwick-gen "${targets[@]/#/fuzz_}"

# Seeds are made afresh each time; only the corpora persist.
seeds=$build/seeds
rm -rf "$seeds"
gen=$build/tarnwick-gen
generated=$seeds/generated
mkdir -p "$generated"
for n in 1 2; do
  $gen report --size $((n * 6000)) --seed $n "$generated/report$n.txt"
  $gen mutate --edits 0.05 --seed $n "$generated/report$n.txt" "$generated/report$n-edited.txt"
done
$gen trigger --lines 60 --seed 3 "$generated/trigger1.txt" "$generated/trigger2.txt"
# English reports in each encoding they come in.
$gen report --language en --size 6000 --seed 4 "$generated/english-1252.txt"
$gen report --language en --encoding utf8 --size 6000 --seed 5 "$generated/english-utf8.txt"
$gen trigger --language en --encoding utf8-bom --lines 60 --seed 6 \
  "$generated/english-trigger1.txt" "$generated/english-trigger2.txt"
# A Japanese report saved as "Unicode": UTF-16 with its mark.
{ printf '\xFF\xFE'; iconv -f CP932 -t UTF-16LE samples/v1/ORDER_ENTRY.txt; } > "$generated/utf16.txt"
$gen report --format xml --size 6000 --seed 1 "$generated/module1.xml"
$gen mutate --edits 0.05 --seed 1 "$generated/module1.xml" "$generated/module1-edited.xml"
# The same module saved as UTF-16, its declaration saying so.
sed 's/encoding="UTF-8"/encoding="UTF-16"/' "$generated/module1.xml" | iconv -f UTF-8 -t UTF-16 \
  > "$generated/module1-utf16.xml"

mkdir -p "$seeds"/{parser,forms_xml,form_diff,cp932,like_pattern,str_diff,settings,ignore_rules}
cp "$generated"/*.xml "$seeds/forms_xml/"
cp docs/ignore/*.txt "$seeds/ignore_rules/"
for file in samples/v1/*.txt samples/v2/*.txt "$generated"/*.txt; do
  cp "$file" "$seeds/parser/$(basename "$(dirname "$file")")-$(basename "$file")"
done
# Two reports cut at a NUL byte, each kept short so that the fuzzer runs fast.
pair() { { head -c 16000 "$1"; printf '\0'; head -c 16000 "$2"; } > "$3"; }
for file in samples/v1/*.txt; do
  name=$(basename "$file")
  if [[ -f samples/v2/$name ]]; then
    pair "$file" "samples/v2/$name" "$seeds/form_diff/$name"
  fi
done
pair "$generated/report1.txt" "$generated/report1-edited.txt" "$seeds/form_diff/report1"
pair "$generated/trigger1.txt" "$generated/trigger2.txt" "$seeds/form_diff/trigger"
for file in samples/v1/*.txt; do
  name=$(basename "$file" .txt)
  head -c 4096 "$file" > "$seeds/cp932/$name"
  # A piece of a line wrapped in stars, a line feed, then the whole line.
  LC_ALL=C awk -v dir="$seeds/like_pattern" -v name="$name" '
    NR % 40 == 0 && length($0) > 12 {
      sub(/\r$/, "")
      printf "*%s*\n%s", substr($0, 5, 4), $0 > (dir "/" name "-" NR)
    }' "$file"
done
{ printf '\x80'; cat "$generated/trigger1.txt"; printf '\0'; cat "$generated/trigger2.txt"; } \
  > "$seeds/str_diff/trigger"

status=0
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$findings" "$(dirname "$log")"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
           -artifact_prefix="$findings/")
  case $target in
    parser) options+=(-dict=fuzz/report.dict -max_len=20000) ;;
    forms_xml) options+=(-dict=fuzz/forms_xml.dict -max_len=20000) ;;
    form_diff) options+=(-dict=fuzz/report.dict -max_len=40000) ;;
    # A byte spells up to four lines, and texts stop at 400 lines anyway.
    str_diff) options+=(-max_len=1024) ;;
    *) options+=(-max_len=4096) ;;
  esac
  if nice "$build/fuzz/fuzz_$target" "${options[@]}" "$corpus" "$seeds/$target" \
    "fuzz/regressions/$target" > "$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz $target: ${runs:-?} inputs in ${seconds} s, nothing found"
  else
    status=1
    echo "fuzz $target: FOUND A FAULT (log: $log)" >&2
    tail -n 30 "$log" >&2
    ls -d "$findings"/* >&2 2>/dev/null || true
  fi
done
if ((status)); then
  echo "Mend each fault, then keep its input in fuzz/regressions/TARGET/." >&2
fi
exit $status

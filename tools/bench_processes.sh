#!/usr/bin/env bash
# Times whole tarnwick-cli processes against their yardsticks on reports made
# by tarnwick-gen and prints, per row, the medians, the ratio to its goal and
# the peak memory:
#   file      a 20 MB report against itself, DIFF_ONLY    vs iconv CP932 -> UTF-16LE twice  (<= 2x)
#   trigger   a 100,000-line trigger, 1% edits            vs GNU diff of the two reports   (<= 3x)
#   repeated  the same with a quarter of its lines repeated vs GNU diff                    (<= 3x)
#   folders   200 pairs of 1 MB, 1% edits, both cores     vs diff -r                       (<= 1.5x)
#   dense     a 160,000-line trigger, every second line changed  (under 2 s)
#   longline  one 256 MB property value against a copy changed in its middle:
#             peak memory (at most 4 times the input)
#   pairs     1,000 and 10,000 pairs of tiny reports, classic and review: the
#             time per pair of 10,000 within 3 times that of 1,000
#   deep      two 2.6 MB reports nested 990 deep with 1,000-character names,
#             every object changed: the page and the peak memory of each style
#             (beyond the 10 MiB of any run, at most 4 times both reports)
#   xml       a 20 MB Forms XML module against a second version (1% edits, its
#             attributes in other orders), DIFF_ONLY  vs xmllint --noout of both  (<= 2x)
#   english   a 20 MB English report (Windows-1252) against a second version
#             (1% edits), DIFF_ONLY                     vs GNU diff of the two reports   (<= 3x)
# Rows other than folders run on one processor (taskset -c 0), as the goals
# were set. Ratios are of wall times (the goals' terms) and of CPU times,
# which a busy machine disturbs less.
# Usage: tools/bench_processes.sh [BUILD_DIR]
#   RUNS=5 (runs per command, median quoted)
#   ROWS="file trigger repeated folders dense longline pairs deep xml english"
#   WORK=DIR keeps the reports in DIR (made once, reused by later calls)
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-5}
rows=${ROWS:-file trigger repeated folders dense longline pairs deep xml english}
root=$(cd "$(dirname "$0")/.." && pwd)
cli="$build/tarnwick-cli"
gen="$build/tarnwick-gen"
if [[ -n ${WORK:-} ]]; then
  work=$WORK
  mkdir -p "$work"
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/tarnwick-processes-XXXXXX")
  trap 'rm -rf "$work"' EXIT
fi

# Every report the rows use, made once per work folder.
make_reports() {
  [[ -e $work/.made ]] && return
  echo "making reports in $work ..." >&2
  mkdir -p "$work/file" "$work/trigger" "$work/repeated" "$work/dense"
  "$gen" report --size 20000000 "$work/file/report.txt"
  "$gen" trigger --lines 100000 --changed-every 100 "$work/repeated/a.txt" "$work/repeated/b.txt"
  # The plain trigger: the same, its repeated lines (blank, "END IF;",
  # "NULL;") made distinct by their line number on both sides alike.
  for side in a b; do
    LC_ALL=C awk '{ line = $0; sub(/\r$/, "", line)
                    if (line ~ /^ *(END IF;|NULL;)?$/) line = line " -- " NR
                    printf "%s\r\n", line }' \
      "$work/repeated/$side.txt" > "$work/trigger/$side.txt"
  done
  "$gen" folders --pairs 200 --size 1000000 --edits 0.01 "$work/folders/v1" "$work/folders/v2"
  "$gen" trigger --lines 160000 --changed-every 2 "$work/dense/a.txt" "$work/dense/b.txt"
  touch "$work/.made"
}

# One 256 MB line, made on first use (512 MB of disk).
make_longline() {
  [[ -e $work/longline/.made ]] && return
  mkdir -p "$work/longline"
  # A sample report whose ninth line, a property with the value 7, gets a
  # value of 256 MB instead; the copy differs in the middle of it.
  local sample=$root/samples/v1/CUSTOMER_MASTER.txt half=$((128 << 20))
  xs() { head -c "$1" /dev/zero | tr '\0' x; }
  for side in a b; do
    {
      head -n 8 "$sample"
      LC_ALL=C awk 'NR == 9 { sub(/7\r$/, ""); printf "%s", $0 }' "$sample"
      if [[ $side == a ]]; then xs $((2 * half)); else xs $half; printf y; xs $((half - 1)); fi
      printf '\r\n'
      tail -n +10 "$sample"
    } > "$work/longline/$side.txt"
  done
  touch "$work/longline/.made"
}

# Folders of tiny pairs and the deep reports, made on first use.
make_pairs() {
  [[ -e $work/pairs/.made ]] && return
  for n in 1000 10000; do
    "$gen" folders --pairs "$n" --size 2000 --edits 0.05 "$work/pairs/$n/v1" "$work/pairs/$n/v2" > /dev/null
  done
  touch "$work/pairs/.made"
}
make_deep() {
  [[ -e $work/deep/.made ]] && return
  mkdir -p "$work/deep"
  "$gen" deep --depth 990 --name-length 1000 "$work/deep/a.txt" "$work/deep/b.txt"
  touch "$work/deep/.made"
}

make_xml() {
  [[ -e $work/xml/.made ]] && return
  mkdir -p "$work/xml"
  "$gen" report --format xml --size 20000000 "$work/xml/a.xml"
  "$gen" mutate --edits 0.01 "$work/xml/a.xml" "$work/xml/b.xml"
  touch "$work/xml/.made"
}

make_english() {
  [[ -e $work/english/.made ]] && return
  "$gen" folders --language en --pairs 1 --size 20000000 --edits 0.01 "$work/english/v1" "$work/english/v2"
  touch "$work/english/.made"
}

# Runs a shell command $runs times (after one warm-up) and prints the
# medians of wall, user and system seconds and the largest peak resident
# size in KiB. $1 is "1" to keep it on one processor. The times include
# starting bash and GNU time (a millisecond or two), for both sides alike.
measure() {
  local one=$1 command=$2 out="$work/.time"
  local runner=(bash -c "$command")
  if [[ $one == 1 ]] && command -v taskset > /dev/null; then runner=(taskset -c 0 "${runner[@]}"); fi
  "${runner[@]}" > /dev/null 2>&1 || true
  : > "$out.all"
  local TIMEFORMAT='%3R %3U %3S'
  for ((i = 0; i < runs; i++)); do
    # bash times to the millisecond; GNU time adds the peak memory.
    { time /usr/bin/time -f '%M' -o "$out" "${runner[@]}" > /dev/null 2>&1 || true; } 2> "$out.times"
    echo "$(cat "$out.times") $(tail -1 "$out")" >> "$out.all"
  done
  local medians=()
  for column in 1 2 3; do
    medians+=("$(cut -d' ' -f"$column" "$out.all" | sort -n | awk -v n="$runs" \
      '{ v[NR] = $1 } END { print (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2 }')")
  done
  echo "${medians[*]} $(cut -d' ' -f4 "$out.all" | sort -n | tail -1)"
}

# The comparison command line: MODE SRC_PATH1 SRC_FILE1 SRC_PATH2 SRC_FILE2 OUTPUT_FILE.
compare() {
  printf 'exec %q diff --quiet --set MODE=%q --set SRC_PATH1=%q --set SRC_FILE1=%q' \
    "$cli" "$1" "$2" "$3"
  printf ' --set SRC_PATH2=%q --set SRC_FILE2=%q --set OUTPUT_PATH=%q --set OUTPUT_FILE=%q' \
    "$4" "$5" "$work/out" "$6"
  printf ' --set DIFF_ONLY=True'
}

# One row: name, one processor (1/0), goal (a ratio, or "N s" for a time),
# our command and the yardstick's ("" for none), as shell command lines.
row() {
  local name=$1 one=$2 goal=$3 ours=$4 yardstick=$5
  read -r wall user sys peak <<< "$(measure "$one" "$ours")"
  local line
  line=$(printf '%-9s %7.3f s  user %6.3f  sys %6.3f  peak %7.1f MiB' \
    "$name" "$wall" "$user" "$sys" "$(echo "$peak / 1024" | bc -l)")
  if [[ -z $yardstick ]]; then
    # A goal "(text)" is a label: the row's goal is printed after it.
    [[ $goal == "("* ]] && printf '%s  %s\n' "$line" "$goal" || printf '%s  goal under %s\n' "$line" "$goal"
    return
  fi
  read -r ywall yuser ysys _ <<< "$(measure "$one" "$yardstick")"
  [[ $goal == *" s" ]] && goal="our time under $goal" || goal="ratio <= $goal"
  printf '%s  yardstick %6.3f s  ratio %5.2f (cpu %5.2f)  goal: %s\n' "$line" "$ywall" \
    "$(echo "$wall / $ywall" | bc -l)" "$(echo "($user + $sys) / ($yuser + $ysys)" | bc -l)" "$goal"
}

make_reports
mkdir -p "$work/out"
echo "load average before timing: $(cut -d' ' -f1-3 /proc/loadavg); medians of $runs runs" >&2
for name in $rows; do
  case $name in
    file)
      report=$work/file/report.txt
      row file 1 2 "$(compare FILE "$work/file" report.txt "$work/file" report.txt file.html)" \
        "iconv -f CP932 -t UTF-16LE $(printf %q "$report"); iconv -f CP932 -t UTF-16LE $(printf %q "$report")"
      bytes=$(stat -c %s "$report")
      printf '          peak %.2f times the two reports (goal <= 3), system %.2f of user time (goal < 0.2)\n' \
        "$(echo "$peak * 1024 / (2 * $bytes)" | bc -l)" "$(echo "$sys / $user" | bc -l)"
      ;;
    trigger | repeated | dense)
      goal=3
      [[ $name == dense ]] && goal="2 s"
      row "$name" 1 "$goal" "$(compare FILE "$work/$name" a.txt "$work/$name" b.txt "$name.html")" \
        "exec diff $(printf %q "$work/$name/a.txt") $(printf %q "$work/$name/b.txt")"
      ;;
    folders)
      row folders 0 1.5 "$(compare FOLDER "$work/folders/v1" '*.txt' "$work/folders/v2" '*.txt' index.html)" \
        "exec diff -r $(printf %q "$work/folders/v1") $(printf %q "$work/folders/v2")"
      ;;
    longline)
      make_longline
      row longline 1 "4 x input" "$(compare FILE "$work/longline" a.txt "$work/longline" b.txt longline.html)" ""
      bytes=$(stat -c %s "$work/longline/a.txt")
      printf '          peak %.2f times one report, %.2f times both (goal <= 4)\n' \
        "$(echo "$peak * 1024 / $bytes" | bc -l)" "$(echo "$peak * 1024 / (2 * $bytes)" | bc -l)"
      ;;
    pairs)
      make_pairs
      for style in CLASSIC REVIEW; do
        per=()
        for n in 1000 10000; do
          row "pairs$((n / 1000))k" 0 "($style)" "$(compare FOLDER "$work/pairs/$n/v1" '*.txt' "$work/pairs/$n/v2" '*.txt' index.html) --set PAGE_STYLE=$style" ""
          per+=("$(echo "$wall * 1000 / $n" | bc -l)")
        done
        printf '          %s: %.3f ms a pair (1,000), %.3f ms a pair (10,000): %.2f times (goal <= 3)\n' \
          "$style" "${per[0]}" "${per[1]}" "$(echo "${per[1]} / ${per[0]}" | bc -l)"
      done
      ;;
    deep)
      make_deep
      bytes=$(stat -c %s "$work/deep/a.txt")
      for style in REVIEW CLASSIC; do
        row "deep" 1 "($style)" "$(compare FILE "$work/deep" a.txt "$work/deep" b.txt deep.html) --set PAGE_STYLE=$style" ""
        # 10 MiB is what a run of tiny reports peaks at.
        printf '          %s page %.1f MiB, peak beyond 10 MiB %.2f times both reports (goal <= 4)\n' \
          "$style" "$(echo "$(stat -c %s "$work/out/deep.html") / 1048576" | bc -l)" \
          "$(echo "($peak - 10240) * 1024 / (2 * $bytes)" | bc -l)"
        rm -f "$work/out/deep.html"
      done
      ;;
    xml)
      make_xml
      row xml 1 2 "$(compare FILE "$work/xml" a.xml "$work/xml" b.xml xml.html)" \
        "xmllint --noout $(printf %q "$work/xml/a.xml") $(printf %q "$work/xml/b.xml")"
      ;;
    english)
      make_english
      row english 1 3 "$(compare FILE "$work/english/v1" FORM0001.txt "$work/english/v2" FORM0001.txt english.html)" \
        "exec diff $(printf %q "$work/english/v1/FORM0001.txt") $(printf %q "$work/english/v2/FORM0001.txt")"
      ;;
    *) echo "unknown row $name" >&2 ;;
  esac
done

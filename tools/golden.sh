#!/usr/bin/env bash
# The golden set: a fixed list of tarnwick-cli runs (comparisons, searches,
# object comparisons, trees, node lists, input checks, run errors, help) whose
# every output byte (pages, JSON, messages, exit statuses) lands in OUT.
# Two builds are byte-identical when `diff -r` of their OUT folders is empty;
# a change that must not alter behaviour (a house pass) is checked that way:
#
#   tools/golden.sh build-before /tmp/golden-before
#   tools/golden.sh build        /tmp/golden-after
#   diff -r /tmp/golden-before /tmp/golden-after
#
# The start stamp of summary pages and the folder OUT itself are masked, so
# two runs into different folders compare equal.
set -uo pipefail

build=$(cd "${1:?usage: tools/golden.sh BUILD_DIR OUT}" && pwd)
out=${2:?usage: tools/golden.sh BUILD_DIR OUT}
root=$(cd "$(dirname "$0")/.." && pwd)
rm -rf "$out"
mkdir -p "$out"
out=$(cd "$out" && pwd)
# Inputs and pages live in one work folder of a fixed name inside OUT.
work="$out/work"
mkdir -p "$work/in" "$work/pages"
cli="$build/tarnwick-cli"
gen="$build/tarnwick-gen"

cp -r "$root/samples/v1" "$root/samples/v2" "$work/in/"
"$gen" folders --pairs 6 --size 40000 --edits 0.02 --seed 7 "$work/in/g1" "$work/in/g2" > /dev/null
"$gen" trigger --lines 300 --changed-every 7 --seed 3 "$work/in/t1.txt" "$work/in/t2.txt" > /dev/null
mkdir -p "$work/in/bad"
printf '* \x96\xbc\x91\x4f B\r\n  \x83\x75\x83\x8d\x83\x62\x83\x4e\r\n    * \x95\x73\x96\xbe X\r\n' \
  > "$work/in/bad/BROKEN.txt"
cp "$work/in/v1/ORDER_ENTRY.txt" "$work/in/bad/"
: > "$work/in/bad/EMPTY.txt"

n=0
# run NAME ARGS...: one command in the work folder; its standard output,
# standard error and exit status, then every page it wrote, go to OUT/NAME.
run() {
  local name=$1
  shift
  n=$((n + 1))
  local dir="$out/$name"
  mkdir -p "$dir"
  rm -rf "$work/pages"
  mkdir -p "$work/pages"
  (cd "$work" && "$cli" "$@" > "$dir/stdout" 2> "$dir/stderr" < /dev/null)
  echo $? > "$dir/status"
  cp -r "$work/pages" "$dir/pages"
}

# diff in folder mode over two folders, with any extra settings
folders() {
  local name=$1 a=$2 b=$3
  shift 3
  run "$name" diff --quiet --exit-code --json pages/run.json --set MODE=FOLDER \
    --set SRC_PATH1="in/$a/" --set SRC_FILE1='*.txt' --set SRC_PATH2="in/$b/" --set SRC_FILE2='*.txt' \
    --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=index.html "$@"
}
for style in CLASSIC REVIEW; do
  folders "folders-$style" v1 v2 --set PAGE_STYLE=$style
  folders "folders-diffonly-$style" v1 v2 --set PAGE_STYLE=$style --set DIFF_ONLY=True
  folders "folders-generated-$style" g1 g2 --set PAGE_STYLE=$style --set DIFF_ONLY=True
  folders "folders-options-$style" g1 g2 --set PAGE_STYLE=$style --set IGNORE_BLANKS=True --set IGNORE_CASE=True
  folders "folders-broken-$style" bad v1 --set PAGE_STYLE=$style
  run "file-$style" diff --quiet --exit-code --json pages/run.json --set MODE=FILE \
    --set SRC_PATH1=in/ --set SRC_FILE1=t1.txt --set SRC_PATH2=in/ --set SRC_FILE2=t2.txt \
    --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=trigger --set PAGE_STYLE=$style
  run "file-same-$style" diff --quiet --exit-code --set MODE=FILE \
    --set SRC_PATH1=in/v1/ --set SRC_FILE1=MAIN_MENU.txt --set SRC_PATH2=in/v2/ --set SRC_FILE2=MAIN_MENU.txt \
    --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=same.html --set PAGE_STYLE=$style --set DIFF_ONLY=True

  search() {
    local name=$1
    shift
    run "$name-$style" search --quiet --exit-code --json pages/run.json --set SRC_PATH=in/v2/ \
      --set SRC_FILE='*.txt' --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=found.html \
      --set PAGE_STYLE=$style "$@"
  }
  search search-one --set SEARCH_STRING1='*CUSTOMER*'
  search search-and --set SEARCH_STRING1='*SELECT*' --set SEARCH_STRING2='*FROM*' --set FOUND_ONLY=True
  search search-or --set SEARCH_STRING1='*order*' --set SEARCH_STRING2='*受注*' --set COND_AND=False --set NO_CASE=True
  search search-not --set SEARCH_STRING1='*名前*' --set SEARCH_STRING2_COND=NOT_CONTAIN --set SEARCH_STRING2='*ORDER*'
  search search-none --set SEARCH_STRING1='NOTHING_MATCHES_THIS'
  search search-badpattern --set SEARCH_STRING1='[abc'

  objdiff() {
    local name=$1
    shift
    run "$name-$style" objdiff --exit-code --json pages/run.json --set OUTPUT_PATH=pages/ \
      --set OUTPUT_FILE=obj.html --set PAGE_STYLE=$style "$@"
  }
  objdiff objdiff-form in/v1/ORDER_ENTRY.txt ROOT-1-1 in/v2/ORDER_ENTRY.txt ROOT-1-1
  objdiff objdiff-node --set DIFF_OBJ_ONLY=True in/v1/ORDER_ENTRY.txt ROOT-1-1-19-1 in/v2/ORDER_ENTRY.txt ROOT-1-1-19-1
  objdiff objdiff-missing in/v1/ORDER_ENTRY.txt ROOT-9 in/v2/ORDER_ENTRY.txt ROOT-1
done

for f in "$work"/in/v1/*.txt "$work"/in/v2/*.txt "$work"/in/g1/*.txt "$work"/in/t1.txt "$work"/in/bad/*.txt; do
  rel=${f#"$work"/in/}
  run "tree-${rel//\//_}" tree "in/$rel"
  run "nodes-${rel//\//_}" nodes "in/$rel"
done

# The input checks, one message each.
run check-empty diff --quiet
run check-folder1 diff --quiet --set SRC_PATH1=in/none/ --set SRC_FILE1='*' --set SRC_PATH2=in/v2/ \
  --set SRC_FILE2='*' --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=i
run check-output diff --quiet --set SRC_PATH1=in/v1/ --set SRC_FILE1='*' --set SRC_PATH2=in/v2/ \
  --set SRC_FILE2='*' --set OUTPUT_PATH=in/none/ --set OUTPUT_FILE=i
run check-name diff --quiet --set SRC_PATH1=in/v1/ --set SRC_FILE1='*' --set SRC_PATH2=in/v2/ \
  --set SRC_FILE2='*' --set OUTPUT_PATH=pages/
run check-file2 diff --quiet --set MODE=FILE --set SRC_PATH1=in/v1/ --set SRC_FILE1=MAIN_MENU.txt \
  --set SRC_PATH2=in/v2/ --set SRC_FILE2=NONE.txt --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=i
run check-overwrite diff --quiet --set MODE=FILE --set SRC_PATH1=in/v1/ --set SRC_FILE1=MAIN_MENU.txt \
  --set SRC_PATH2=in/v2/ --set SRC_FILE2=MAIN_MENU.txt --set OUTPUT_PATH=in/v1/ --set OUTPUT_FILE=MAIN_MENU.txt
run check-search-empty search --quiet --set SRC_PATH=in/v1/ --set SRC_FILE='*' --set OUTPUT_PATH=pages/ \
  --set OUTPUT_FILE=i
run check-search-folder search --quiet --set SRC_PATH=in/none/ --set SRC_FILE='*' --set SEARCH_STRING1=x \
  --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=i
run check-objdiff-drop objdiff --set OUTPUT_PATH=pages/ --set OUTPUT_FILE=o in/none.txt ROOT in/v2/MAIN_MENU.txt ROOT
run usage-key diff --set NO_SUCH_KEY=1
run usage-command frobnicate
for c in diff search objdiff tree nodes; do run "help-$c" "$c" --help; done
run help --help

# Mask what differs by run and by folder: the start stamp, and OUT itself.
grep -rlZ --binary-files=text -e '[0-9]\{4\}/[0-9][0-9]/[0-9][0-9]' -e "$out" "$out" \
  | xargs -0 -r perl -pi -e "s{\\d{4}/\\d\\d/\\d\\d(&nbsp;|\\s)+\\d\\d:\\d\\d:\\d\\d}{STAMP}g; s{\\Q$out\\E}{OUT}g"
echo "golden set: $n runs in $out"

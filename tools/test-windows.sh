#!/usr/bin/env bash
# Runs the cross-built Windows programs under Wine: the core tests, the
# window's tests (WINDOWS_GUI=1, the default) on Qt's own windows platform
# under Xvfb, then a smoke run of tarnwick-cli.exe (tree, nodes, a folder
# comparison of the samples and of reports with Japanese file names, a
# search, an object comparison) whose output must be byte for byte the Linux
# build's, apart from the path texts (Z:\x\y\ on Windows, /x/y/ on Linux).
# Usage: tools/test-windows.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR
# errtrace: a failure inside a function reaches the ERR trap too, so a
# failing run always says which command failed and what it printed.
set -Eeuo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "${1:-build}" && pwd)
windows=$(cd "${2:-build-windows}" && pwd)

# The window's tests need a display: one virtual display for the whole run,
# there before Wine's first process, which keeps the display it found.
xvfb=""
if [ "${WINDOWS_GUI:-1}" = "1" ]; then
  display=:$((190 + RANDOM % 100))
  Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp > /dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=$display
fi

# Headless, quiet, and one prefix per build folder, kept between runs: the
# first start of a prefix takes a while.
export WINEPREFIX="$windows/wine-prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine maps file names through the locale: Japanese names need UTF-8.
export LC_ALL=C.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot --init > /dev/null 2>&1 || true
  # Wine hides files whose names start with "." unless told not to; Windows
  # itself hides only by attribute, which is what the tests expect.
  wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /t REG_SZ /d Y /f > /dev/null 2>&1
  wineserver -w
fi
# One server for the whole run: a server left to time out between two
# commands can be on its way down just as the next one connects.
wineserver -p
trap 'wineserver -k > /dev/null 2>&1 || true; [ -z "$xvfb" ] || kill "$xvfb" 2> /dev/null || true' EXIT

echo "== core tests under Wine"
(cd "$windows" && wine ./tarnwick_tests.exe --gtest_brief=1)

if [ "${WINDOWS_GUI:-1}" = "1" ]; then
  echo "== window tests under Wine, with Qt's windows platform on a virtual display"
  bash "$root/tools/windows-runtime.sh" "$(bash "$root/tools/build-qt-windows.sh" --prefix)" "$windows" --test
  # Wine passes no QT_* variable on: the platform goes as Qt's own option.
  (cd "$windows" && wine ./tarnwick_gui_tests.exe -platform windows --gtest_brief=1)
fi

echo "== smoke run: tarnwick-cli.exe against the Linux build"
# A folder of plain ASCII name for every path the programs see, whatever
# the checkout's own path holds (spaces, "&" and "%" would be escaped in the
# pages; other characters Wine cannot spell). Kept only when a check fails.
work=$(mktemp -d /tmp/tarnwick-smoke.XXXXXX)
mkdir "$work/samples" "$work/bin"
cp -r "$root/samples/v1" "$root/samples/v2" "$work/samples/"
cp "$windows/tarnwick-cli.exe" "$work/bin/"
samples="$work/samples"
passed=0
failed=0

source "$root/tools/windows-pages.sh"

# Messages ("終了しました。") go to a log, shown when a command fails.
log="$work/messages.log"
failed_command() {
  local status=$? command=$BASH_COMMAND
  trap - ERR
  {
    echo "FAILED (exit $status): $command"
    echo "Its messages:"
    cat "$log"
  } | tee /dev/stderr
}
trap failed_command ERR
lin() { "$linux/tarnwick-cli" "$@" 2>> "$log"; }
win() { wine "$work/bin/tarnwick-cli.exe" "$@" 2>> "$log"; }

check() {  # name, then the files or folders to compare
  local name=$1 a=$2 b=$3
  if diff -r "$a" "$b" > "$work/$name.diff" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $name"
    head -c 2000 "$work/$name.diff"
    echo
  fi
}

reports=("$samples"/v1/*.txt "$samples"/v2/*.txt)
"$linux/tarnwick-gen" report --size 300000 --seed 7 "$work/generated.txt"
reports+=("$work/generated.txt")
mkdir -p "$work/tree/linux" "$work/tree/windows"
for report in "${reports[@]}"; do
  name=$(basename "$(dirname "$report")")_$(basename "$report")
  lin tree "$report" > "$work/tree/linux/$name.json"
  win tree "$(winpath "$report")" > "$work/tree/windows/$name.json"
  lin nodes "$report" > "$work/tree/linux/$name.nodes"
  win nodes "$(winpath "$report")" > "$work/tree/windows/$name.nodes"
done
check tree "$work/tree/linux" "$work/tree/windows"

# Reports with Japanese file names, in folders with Japanese names.
mkdir -p "$work/帳票1" "$work/帳票2"
cp "$samples/v1/ORDER_ENTRY.txt" "$work/帳票1/受注入力①.txt"
cp "$samples/v2/ORDER_ENTRY.txt" "$work/帳票2/受注入力①.txt"
cp "$samples/v1/MAIN_MENU.txt" "$work/帳票1/メニュー.txt"
cp "$samples/v2/CUSTOMER_MASTER.txt" "$work/帳票2/顧客～マスタ.txt"

compare_folders() {  # name, folder 1, folder 2
  local name=$1 one=$2 two=$3 side
  for side in linux windows; do
    mkdir -p "$work/$name/$side"
  done
  lin diff --quiet --set MODE=FOLDER \
    --set "SRC_PATH1=$one" --set "SRC_FILE1=*.txt" \
    --set "SRC_PATH2=$two" --set "SRC_FILE2=*.txt" \
    --set "OUTPUT_PATH=$work/$name/linux" --set "OUTPUT_FILE=index.html"
  win diff --quiet --set MODE=FOLDER \
    --set "SRC_PATH1=$(winpath "$one")" --set "SRC_FILE1=*.txt" \
    --set "SRC_PATH2=$(winpath "$two")" --set "SRC_FILE2=*.txt" \
    --set "OUTPUT_PATH=$(winpath "$work/$name/windows")" --set "OUTPUT_FILE=index.html"
  unwindows "$work/$name/windows" "$one/" "$two/" "$work/$name/windows/"
  # The summary links name each run's own output folder.
  replace_in_page "$work/$name/windows/index.html" "$work/$name/windows/" "$work/$name/linux/"
  unstamp "$work/$name"/*/index.html
  check "$name" "$work/$name/linux" "$work/$name/windows"
}
compare_folders diff "$samples/v1" "$samples/v2"
compare_folders japanese "$work/帳票1" "$work/帳票2"

mkdir -p "$work/search/linux" "$work/search/windows"
search_args=(--set "SRC_FILE=*.txt" --set "SEARCH_STRING1=COMMIT" --set "SEARCH_STRING2=受注"
  --set "COND_AND=False" --set "NO_CASE=True" --set "OUTPUT_FILE=index.html")
lin search --quiet --set "SRC_PATH=$samples/v2" --set "OUTPUT_PATH=$work/search/linux" \
  "${search_args[@]}"
win search --quiet --set "SRC_PATH=$(winpath "$samples/v2")" \
  --set "OUTPUT_PATH=$(winpath "$work/search/windows")" "${search_args[@]}"
unwindows "$work/search/windows" "$samples/v2/" "$work/search/windows/"
replace_in_page "$work/search/windows/index.html" "$work/search/windows/" "$work/search/linux/"
unstamp "$work/search"/*/index.html
check search "$work/search/linux" "$work/search/windows"

mkdir -p "$work/objdiff/linux" "$work/objdiff/windows"
one="$samples/v1/ORDER_ENTRY.txt"
two="$samples/v2/ORDER_ENTRY.txt"
lin objdiff --set "OUTPUT_PATH=$work/objdiff/linux" --set "OUTPUT_FILE=obj.html" \
  "$one" ROOT-1-1 "$two" ROOT-1-1
win objdiff --set "OUTPUT_PATH=$(winpath "$work/objdiff/windows")" --set "OUTPUT_FILE=obj.html" \
  "$(winpath "$one")" ROOT-1-1 "$(winpath "$two")" ROOT-1-1
unwindows "$work/objdiff/windows" "$samples/v1/" "$samples/v2/"
check objdiff "$work/objdiff/linux" "$work/objdiff/windows"

trap - ERR
echo "smoke: $passed passed, $failed failed"
if [ "$failed" -ne 0 ]; then
  echo "The pages of both runs are in $work"
  exit 1
fi
rm -rf "$work"

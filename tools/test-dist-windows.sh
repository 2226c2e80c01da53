#!/usr/bin/env bash
# Tests the portable zip as a Windows user meets it: unpacked into a fresh
# Wine prefix, once under C:\Program Files\ and once into a folder whose
# path holds Japanese characters and spaces, tarnwick.exe is started from
# there with nothing else on the path (no Qt, no compiler runtime beside
# Wine's own), its window appears on a virtual display, a folder comparison
# of the samples is run through it with the keyboard, and its pages must be
# byte for byte those of the Linux build apart from the path texts. Closing
# the window must write the settings file beside the .exe.
#   tools/test-dist-windows.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR
set -Eeuo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(cd "${1:-build}" && pwd)
windows=$(cd "${2:-build-windows}" && pwd)
zip=$(ls "$windows"/Tarnwick-*-win64.zip | head -n 1)
work=$(mktemp -d /tmp/tarnwick-dist.XXXXXX)

export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
unset WINEPATH

step="start"
fail() {
  local status=$?
  trap - ERR
  [ "$BASHPID" = "$$" ] || exit "$status"  # the main shell reports
  echo "FAILED (exit $status) at: $step" >&2
  [ -f "$work/wine.log" ] && tail -n 20 "$work/wine.log" >&2
  xwd -root -silent -out "$work/screen.xwd" 2> /dev/null || true
  echo "Kept for a look (the display as it was: screen.xwd): $work" >&2
  exit 1
}
trap fail ERR

# One virtual display for every window of the run.
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
cleanup() {  # while the prefix is still there: the server is found through it
  wineserver -k > /dev/null 2>&1 || true
  kill "$xvfb" 2> /dev/null || true
}
trap cleanup EXIT

step="a fresh Wine prefix"
wineboot --init > /dev/null 2>&1 || true
wineserver -w
wineserver -p

source "$root/tools/windows-pages.sh"

mkdir -p "$work/samples"
cp -r "$root/samples/v1" "$root/samples/v2" "$work/samples/"
samples="$work/samples"

step="the Linux build's pages"
mkdir -p "$work/linux"
"$linux/tarnwick-cli" diff --quiet --set MODE=FOLDER \
  --set "SRC_PATH1=$samples/v1/" --set "SRC_FILE1=*.txt" \
  --set "SRC_PATH2=$samples/v2/" --set "SRC_FILE2=*.txt" \
  --set "OUTPUT_PATH=$work/linux/" --set "OUTPUT_FILE=index.html" 2> /dev/null

# The window's id once a top-level window of that title is shown, within 60 s.
wait_window() {  # title, how many such windows
  local title=$1 count=${2:-1} i ids
  for i in $(seq 1 120); do
    ids=$(xdotool search --onlyvisible --name "^$title\$" 2> /dev/null || true)
    if [ "$(printf '%s\n' "$ids" | grep -c .)" -ge "$count" ]; then
      printf '%s\n' "$ids" | tail -n 1
      return 0
    fi
    sleep 0.5
  done
  return 1
}

passed=0
run_from() {  # the Linux path of the folder the zip is unpacked into
  local parent=$1
  step="unpack into $parent"
  mkdir -p "$parent"
  unzip -q "$zip" -d "$parent"
  local app
  app="$parent/$(basename "$zip" .zip)"
  local out="$parent/out"
  mkdir -p "$out"
  # A settings file as the window itself writes one: code page 932, CR LF.
  printf '%s\r\n' "MODE=FOLDER" "TAB_PAGE=DIFF" "OUTPUT_AUTOOPEN=False" \
    "SRC_PATH1=$(winpath "$samples/v1/")" "SRC_FILE1=*.txt" \
    "SRC_PATH2=$(winpath "$samples/v2/")" "SRC_FILE2=*.txt" \
    "OUTPUT_PATH=$(wine_c_path "$out/")" "OUTPUT_FILE=index.html" \
    | iconv -f UTF-8 -t CP932 > "$app/Tarnwick.ini"

  step="start tarnwick.exe from $parent"
  (cd "$app" && wine ./tarnwick.exe >> "$work/wine.log" 2>&1) &
  local window=$!
  local main
  main=$(wait_window Tarnwick)
  sleep 2  # the first paint
  step="run the folder comparison with the keyboard"
  # A click into the first box (Wine takes keys only once a window was
  # clicked when no window manager runs), where Enter starts the page's run.
  xdotool mousemove --window "$main" 400 89 click 1 sleep 0.5 key End Return
  local box
  box=$(wait_window Tarnwick 2)
  [ "$box" != "$main" ]
  xdotool windowfocus --sync "$box" key --delay 200 Return
  step="close the window"
  wine taskkill /im tarnwick.exe >> "$work/wine.log" 2>&1
  wait "$window"
  grep -q "^DIFF_ONLY=" "$app/Tarnwick.ini"

  step="compare the pages from $parent"
  unwindows "$out" "$samples/v1/" "$samples/v2/"
  replace_in_page "$out/index.html" "$(wine_c_path "$out/")" "$work/linux/"
  unstamp "$out/index.html" "$work/linux/index.html"
  diff -r "$work/linux" "$out"
  passed=$((passed + 1))
}

run_from "$WINEPREFIX/drive_c/Program Files"
run_from "$WINEPREFIX/drive_c/ツール 置き場/Tarnwick 試験"

trap - ERR
echo "dist: $passed passed, 0 failed"
cleanup
rm -rf "$work"

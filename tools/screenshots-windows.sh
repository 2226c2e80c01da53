#!/usr/bin/env bash
# Pictures of the window as Windows draws it: tarnwick-screenshots.exe, the
# window's own code, under Wine with Qt's windows platform on a virtual
# display, into BUILD_DIR/screenshots: the three pages, the drop hint, a
# folder comparison running, the structure viewer and the about box.
#   tools/screenshots-windows.sh WINDOWS_BUILD_DIR
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
windows=$(cd "${1:-build-windows}" && pwd)
out="$windows/screenshots"
rm -rf "$out"
mkdir -p "$out"

export WINEPREFIX="$windows/wine-prefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp > /dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
trap 'wineserver -k > /dev/null 2>&1 || true; kill "$xvfb" 2> /dev/null || true' EXIT
[ -f "$WINEPREFIX/system.reg" ] || { wineboot --init > /dev/null 2>&1 || true; wineserver -w; }

bash "$root/tools/windows-runtime.sh" "$(bash "$root/tools/build-qt-windows.sh" --prefix)" "$windows"
source "$root/tools/windows-pages.sh"
(cd "$windows" && wine ./tarnwick-screenshots.exe "$(winpath "$out")")
for png in "$out"/*.png; do
  echo "$png"
done

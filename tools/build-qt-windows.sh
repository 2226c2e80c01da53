#!/usr/bin/env bash
# Builds Qt 6 for 64-bit Windows once per machine, from Debian's own qt6-base
# source package, with Debian's mingw-w64 and the host's Qt tools, into a
# cache folder outside the checkout. The window's Windows build uses it.
#
# The cache is stamped with the hash of this script, its toolchain file and
# its patches: an unchanged recipe is reused in seconds, a changed one builds
# anew. Prints the installed prefix on its last line.
#
#   tools/build-qt-windows.sh            build when needed, print the prefix
#   tools/build-qt-windows.sh --prefix   print the prefix, build nothing
#
# Environment: TARNWICK_CACHE (default ${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick),
# QT_BUILD_JOBS (default: the processor count).
set -Eeuo pipefail

here=$(cd "$(dirname "$0")" && pwd)
recipe="$here/qt-windows"
cache=${TARNWICK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick}
stamp=$(cat "$0" "$recipe"/*.cmake "$recipe"/*.patch "$recipe"/*.h | sha256sum | cut -c1-16)
prefix="$cache/qt6-windows-$stamp"

if [ "${1:-}" = "--prefix" ]; then
  echo "$prefix"
  exit 0
fi
if [ -f "$prefix/.complete" ]; then
  echo "Qt for Windows: reusing $prefix" >&2
  echo "$prefix"
  exit 0
fi

step="start"
log="$cache/qt6-windows-build.log"
mkdir -p "$cache"
: > "$log"
fail() {
  local status=$?
  trap - ERR
  echo "build-qt-windows: step '$step' failed (exit $status); the last lines of $log:" >&2
  tail -n 30 "$log" >&2
  exit "$status"
}
trap fail ERR
say() { echo "== Qt for Windows: $*" >&2; }

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

step="install the tools"
say "$step"
bash "$here/install-deps.sh" windows-qt >> "$log" 2>&1

step="add a deb-src entry"
# apt-get source needs one; mirror the machine's own deb entries.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources; then
  say "$step"
  entries=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    # A stanza is kept when its Types name deb; it is written as deb-src.
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
         /(^|\n)Types:([^\n]*[ \t])?deb([ \t\n]|$)/ { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" >> "$entries"
  done
  if [ -s "$entries" ]; then
    $sudo cp "$entries" /etc/apt/sources.list.d/tarnwick-deb-src.sources
  else
    grep -hE '^deb ' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
      | sed 's/^deb /deb-src /' > "$entries"
    $sudo cp "$entries" /etc/apt/sources.list.d/tarnwick-deb-src.list
  fi
  rm -f "$entries"
  $sudo apt-get update -qq >> "$log" 2>&1
fi

work="$cache/qt6-windows-work"
rm -rf "$work" "$prefix"
mkdir -p "$work"
cd "$work"

step="fetch Debian's qt6-base source"
say "$step"
apt-get source qt6-base >> "$log" 2>&1 || { $sudo apt-get update -qq >> "$log" 2>&1 && apt-get source qt6-base >> "$log" 2>&1; }
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
[ -n "$src" ] || { echo "no source folder unpacked" >> "$log"; false; }

step="add the tablet headers"
# Debian removed Qt's copy of wintab.h for licence reasons; Wine's LGPL
# headers declare the same interface.
say "$step"
apt-get download libwine-dev >> "$log" 2>&1
dpkg-deb -x libwine-dev_*.deb wine-dev
mkdir -p "$src/src/3rdparty/wintab"
cp "$(find wine-dev -name pktdef.h -path '*wine/windows*' | head -n 1)" "$src/src/3rdparty/wintab/pktdef.h"
cp "$(find wine-dev -name wintab.h -path '*wine/windows*' | head -n 1)" "$src/src/3rdparty/wintab/wine_wintab.h"
cp "$recipe/wintab.h" "$src/src/3rdparty/wintab/wintab.h"

step="apply the project's patches"
say "$step"
for p in "$recipe"/*.patch; do
  patch -d "$src" -p1 --forward < "$p" >> "$log" 2>&1
done

step="configure"
say "$step"
cmake -S "$src" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$recipe/mingw-w64-qt.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
  -DFEATURE_direct2d=OFF -DFEATURE_jpeg=OFF \
  -DFEATURE_testlib=ON -DFEATURE_widgets=ON -DFEATURE_gui=ON -DFEATURE_freetype=ON -DFEATURE_harfbuzz=ON \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF \
  -DFEATURE_system_jpeg=OFF >> "$log" 2>&1

step="build"
jobs=${QT_BUILD_JOBS:-$(nproc)}
say "$step with $jobs jobs (about 15 minutes on two idle processors; progress every 5%)"
# Ninja's own [done/total] lines, thinned out to one per 5%.
ninja -C "$work/build" -j "$jobs" 2>&1 | tee -a "$log" | awk '
  match($0, /^\[[0-9]+\/[0-9]+\]/) {
    split(substr($0, 2, RLENGTH - 2), n, "/")
    pct = int(100 * n[1] / n[2])
    if (pct >= next_pct) { printf "   %3d%% (%d of %d)\n", pct, n[1], n[2] > "/dev/stderr"; next_pct = pct + 5 }
  }'
[ "${PIPESTATUS[0]}" -eq 0 ]

step="install"
say "$step into $prefix"
cmake --install "$work/build" >> "$log" 2>&1
# The licence texts ship with the zip; keep them beside the libraries.
mkdir -p "$prefix/licenses"
cp "$src/LICENSES/"LGPL-3.0-only.txt "$src/LICENSES/"GPL-3.0-only.txt "$prefix/licenses/" 2>/dev/null \
  || cp "$src"/LICENSE.LGPL3 "$src"/LICENSE.GPL3 "$prefix/licenses/" 2>/dev/null || true
basename "$src" > "$prefix/licenses/SOURCE"
ls "$work"/*.dsc >> "$prefix/licenses/SOURCE" 2>/dev/null || true
touch "$prefix/.complete"
rm -rf "$work"
# Older recipes' builds are of no more use.
find "$cache" -maxdepth 1 -type d -name 'qt6-windows-*' ! -name "qt6-windows-$stamp" -exec rm -rf {} +
say "done"
echo "$prefix"

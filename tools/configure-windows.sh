#!/usr/bin/env bash
# Configures the cross build for Windows.
#   tools/configure-windows.sh BUILD_DIR WITH_WINDOW [CMAKE_FLAGS...]
# WITH_WINDOW 1 builds the window and its tests too, against Qt for Windows
# from tools/build-qt-windows.sh (built on first use, then reused); 0 builds
# tarnwick-cli.exe, tarnwick-gen.exe and the core tests only. The XML parser
# is compiled from Debian's pugixml source package (tools/pugixml-source.sh,
# fetched once).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: tools/configure-windows.sh BUILD_DIR WITH_WINDOW [CMAKE_FLAGS...]}
window=${2:-1}
shift 2 || shift $#

toolchain="$root/cmake/mingw-w64-x86_64.cmake"
# Debian's pugixml is for the host: its source package is compiled in.
pugixml=$(bash "$root/tools/pugixml-source.sh" | tail -n 1)
flags=(-DTARNWICK_GUI=OFF)
if [ "$window" = "1" ]; then
  qt=$(bash "$root/tools/build-qt-windows.sh" | tail -n 1)
  # Qt's toolchain file finds Qt and the host tools, then loads ours.
  flags=(-DTARNWICK_GUI=ON -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain")
  toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"
fi
# A folder configured with another toolchain cannot switch: start it anew.
if [ -f "$build/CMakeCache.txt" ] && ! grep -qF "CMAKE_TOOLCHAIN_FILE:FILEPATH=$toolchain" "$build/CMakeCache.txt"; then
  rm -rf "$build/CMakeCache.txt" "$build/CMakeFiles"
fi
cmake -S "$root" -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" "${flags[@]}" \
  -DTARNWICK_BENCH=OFF -DTARNWICK_GTEST_SOURCE=/usr/src/googletest \
  -DTARNWICK_PUGIXML_SOURCE="$pugixml" "$@" > /dev/null

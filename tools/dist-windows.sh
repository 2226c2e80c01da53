#!/usr/bin/env bash
# Packs the portable Windows zip: BUILD_DIR/Tarnwick-<version>-win64.zip with
# the window, the command line, the runtime DLLs and plug-ins, Qt's Japanese
# texts, a settings file holding INITIAL, a read-me and the licence texts of
# everything shipped. Nothing is installed; a user unpacks it and starts
# tarnwick.exe.
#   tools/dist-windows.sh BUILD_DIR
set -Eeuo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-windows}" && pwd)
qt=$(bash "$root/tools/build-qt-windows.sh" --prefix)
[ -f "$qt/.complete" ] || { echo "dist-windows: no Qt for Windows in $qt (make windows builds it)" >&2; exit 1; }
for exe in tarnwick.exe tarnwick-cli.exe; do
  [ -f "$build/$exe" ] || { echo "dist-windows: $build/$exe is missing (make windows builds it)" >&2; exit 1; }
done

version=$(sed -n 's/^project(Tarnwick VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name="Tarnwick-$version-win64"
stage="$build/dist/$name"
rm -rf "$build/dist" "$build/$name.zip"
mkdir -p "$stage/licenses"

cp "$build/tarnwick.exe" "$build/tarnwick-cli.exe" "$stage/"
bash "$root/tools/windows-runtime.sh" "$qt" "$stage"
# Debug information stays in the build; the zip carries the code alone.
find "$stage" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded
printf 'INITIAL\r\n' > "$stage/Tarnwick.ini"
# The read-me in UTF-8 with a byte-order mark, which every Notepad reads.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' "$root/tools/windows-dist/readme-ja.txt"; } > "$stage/お読みください.txt"

# The licences: the project's, Qt's (LGPL 3, which refers to the GPL 3) and
# its bundled libraries', the GCC runtime's (GPL 3 with the runtime library
# exception), winpthreads', the Japanese translation's and pugixml's (MIT).
licenses="$stage/licenses"
cp "$root/LICENSE" "$licenses/Tarnwick.txt"
cp "$qt/licenses/LGPL-3.0-only.txt" "$qt/licenses/GPL-3.0-only.txt" "$licenses/"
cache=${TARNWICK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick}
source_dir="$cache/qt6-base-source"
if ! ls "$source_dir"/qt6-base_*.orig.tar.xz > /dev/null 2>&1; then
  mkdir -p "$source_dir"
  (cd "$source_dir" && apt-get source --download-only qt6-base > /dev/null 2>&1)
fi
orig=$(ls "$source_dir"/qt6-base_*.orig.tar.xz | head -n 1)
mkdir -p "$build/dist/qt-licenses"
tar -xJf "$orig" -C "$build/dist/qt-licenses" --wildcards --no-anchored \
  '*/src/3rdparty/*/LICENSE*' '*/src/3rdparty/*/COPYING*' '*/src/3rdparty/*/LICENCE*' \
  '*/src/3rdparty/*/FTL.TXT' '*/src/3rdparty/*/qt_attribution.json' 2> /dev/null || true
(cd "$build/dist/qt-licenses"/*/src/3rdparty && find . -type f | while read -r f; do
   mkdir -p "$licenses/Qt-3rdparty/$(dirname "$f")"
   cp "$f" "$licenses/Qt-3rdparty/$f"
 done)
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$licenses/GCC-runtime.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$licenses/mingw-w64-winpthreads.txt"
cp /usr/share/doc/qt6-translations-l10n/copyright "$licenses/Qt-translations.txt"
cp "$(bash "$root/tools/pugixml-source.sh" | tail -n 1)/LICENSE.md" "$licenses/pugixml.txt"
{
  echo "Qt 6 (Core, Gui, Widgets and the platform and style plug-ins) is used under"
  echo "the GNU Lesser General Public License version 3 (LGPL-3.0-only.txt, which"
  echo "refers to GPL-3.0-only.txt). It was built unchanged in its interfaces from"
  echo "Debian's source package $(cat "$qt/licenses/SOURCE" | head -n 1), with the small patches"
  echo "kept in Tarnwick's source under tools/qt-windows/; the source is available"
  echo "from Debian's archive (apt-get source qt6-base) and from Tarnwick's developers"
  echo "on request. The DLLs may be replaced by other builds of the same Qt version."
} > "$licenses/Qt-source.txt"
sed -i 's/$/\r/' "$licenses/Qt-source.txt"

(cd "$build/dist" && rm -rf qt-licenses && zip -qr -9 "$build/$name.zip" "$name")
echo "$build/$name.zip ($(du -h "$build/$name.zip" | cut -f1))"

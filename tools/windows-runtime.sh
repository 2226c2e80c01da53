#!/usr/bin/env bash
# Copies what a cross-built Qt program needs beside its .exe to run on
# Windows: Qt's DLLs, the mingw-w64 C++ runtime, the platform and style
# plug-ins, a qt.conf that finds them, and Qt's Japanese texts.
#   tools/windows-runtime.sh QT_PREFIX DEST [--test]
# --test adds Qt6Test.dll and the offscreen and minimal platforms, which the
# window's tests use and the shipped zip does not need.
set -euo pipefail

qt=${1:?usage: tools/windows-runtime.sh QT_PREFIX DEST [--test]}
dest=${2:?usage: tools/windows-runtime.sh QT_PREFIX DEST [--test]}
test=${3:-}
gcc_runtime=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
pthread_runtime=/usr/x86_64-w64-mingw32/lib

mkdir -p "$dest/platforms" "$dest/styles" "$dest/translations"
libraries=(Qt6Core Qt6Gui Qt6Widgets)
platforms=(qwindows)
if [ "$test" = "--test" ]; then
  libraries+=(Qt6Test)
  platforms+=(qoffscreen qminimal)
fi
for l in "${libraries[@]}"; do cp "$qt/bin/$l.dll" "$dest/"; done
for p in "${platforms[@]}"; do cp "$qt/plugins/platforms/$p.dll" "$dest/platforms/"; done
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$dest/styles/"
cp "$gcc_runtime/libstdc++-6.dll" "$gcc_runtime/libgcc_s_seh-1.dll" "$pthread_runtime/libwinpthread-1.dll" "$dest/"
# Debian's translation of Qt's own texts (the dialogs' buttons).
cp /usr/share/qt6/translations/qtbase_ja.qm "$dest/translations/"
# Qt looks for its plug-ins and translations relative to the .exe.
printf '[Paths]\r\nPrefix=.\r\nPlugins=.\r\nTranslations=translations\r\n' > "$dest/qt.conf"

#!/usr/bin/env bash
# Installs, only when missing, the Debian packages that the build, the tests
# and the window need. Works as root or through sudo.
#   tools/install-deps.sh           the Linux build
#   tools/install-deps.sh windows   the mingw-w64 cross build and Wine to run it
#   tools/install-deps.sh windows-qt what building Qt for Windows from source needs
#   tools/install-deps.sh fuzz      Clang with libFuzzer for make fuzz
set -euo pipefail

case "${1:-linux}" in
  linux)
    packages=(
      build-essential cmake ninja-build pkg-config
      libgtest-dev libgmock-dev libbenchmark-dev
      libpugixml-dev
      qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev qt6-translations-l10n
      # lrelease and Qt's CMake functions for the English window's translation.
      qt6-l10n-tools qt6-tools-dev
      fonts-ipafont-gothic
      diffutils git
      # xmllint, the yardstick of the Forms XML benchmark row.
      libxml2-utils
      clang-format
      chromium
    )
    ;;
  windows)
    # GoogleTest is compiled from the sources Debian ships in googletest,
    # pugixml from its source package (apt-get source, tools/pugixml-source.sh).
    packages=(
      cmake ninja-build googletest dpkg-dev xz-utils
      g++-mingw-w64-x86-64-posix
      # The host's lrelease compiles the English window's translation.
      qt6-l10n-tools
      wine wine64
      # The window under Wine on a virtual display; the zip.
      xvfb xauth xdotool x11-apps zip unzip
    )
    ;;
  windows-qt)
    # Debian's own Qt tools are the host tools of the cross build.
    packages=(
      cmake ninja-build dpkg-dev patch perl xz-utils
      g++-mingw-w64-x86-64-posix
      qt6-base-dev qt6-base-dev-tools
    )
    ;;
  fuzz)
    # libFuzzer and the sanitizers come with Clang's runtime.
    packages=(cmake ninja-build clang libclang-rt-14-dev libpugixml-dev)
    ;;
  *)
    echo "usage: $0 [linux|windows|windows-qt|fuzz]" >&2
    exit 64
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

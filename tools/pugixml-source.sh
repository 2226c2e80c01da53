#!/usr/bin/env bash
# Fetches Debian's own pugixml source package once per machine into a cache
# folder outside the checkout, for a build that compiles the XML parser in
# (the Windows build: Debian's libpugixml-dev is for the host only). An
# unpacked source of the same version is reused. Prints the source folder
# on its last line.
#
# Environment: TARNWICK_CACHE (default ${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick).
set -Eeuo pipefail

cache=${TARNWICK_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarnwick}
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"

# apt-get source needs a deb-src entry; mirror the machine's own deb entries.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
    /etc/apt/sources.list.d/*.sources; then
  echo "== pugixml: adding a deb-src entry" >&2
  entries=$(mktemp)
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
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
  $sudo apt-get update -qq >&2
fi

version() { apt-cache showsrc pugixml 2>/dev/null | sed -n 's/^Version: //p' | sort -V | tail -n 1; }
release=$(version)
if [ -z "$release" ]; then
  $sudo apt-get update -qq >&2
  release=$(version)
fi
[ -n "$release" ] || { echo "pugixml-source: no pugixml source package known to apt" >&2; exit 1; }

source="$cache/pugixml-$release"
if [ ! -f "$source/.complete" ]; then
  echo "== pugixml: fetching Debian's source package $release" >&2
  mkdir -p "$cache"
  work=$(mktemp -d "$cache/pugixml-work.XXXXXX")
  trap 'rm -rf "$work"' EXIT
  (cd "$work" && apt-get source "pugixml=$release" >&2)
  unpacked=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'pugixml-*' | head -n 1)
  [ -f "$unpacked/src/pugixml.cpp" ] || { echo "pugixml-source: no src/pugixml.cpp unpacked" >&2; exit 1; }
  rm -rf "$source"
  mv "$unpacked" "$source"
  touch "$source/.complete"
fi
echo "$source"

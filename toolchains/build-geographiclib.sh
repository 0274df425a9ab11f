#!/usr/bin/env bash
# Builds GeographicLib as a static library with a target's own compiler,
# from Debian's source package, for the builds where Debian ships it only
# for the machine's own processor:
#   bash toolchains/build-geographiclib.sh PLATFORM    (aarch64, s390x, i686, windows, windows32)
# installs it into build-deps/geographiclib-PLATFORM, which the toolchain
# files look in. The source is fetched once, into build-deps/source.
# The machine is changed (a deb-src entry for apt, dpkg-dev installed) only
# where asked, by --install-deps or TARNEL_INSTALL_DEPS=yes; otherwise the
# script says what it would do and the command that does it, and fails.
set -euo pipefail
cd "$(dirname "$0")/.."
arguments=()
for argument in "$@"; do
  if [ "$argument" = --install-deps ]; then export TARNEL_INSTALL_DEPS=yes; else arguments+=("$argument"); fi
done
platform=${arguments[0]:?platform}

# Changes the machine where asked; else says how, and stops.
change_machine() {  # change_machine WHAT SHOWN COMMAND...: SHOWN says what COMMAND does
  local what=$1 shown=$2
  shift 2
  if [ "${TARNEL_INSTALL_DEPS:-}" != yes ]; then
    echo "GeographicLib for $platform needs $what, which changes this machine:" >&2
    echo "  $shown" >&2
    echo "Run  bash toolchains/build-geographiclib.sh $platform --install-deps  (as root), or set TARNEL_INSTALL_DEPS=yes." >&2
    exit 1
  fi
  "$@"
}
add_deb_src() {
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
    >/etc/apt/sources.list.d/tarnel-deb-src.sources
  apt-get update -q >/dev/null
}
top=$PWD/build-deps
prefix=$top/geographiclib-$platform
if [ -f "$prefix/lib/libGeographicLib.a" ]; then
  echo "GeographicLib for $platform: built already in $prefix"
  exit 0
fi

# The source package needs a deb-src entry beside the deb one; this
# machine's sources are in the deb822 form.
source=
[ -d "$top/source" ] && source=$(find "$top/source" -maxdepth 1 -type d -name 'geographiclib-*' | head -n 1)
if [ -z "$source" ]; then
  if ! apt-get source --print-uris geographiclib >/dev/null 2>&1; then
    change_machine "deb-src entries for Debian's sources" \
      "writes /etc/apt/sources.list.d/tarnel-deb-src.sources (debian.sources as deb-src), then apt-get update" add_deb_src
    echo "added deb-src entries for Debian's sources"
  fi
  command -v dpkg-source >/dev/null ||
    change_machine "the package dpkg-dev" "apt-get install dpkg-dev" \
      env DEBIAN_FRONTEND=noninteractive apt-get install -y -q dpkg-dev >/dev/null
  mkdir -p "$top/source"
  (cd "$top/source" && apt-get source -q geographiclib >/dev/null)
  source=$(find "$top/source" -maxdepth 1 -type d -name 'geographiclib-*' | head -n 1)
fi

case $platform in
  aarch64 | s390x | i686) toolchain=toolchains/$platform-linux-gnu.cmake ;;
  windows) toolchain=toolchains/x86_64-w64-mingw32.cmake ;;
  windows32) toolchain=toolchains/i686-w64-mingw32.cmake ;;
  *) echo "unknown platform: $platform" >&2; exit 2 ;;
esac
echo "building GeographicLib for $platform from $(basename "$source")"
# The same floating-point options as the program's (see the toolchain files).
cmake -S "$source" -B "$top/build-geographiclib-$platform" -DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
  -DBUILD_DOCUMENTATION=OFF -DBUILD_MANPAGES=OFF -DCONVERT_WARNINGS_TO_ERRORS=OFF -DEXAMPLEDIR= -DCMAKE_POSITION_INDEPENDENT_CODE=ON >/dev/null
cmake --build "$top/build-geographiclib-$platform" -j2 --target GeographicLib_STATIC >/dev/null 2>&1 ||
  cmake --build "$top/build-geographiclib-$platform" -j2 --target GeographicLib >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
find "$top/build-geographiclib-$platform" -name 'libGeographicLib*.a' -exec cp {} "$prefix/lib/libGeographicLib.a" \;
cp -r "$source/include/GeographicLib" "$prefix/include/"
cp "$top/build-geographiclib-$platform/include/GeographicLib/Config.h" "$prefix/include/GeographicLib/Config.h"
echo "GeographicLib for $platform: $prefix"

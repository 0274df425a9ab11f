#!/usr/bin/env bash
# Builds every package into one folder (dist/ unless named):
#   tarnel_VERSION_amd64.deb and tarnel-VERSION-linux-x86_64.tar.gz  native Release build
#   tarnel_VERSION_arm64.deb                                          aarch64 cross build, static
#   tarnel-VERSION-windows-x86_64.zip                                 TARNEL.exe, README, manual as text
#   tarnel-VERSION-windows-x86.zip                                    the same, 32-bit: every Windows
# Needs the tools of the README's "Requirements". Changes nothing of the
# machine unless given --install-deps (or TARNEL_INSTALL_DEPS=yes), which
# lets the GeographicLib builds of the cross packages add what they need.
#   bash packaging/build-all.sh [DIR] [--install-deps]
set -euo pipefail
cd "$(dirname "$0")/.."
arguments=()
for argument in "$@"; do
  if [ "$argument" = --install-deps ]; then export TARNEL_INSTALL_DEPS=yes; else arguments+=("$argument"); fi
done
dir=${arguments[0]:-dist}
out=$(mkdir -p "$dir" && cd "$dir" && pwd)

package() {  # package BUILD_DIR GENERATORS [CMAKE_OPTIONS...]
  local build=$1 generators=$2 started=$SECONDS
  shift 2
  echo "$build: configuring"
  # The preview page of a package draws the world map.
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_TESTS=OFF -DTARNEL_WORLD_MAP=ON "$@" >/dev/null
  echo "$build: building"
  cmake --build "$build" -j2 >/dev/null
  echo "$build: packaging ${generators//;/ and } into $out"
  (cd "$build" && cpack -G "$generators" -B "$out" >/dev/null)
  echo "$build: done in $((SECONDS - started)) s"
}

package build-package-linux "DEB;TGZ"
bash toolchains/build-geographiclib.sh aarch64
package build-package-arm64 DEB -DCMAKE_TOOLCHAIN_FILE=toolchains/aarch64-linux-gnu.cmake
bash toolchains/build-geographiclib.sh windows
package build-package-windows ZIP -DCMAKE_TOOLCHAIN_FILE=toolchains/x86_64-w64-mingw32.cmake
bash toolchains/build-geographiclib.sh windows32
package build-package-windows32 ZIP -DCMAKE_TOOLCHAIN_FILE=toolchains/i686-w64-mingw32.cmake
rm -rf "$out/_CPack_Packages"
ls -l "$out"

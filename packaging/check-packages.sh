#!/usr/bin/env bash
# Checks what build-all.sh produced: lintian finds no error in the .deb
# files; the amd64 .deb, unpacked, converts a real file to the same bytes as
# the build tree's TARNEL, and its manual page renders; the .zip holds
# TARNEL.exe, which does the same under wine.
#
#   bash packaging/check-packages.sh [DIST_DIR] [REFERENCE_BUILD]
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$(cd "${1:-dist}" && pwd)
reference=$(cd "${2:-build}" && pwd)
version=$(sed -n 's/^project(TARNEL VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
export WINEDEBUG=-all
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

input=../shared/testdata/france-2026-04.txt
[ -f "$input" ] || input=examples/sample.oa
input=$(realpath "$input")
"$reference/TARNEL" "$input" "$scratch/reference.zrn" >/dev/null

ls -l "$dist"
for deb in "$dist"/tarnel_"$version"_amd64.deb "$dist"/tarnel_"$version"_arm64.deb; do
  lintian --fail-on error "$deb"
  echo "lintian: no error in $(basename "$deb")"
done

dpkg-deb -x "$dist/tarnel_${version}_amd64.deb" "$scratch/deb"
"$scratch/deb/usr/bin/TARNEL" "$input" "$scratch/deb.zrn" >/dev/null
cmp "$scratch/reference.zrn" "$scratch/deb.zrn"
echo "the packaged TARNEL converts $(basename "$input") to the build tree's bytes"
man -l "$scratch/deb/usr/share/man/man1/TARNEL.1.gz" 2>&1 >/dev/null | (! grep .) || { echo "the manual page warns"; exit 1; }
# grep without -q reads to the end: stopping early would leave the writer a
# SIGPIPE, which pipefail takes for a failure.
MANWIDTH=80 man -l "$scratch/deb/usr/share/man/man1/TARNEL.1.gz" | grep "TARNEL $version" >/dev/null
echo "the packaged manual page renders, version $version"

zip="$dist/tarnel-$version-windows-x86_64.zip"
unzip -l "$zip" | grep " TARNEL.exe$" >/dev/null
unzip -q "$zip" -d "$scratch/zip"
(cd "$scratch" && wine zip/TARNEL.exe "$input" zip.zrn >/dev/null)
cmp "$scratch/reference.zrn" "$scratch/zip.zrn"
echo "the zipped TARNEL.exe converts $(basename "$input") to the same bytes under wine"

#!/usr/bin/env bash
# Checks what build-all.sh produced: lintian finds no error in the .deb
# files; the amd64 .deb, unpacked, converts a real file to the same bytes as
# the build tree's TARNEL, and its manual page renders; the .deb and the
# .tar.gz have tarnel in lower case as links to the program and the manual;
# the .zip unpacks into one folder with TARNEL.exe, which does the same under
# wine, a README.txt with CR LF line ends and the manual as text.
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
# tarnel in lower case: the program and its manual, as links, in both Linux packages.
tar -xzf "$dist/tarnel-$version-linux-x86_64.tar.gz" -C "$scratch"
for root in "$scratch/deb/usr" "$scratch/tarnel-$version-linux-x86_64"; do
  [ "$(readlink "$root/bin/tarnel")" = TARNEL ] || { echo "$root/bin/tarnel is not a link to TARNEL"; exit 1; }
  [ "$(readlink "$root/share/man/man1/tarnel.1.gz")" = TARNEL.1.gz ] ||
    { echo "$root/share/man/man1/tarnel.1.gz is not a link to the manual"; exit 1; }
done
"$scratch/deb/usr/bin/tarnel" "$input" "$scratch/lower.zrn" >/dev/null
cmp "$scratch/reference.zrn" "$scratch/lower.zrn"
MANWIDTH=80 man -l "$scratch/deb/usr/share/man/man1/tarnel.1.gz" | grep "TARNEL $version" >/dev/null
echo "tarnel, in lower case, runs the program and shows the manual, from the .deb and the .tar.gz"
man -l "$scratch/deb/usr/share/man/man1/TARNEL.1.gz" 2>&1 >/dev/null | (! grep .) || { echo "the manual page warns"; exit 1; }
# grep without -q reads to the end: stopping early would leave the writer a
# SIGPIPE, which pipefail takes for a failure.
MANWIDTH=80 man -l "$scratch/deb/usr/share/man/man1/TARNEL.1.gz" | grep "TARNEL $version" >/dev/null
echo "the packaged manual page renders, version $version"

zip="$dist/tarnel-$version-windows-x86_64.zip"
folder=tarnel-$version-windows-x86_64
# One folder, and in it the program, the short README and the manual.
entries=$(unzip -Z1 "$zip" | sort)
expected=$(printf '%s\n' "$folder/" "$folder/README.txt" "$folder/TARNEL.exe" "$folder/TARNEL.txt" | sort)
if [ "$entries" != "$expected" ] && [ "$entries" != "$(grep -v '/$' <<<"$expected")" ]; then
  echo "the .zip holds:"
  echo "$entries"
  exit 1
fi
unzip -q "$zip" -d "$scratch/zip"
lines=$(wc -l <"$scratch/zip/$folder/README.txt")
[ "$(grep -c $'\r$' "$scratch/zip/$folder/README.txt")" = "$lines" ] || { echo "README.txt has lines without CR LF"; exit 1; }
grep -q -- "--arcs" "$scratch/zip/$folder/README.txt"
grep -q -- "--decimals=6" "$scratch/zip/$folder/README.txt"
grep -q "TARNEL $version" "$scratch/zip/$folder/TARNEL.txt"
(cd "$scratch" && wine "zip/$folder/TARNEL.exe" "$input" zip.zrn >/dev/null)
cmp "$scratch/reference.zrn" "$scratch/zip.zrn"
echo "the .zip unpacks into $folder/ with TARNEL.exe, README.txt (CR LF) and the manual; TARNEL.exe converts $(basename "$input") to the same bytes under wine"

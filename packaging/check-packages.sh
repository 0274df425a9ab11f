#!/usr/bin/env bash
# Checks what build-all.sh produced: lintian finds no error in the .deb
# files; the amd64 .deb, unpacked, converts a real file to the same bytes as
# the build tree's TARNEL, and its manual page renders; the .deb and the
# .tar.gz have tarnel in lower case as links to the program and the manual;
# each .zip (64-bit and 32-bit Windows) unpacks into one folder with
# TARNEL.exe, which does the same under wine, a README.txt and the manual as
# Windows text; the 32-bit TARNEL.exe's PE header and imports suit Windows 7.
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

# Each .zip: one folder, and in it the program, the short README and the
# manual, both as Windows text; the program converts under wine where the
# machine runs it. check_zip ARCH RUNNER
check_zip() {
  local arch=$1 runner=$2
  local zip="$dist/tarnel-$version-windows-$arch.zip" folder=tarnel-$version-windows-$arch
  local entries expected lines file
  entries=$(unzip -Z1 "$zip" | sort)
  expected=$(printf '%s\n' "$folder/" "$folder/README.txt" "$folder/TARNEL.exe" "$folder/TARNEL.txt" | sort)
  if [ "$entries" != "$expected" ] && [ "$entries" != "$(grep -v '/$' <<<"$expected")" ]; then
    echo "the $arch .zip holds:"
    echo "$entries"
    exit 1
  fi
  unzip -q "$zip" -d "$scratch/zip-$arch"
  for file in README.txt TARNEL.txt; do
    lines=$(wc -l <"$scratch/zip-$arch/$folder/$file")
    [ "$(grep -c $'\r$' "$scratch/zip-$arch/$folder/$file")" = "$lines" ] || { echo "$file has lines without CR LF"; exit 1; }
  done
  grep -q -- "--arcs" "$scratch/zip-$arch/$folder/README.txt"
  grep -q -- "--decimals=6" "$scratch/zip-$arch/$folder/README.txt"
  grep -q "TARNEL $version" "$scratch/zip-$arch/$folder/TARNEL.txt"
  # Windows text: no Linux-only passage, no hyphenation mark, the place read with set /a.
  ! grep -E "/proc/self|printf|\xe2\x80\x90" "$scratch/zip-$arch/$folder/TARNEL.txt" || { echo "TARNEL.txt is no Windows text"; exit 1; }
  grep -q "set /a 0x00003A98" "$scratch/zip-$arch/$folder/TARNEL.txt"
  if [ "$runner" = skip ]; then
    echo "the $arch .zip unpacks into $folder/ with TARNEL.exe, README.txt and the manual (CR LF); its run skipped: this machine runs no 32-bit programs"
    return
  fi
  (cd "$scratch" && "$runner" "zip-$arch/$folder/TARNEL.exe" "$input" "zip-$arch.zrn" >/dev/null)
  cmp "$scratch/reference.zrn" "$scratch/zip-$arch.zrn"
  echo "the $arch .zip unpacks into $folder/ with TARNEL.exe, README.txt and the manual (CR LF); TARNEL.exe converts $(basename "$input") to the same bytes under wine"
}
check_zip x86_64 "$PWD/toolchains/wine64.sh"
runner=skip
[ "${TARNEL_RUNS_32BIT:-$(bash toolchains/runs-32bit.sh)}" = yes ] && runner=$PWD/toolchains/wine32.sh
check_zip x86 "$runner"

# The 32-bit TARNEL.exe's header: i386 (machine 0x14c), console subsystem,
# Windows 7 SP1 (6.1) as its oldest, large-address-aware; and every function
# it imports among those checked to exist on Windows 7
# (packaging/windows7-imports.txt). A new import fails here until it is
# checked and added there.
exe="$scratch/zip-x86/tarnel-$version-windows-x86/TARNEL.exe"
[ "$(od -An -tx2 -j "$(($(od -An -tu4 -j 60 -N4 "$exe") + 4))" -N2 "$exe" | tr -d ' ')" = 014c ] ||
  { echo "TARNEL.exe is not for i386"; exit 1; }
header=$(i686-w64-mingw32-objdump -p "$exe")
for field in "MajorOSystemVersion	6" "MinorOSystemVersion	1" "MajorSubsystemVersion	6" \
  "MinorSubsystemVersion	1" "Subsystem		00000003	(Windows CUI)" "large address aware"; do
  grep -qF "$field" <<<"$header" || { echo "TARNEL.exe's header lacks: $field"; exit 1; }
done
imports=$(awk -F'\t' '/DLL Name:/ { split($2, a, ": "); dll = toupper(a[2]); next }
  dll != "" && NF >= 3 && $3 ~ /^ *[0-9]+ +[A-Za-z_]/ { n = split($3, b, " "); print dll ":" b[n] }' <<<"$header" | sort -u)
unknown=$(comm -23 <(echo "$imports") <(grep -v '^#' packaging/windows7-imports.txt | sort -u))
[ -z "$unknown" ] || { echo "TARNEL.exe imports what is not checked against Windows 7:"; echo "$unknown"; exit 1; }
echo "the 32-bit TARNEL.exe: i386, console, Windows 6.1 and later, large-address-aware, $(wc -l <<<"$imports") imports all on Windows 7"

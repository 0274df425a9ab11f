#!/usr/bin/env bash
# Builds TARNEL for one platform, runs its tests there (under an emulator for
# another processor or system), and converts the real OpenAir files of
# ../shared/testdata to the same bytes as a native reference build.
#
#   bash toolchains/check-platform.sh PLATFORM [REFERENCE_BUILD]
#
# PLATFORM: aarch64, s390x, i686 (cross builds, run under qemu-user),
# windows (TARNEL.exe from MinGW-w64, run under wine, with end-to-end runs
# of its messages and failures as well), soft
# (native, extended arithmetic in software and portable 128-bit integers),
# ld64 (native, long double as a plain double). REFERENCE_BUILD defaults to
# build/, which must hold a native TARNEL.
set -euo pipefail
cd "$(dirname "$0")/.."
platform=${1:?platform}
reference=${2:-build}
build=build-$platform
run=()
case $platform in
  aarch64 | s390x) options=(-DCMAKE_TOOLCHAIN_FILE=toolchains/$platform-linux-gnu.cmake) run=(qemu-$platform-static) ;;
  i686) options=(-DCMAKE_TOOLCHAIN_FILE=toolchains/i686-linux-gnu.cmake) run=(qemu-i386-static) ;;
  windows) options=(-DCMAKE_TOOLCHAIN_FILE=toolchains/x86_64-w64-mingw32.cmake) run=(wine) ;;
  soft) options=(-DTARNEL_SOFT_EXTENDED=ON -DTARNEL_PORTABLE_UINT128=ON) ;;
  ld64) options=(-DCMAKE_CXX_FLAGS=-mlong-double-64) ;;
  *) echo "unknown platform: $platform" >&2; exit 2 ;;
esac

export WINEDEBUG=-all  # wine's own diagnostics would mix with the program's
if [ "$platform" = windows ]; then
  # One wine server for all the runs: a run that starts while a server shuts
  # down after the last one can fail.
  wineboot --init >/dev/null 2>&1 || true
  wineserver --persistent || true  # or one runs already
  trap 'wineserver --kill || true' EXIT
fi
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j2 >/dev/null
if ! ctest --test-dir "$build" -j2 --output-on-failure >"$build/ctest.log" 2>&1; then
  cat "$build/ctest.log"
  exit 1
fi
tail -n 3 "$build/ctest.log"

program=$build/TARNEL
[ -f "$program.exe" ] && program=$program.exe
data=../shared/testdata
if [ -d "$data" ]; then
  for input in "$data"/*.txt; do
    name=$(basename "$input" .txt)
    "$reference/TARNEL" "$input" "$build/$name.reference.zrn" >/dev/null
    status=0
    "${run[@]}" "$program" "$input" "$build/$name.zrn" >/dev/null || status=$?
    if [ "$status" -ne 0 ]; then
      # Under a heavy load wine has been seen to fail to start a process,
      # with no word; a real failure of the program fails again.
      [ "$platform" = windows ] || exit "$status"
      echo "$platform: $name.txt: the run failed (exit $status), once more"
      "${run[@]}" "$program" "$input" "$build/$name.zrn" >/dev/null
    fi
    cmp "$build/$name.reference.zrn" "$build/$name.zrn"
    echo "$platform: $name.txt gives the same bytes"
  done
else
  echo "skipped the real files: no $data beside the project"
fi

if [ "$platform" = windows ]; then
  bash toolchains/windows-runs.sh "$program" "$reference/TARNEL"
fi

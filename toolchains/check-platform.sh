#!/usr/bin/env bash
# Builds TARNEL for one platform, runs its tests there (under an emulator for
# another processor or system), and converts the real OpenAir files of
# ../shared/testdata (with and without --arcs, --decimals=6 with and without
# --arcs, --decimals=11 without), generated polygons (--decimals=6 and 11)
# and generated circles and arcs (centres on two-decimal ties among them;
# --arcs, with and without --decimals=6) to the same bytes as a native
# reference build. With --arcs --decimals=11 the last digit may differ
# where a platform's sin, cos or atan2 differs in its last bit: those
# differences are counted and shown, not failed. The cross builds first build
# GeographicLib for their target (toolchains/build-geographiclib.sh).
#
#   bash toolchains/check-platform.sh PLATFORM [REFERENCE_BUILD] [--install-deps]
#
# --install-deps lets the GeographicLib build change the machine where it
# must (see toolchains/build-geographiclib.sh); nothing else here does.
#
# PLATFORM: aarch64, s390x (cross builds, run under qemu-user), i686 (cross
# build, run natively: qemu-i386 gets the x87's remainder wrong),
# windows and windows32 (TARNEL.exe from MinGW-w64 for x86-64 and for i686,
# run under wine64 and wine in prefixes of their own, with end-to-end runs
# of its messages and failures as well; the 32-bit test program is run once,
# not once for each test), soft
# (native, extended arithmetic in software and portable 128-bit integers),
# ld64 (native, long double as a plain double). REFERENCE_BUILD defaults to
# build/, which must hold a native TARNEL.
# On a machine that runs no 32-bit programs (TARNEL_RUNS_32BIT=no, as
# .ci/run finds out once, or toolchains/runs-32bit.sh here), a 32-bit target
# is built, its test programs listed only when ctest runs them, and its runs
# skipped with a line saying so.
set -euo pipefail
cd "$(dirname "$0")/.."
arguments=()
for argument in "$@"; do
  if [ "$argument" = --install-deps ]; then export TARNEL_INSTALL_DEPS=yes; else arguments+=("$argument"); fi
done
platform=${arguments[0]:?platform}
reference=${arguments[1]:-build}
build=build-$platform
run=()
case $platform in
  aarch64 | s390x) options=(-DCMAKE_TOOLCHAIN_FILE=toolchains/$platform-linux-gnu.cmake) run=(qemu-$platform-static) ;;
  i686) options=(-DCMAKE_TOOLCHAIN_FILE=toolchains/i686-linux-gnu.cmake) ;;
  windows) options=(-DCMAKE_TOOLCHAIN_FILE=toolchains/x86_64-w64-mingw32.cmake) run=("$PWD/toolchains/wine64.sh") ;;
  windows32) options=(-DCMAKE_TOOLCHAIN_FILE=toolchains/i686-w64-mingw32.cmake) run=("$PWD/toolchains/wine32.sh") ;;
  soft) options=(-DTARNEL_SOFT_EXTENDED=ON -DTARNEL_PORTABLE_UINT128=ON) ;;
  ld64) options=(-DCMAKE_CXX_FLAGS=-mlong-double-64) ;;
  *) echo "unknown platform: $platform" >&2; exit 2 ;;
esac

export WINEDEBUG=-all  # wine's own diagnostics would mix with the program's
case $platform in
  aarch64 | s390x | i686 | windows | windows32) bash toolchains/build-geographiclib.sh "$platform" ;;
esac
case $platform in i686 | windows32) bits=32 ;; *) bits=64 ;; esac
if [ $bits = 32 ] && [ "${TARNEL_RUNS_32BIT:-$(bash toolchains/runs-32bit.sh)}" != yes ]; then
  # GoogleTest's discovery would run the test programs while building.
  cmake -S . -B "$build" "${options[@]}" -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
  cmake --build "$build" -j2 >/dev/null
  echo "$platform: built; its tests and conversions skipped: this machine runs no 32-bit programs (IA-32 emulation off)"
  exit 0
fi
if [ "$platform" = windows ] || [ "$platform" = windows32 ]; then
  # One wine server for all the runs of a prefix: a run that starts while a
  # server shuts down after the last one can fail.
  "${run[@]}" wineboot --init >/dev/null 2>&1 || true
  "${run[@]}" wineserver --persistent || true  # or one runs already
  trap '"${run[@]}" wineserver --kill || true' EXIT
fi
if [ "$platform" = windows32 ]; then
  # One wine start for the whole test program, not one for each test.
  cmake -S . -B "$build" "${options[@]}" -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
  cmake --build "$build" -j2 >/dev/null
  if ! "${run[@]}" "$build/tests/tarnel_tests.exe" --gtest_brief=1 >"$build/tests.log" 2>&1; then
    cat "$build/tests.log"
    exit 1
  fi
  tail -n 2 "$build/tests.log"
else
  cmake -S . -B "$build" "${options[@]}" >/dev/null
  cmake --build "$build" -j2 >/dev/null
  # wine has been seen to fail to start a test's process under load, with no
  # word: such a test runs once more; a real failure fails again.
  retry=()
  [ "$platform" = windows ] && retry=(--repeat until-pass:2)
  if ! ctest --test-dir "$build" -j2 "${retry[@]}" --output-on-failure >"$build/ctest.log" 2>&1; then
    cat "$build/ctest.log"
    exit 1
  fi
  tail -n 3 "$build/ctest.log"
fi

program=$build/TARNEL
[ -f "$program.exe" ] && program=$program.exe
# One conversion on the platform against the reference: convert NAME INPUT [OPTION]
convert() {
  local name=$1 input=$2 status=0
  shift 2
  "$reference/TARNEL" "$@" "$input" "$build/$name.reference.zrn" >/dev/null 2>&1
  "${run[@]}" "$program" "$@" "$input" "$build/$name.zrn" >/dev/null 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    # Under a heavy load wine has been seen to fail to start a process,
    # with no word; a real failure of the program fails again.
    case $platform in windows*) ;; *) exit "$status" ;; esac
    echo "$platform: $name: the run failed (exit $status), once more"
    "${run[@]}" "$program" "$@" "$input" "$build/$name.zrn" >/dev/null 2>&1
  fi
  cmp "$build/$name.reference.zrn" "$build/$name.zrn"
  echo "$platform: $name gives the same bytes"
}

# How many point lines differ from the reference's, where they may: count NAME INPUT [OPTION]
count() {
  local name=$1 input=$2
  shift 2
  "$reference/TARNEL" "$@" "$input" "$build/$name.reference.zrn" >/dev/null 2>&1
  "${run[@]}" "$program" "$@" "$input" "$build/$name.zrn" >/dev/null 2>&1 || "${run[@]}" "$program" "$@" "$input" "$build/$name.zrn" >/dev/null 2>&1
  local lines differ
  lines=$(grep -c "<point " "$build/$name.reference.zrn" || true)
  differ=$(diff "$build/$name.reference.zrn" "$build/$name.zrn" | grep -c "^<" || true)
  echo "$platform: $name: $differ of $lines point lines differ (allowed: last bits of sin, cos, atan2)"
}

# The pins found on the platform against the reference's, the same to 8
# decimals (the search itself uses no libm; only the arcs' last bits could
# reach it): pins NAME INPUT
pins() {
  local name=$1 input=$2 lines differ
  "$reference/TARNEL" --arcs --decimals=6 --pins "$input" "$build/$name.reference.zrn" >/dev/null 2>&1
  "${run[@]}" "$program" --arcs --decimals=6 --pins "$input" "$build/$name.zrn" >/dev/null 2>&1 ||
    "${run[@]}" "$program" --arcs --decimals=6 --pins "$input" "$build/$name.zrn" >/dev/null 2>&1
  local cut='s/(pin="-?[0-9]+[.][0-9]{8})[0-9]{3} (-?[0-9]+[.][0-9]{8})[0-9]{3}"/\1 \2"/'
  cmp <(sed -E "$cut" "$build/$name.reference.zrn") <(sed -E "$cut" "$build/$name.zrn")
  lines=$(grep -c " pin=" "$build/$name.reference.zrn" || true)
  differ=$(diff "$build/$name.reference.zrn" "$build/$name.zrn" | grep -c "^<" || true)
  echo "$platform: $name gives the same pins to 8 decimals; $differ of $lines differ in the last 3"
}

data=../shared/testdata
if [ -d "$data" ]; then
  for input in "$data"/*.txt; do
    name=$(basename "$input" .txt)
    convert "$name" "$input"
    convert "$name-arcs" "$input" --arcs
    convert "$name-6" "$input" --decimals=6
    convert "$name-arcs-6" "$input" --arcs --decimals=6
    convert "$name-11" "$input" --decimals=11
    convert "$name-pilot" "$input" --arcs --decimals=6 --limits --max-floor=FL100 --exclude-classes=FIR,E --skip-bad
    count "$name-arcs-11" "$input" --arcs --decimals=11
    pins "$name-pins" "$input"
  done
else
  echo "skipped the real files: no $data beside the project"
fi
# Generated circles and arcs, a quarter of their centres on two-decimal ties.
if [ ! -x build-bench/bench/oagen ]; then
  cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTARNEL_BUILD_TESTS=OFF -DTARNEL_BUILD_BENCHMARKS=ON >/dev/null
  cmake --build build-bench --target oagen >/dev/null
fi
build-bench/bench/oagen arcs 1 crlf "$build/arcs.oa"
convert generated-arcs "$build/arcs.oa" --arcs
convert generated-arcs-6 "$build/arcs.oa" --arcs --decimals=6
count generated-arcs-11 "$build/arcs.oa" --arcs --decimals=11
build-bench/bench/oagen polygons 1 crlf "$build/polygons.oa"
convert generated-polygons-6 "$build/polygons.oa" --decimals=6
convert generated-polygons-11 "$build/polygons.oa" --decimals=11

case $platform in
  windows*) bash toolchains/windows-runs.sh "$program" "$reference/TARNEL" "${run[0]}" ;;
esac

#!/usr/bin/env bash
# End-to-end runs of TARNEL.exe under wine: the messages, the failures and
# their reports, byte for byte where Windows fixes them. The system's own
# error texts are only checked to be there: wine words them otherwise.
#
#   bash toolchains/windows-runs.sh build-windows/TARNEL.exe build/TARNEL [RUNNER]
#
# The second program is the native build: where both fail the same way,
# TARNEL.exe must print the very bytes it prints. RUNNER starts the program
# under wine: toolchains/wine64.sh (the default) or toolchains/wine32.sh.
set -euo pipefail
program=$(realpath "$1")
native=$(realpath "$2")
runner=$(realpath "${3:-$(dirname "$0")/wine64.sh}")
export WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

banner=$'Skavlen\r\nAuxiliary Module - OpenAir Importer 1.0\r\nCopyright (c) 2026 the Skavlen project\r\n\r\n'
failures=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    printf '  expected: %q\n  actual:   %q\n' "$2" "$3"
    failures=$((failures + 1))
  fi
}
contents() { cat "$1"; printf x; }  # a file's bytes, trailing line ends kept, and an x
# run ARGS...: sets code, out, err
run() {
  set +e
  "$runner" "$program" "$@" >out.txt 2>err.txt
  code=$?
  set -e
  out=$(contents out.txt) out=${out%x}
  err=$(contents err.txt) err=${err%x}
}
# native ARGS...: sets expected to the native build's exit code and console
# text, as "code|text"
native() {
  local code=0 text
  "$native" "$@" >native.txt 2>/dev/null || code=$?
  text=$(contents native.txt)
  expected="$code|${text%x}"
}
report() {  # the report of CLASS at PLACE with MESSAGE, and an x
  printf 'Exception %s in module TARNEL.exe at %s.\r\n%s\r\n\r\nx' "$1" "$2" "$3"
}

printf 'AC R\r\nAN Test Area\r\nDP 50:30:00 N 014:20:00 E\r\n' >in.oa
mkdir folder.oa

run
check "no arguments" "1|$banner"$'Error: Arguments missing...\r\nUsage: TARNEL <input-file[.oa]> <output-file[.zrn]>\r\n\r\n' "$code|$out"
run in.oa
check "one argument" "1|$banner"$'Error: Arguments missing...\r\nUsage: TARNEL <input-file[.oa]> <output-file[.zrn]>\r\n\r\n' "$code|$out"
native missing.oa new.zrn
run missing.oa new.zrn
check "missing input: as the native build says it" "$expected|no output" \
  "$code|$out|$([ -e new.zrn ] && echo output || echo no output)"
native folder.oa new.zrn
run folder.oa new.zrn
check "directory as input: as the native build says it" "$expected" "$code|$out"

run in.oa out.zrn
check "conversion" "0|$banner|" "$code|$out|$err"
check "output" $'  <airspace class="R" name="TEST AREA" pin="0.00000000000 0.00000000000">\r\n    <border>\r\n      <point lat="50.50" lon="14.33"/>\r\n    </border>\r\n  </airspace>\r\nx' "$(contents out.zrn)"

cp in.oa same.oa
run same.oa same.oa
full='Z:'${work//\//\\}
expected="Exception EFCreateError in module TARNEL.exe at 00000000."$'\r\n'"Cannot create file \"$full\\same.oa\". "
check "same file as output: refused by the sharing rule" "1|$expected" "$code|${err:0:${#expected}}"
check "same file as output: the input unchanged" "$(cat in.oa)" "$(cat same.oa)"

run in.oa nodir/out.zrn
check "output in a missing folder" "1|Exception EFCreateError in module TARNEL.exe at 00000000." "$code|${err%%$'\r\n'*}"
case $err in *"Cannot create file \"$full\\nodir\\out.zrn\". "?*$'.\r\n\r\n') echo "ok: with the system's text" ;;
  *) echo "FAILED: no system text in $err"; failures=$((failures + 1)) ;; esac

printf 'AC R\r\n* comment\nDP 50:30:00 N 014:20:00 E\rDP 50:3x:00 N 014:20::00 E\r\n' >bad.oa
echo "old" >out.zrn
run bad.oa out.zrn
check "bad coordinate" "1|$banner|$(report EConvertError 00000004 "'' is not a valid floating point value.")|x" \
  "$code|$out|${err}x|$(contents out.zrn)"

# Swapped arguments: the OpenAir file named as the output is kept.
run out.zrn in.oa
check "an OpenAir file as output: refused" \
  "1|Exception EFCreateError in module TARNEL.exe at 00000000."$'\r\n'"Cannot create file \"$full\\in.oa\". It holds OpenAir airspaces and is not replaced."$'\r\n\r\n' \
  "$code|$err"
check "an OpenAir file as output: unchanged" $'AC R\r\nAN Test Area\r\nDP 50:30:00 N 014:20:00 E\r\nx' "$(contents in.oa)"

# --arcs and the other options.
printf 'AC R\r\nV X=50:30:00 N 014:20:00 E\r\nDC 0.05\r\nDA 1\r\n' >arcs.oa
run --arcs arcs.oa arcs.zrn
check "--arcs: summary and warning" \
  "0|$banner"$'1 airspace, 1 point; 0 arcs and 1 circle drawn; 1 left out; 1 warning\r\n|Warning: line 4: not three values, left out: DA 1\r\n' \
  "$code|$out|$err"
native --help
run --help
check "--help: as the native build says it" "$expected" "$code|$out"
run '/?'
check "/?: --help" "$expected" "$code|$out"
run -h
check "-h alone: --help" "$expected" "$code|$out"
run --xyz in.oa new.zrn
check "an unknown option" "1|$banner"$'Error: Unknown option --xyz\r\nUsage: TARNEL [options] <input-file[.oa]> <output-file[.zrn]>\r\n\r\n|no output' \
  "$code|$out|$([ -e new.zrn ] && echo output || echo no output)"

native --decimals=6 --limits --max-floor=FL100 --skip-bad in.oa native.zrn
run --decimals=6 --limits --max-floor=FL100 --skip-bad in.oa options.zrn
check "the pilot options: as the native build says them" "$expected|$(contents native.zrn)" "$code|$out|$(contents options.zrn)"

# File names outside the code page: through the wide API, not the code
# page's best fit (an output named out-ř.zrn written as out-r.zrn).
cp in.oa 'Přehled.txt'
run in.oa latin.zrn
run 'Přehled.txt' 'out-ř.zrn'
check "a Czech input name and output name" "0|yes|no" \
  "$code|$([ -e 'out-ř.zrn' ] && echo yes || echo no)|$([ -e 'out-r.zrn' ] && echo yes || echo no)"
check "the Czech-named output" "$(contents latin.zrn)" "$(contents 'out-ř.zrn')"
native missing.oa new.zrn
run 'Chybí-ř.txt' new.zrn
check "a missing Czech-named input: as the native build says a missing one" "$expected" "$code|$out"

[ "$failures" -eq 0 ] || { echo "$failures end-to-end checks failed"; exit 1; }
echo "windows: every end-to-end run as expected"

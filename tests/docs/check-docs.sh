#!/usr/bin/env bash
# The README against the program: its option table, rendered as GitHub
# renders it (cmark-gfm), is one table with a row for every option --help
# lists, which the manual and the Windows README describe too; its sample outputs are those of the commands beside them, on the
# real files where they are there.
#   bash tests/docs/check-docs.sh TARNEL README.md TESTDATA
set -euo pipefail
program=$1 readme=$2 testdata=$3
failed=0
fail() { echo "FAILED: $*"; failed=1; }
if ! command -v cmark-gfm >/dev/null; then
  echo "skipped: no cmark-gfm to render the README (apt-get install cmark-gfm)"
  exit 77
fi

# The section "Command line" up to the next heading, rendered.
section=$(cmark-gfm -e table "$readme" | awk '/^<h2>Command line<\/h2>/{on=1; next} /^<h[12]>/{on=0} on')
tables=$(grep -c '^<table>' <<<"$section" || true)
[ "$tables" = 1 ] || fail "the option table renders as $tables tables"
table=$(awk '/^<table>/{on=1} on; /^<\/table>/{exit}' <<<"$section")
# Every option of --help, by its name, as the first cell of a row.
options=$("$program" --help | tr -d '\r' | grep -oE '^  --[a-z-]+' | sed 's/^  //')
for option in $options; do
  grep -qE "^<td><code>$option(=[A-Z]+)?</code></td>" <<<"$table" || fail "no row for $option in the option table"
done

# And in the manual (with its escaped hyphens) and the Windows README.
man=$(dirname "$readme")/man/TARNEL.1.in windows=$(dirname "$readme")/packaging/README-windows.txt.in
for option in $options; do
  grep -qE -- "^\.BI? ${option//-/\\\\-}( |=|\$)" "$man" || fail "the manual does not describe $option"
  grep -qE -- "^ +$option([ =]|\$)" "$windows" || fail "the Windows README does not list $option"
done

# The samples: what a command prints, the README's words joined as it wraps them.
flat=$(tr '\n' ' ' <"$readme" | tr -s ' ')
sample() {  # sample TEXT: the README holds TEXT
  grep -qF -- "$1" <<<"$flat" || fail "the README does not say: $1"
}
if [ -f "$testdata/france-2026-04.txt" ] && [ -f "$testdata/france-2011-04.txt" ]; then
  summary=$("$program" --arcs --decimals=6 "$testdata/france-2026-04.txt" "${TMPDIR:-/tmp}/tarnel-docs.zrn" | tail -n 1 | tr -d '\r')
  rm -f "${TMPDIR:-/tmp}/tarnel-docs.zrn"
  sample "\`$summary\`"
  check=$("$program" --check "$testdata/france-2011-04.txt" | tr -d '\r' | sed "s|^$testdata/||") || true
  while IFS= read -r line; do
    grep -qxF -- "${line#    }" <<<"$check" || fail "--check does not print: ${line#    }"
  done < <(grep -E '^    (france-2011-04\.txt:[0-9]|[0-9]+ errors,|extent )' "$readme")
else
  echo "skipped: the samples of the real files (no real test data at $testdata)"
fi
[ "$failed" = 0 ] && echo "the README agrees with the program"
exit "$failed"

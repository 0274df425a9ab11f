#!/usr/bin/env bash
# Prints "yes" where this machine runs 32-bit x86 Linux programs, "no" where
# it does not: some x86-64 kernels have their IA-32 emulation off, and there
# a 32-bit program's execve fails with "Exec format error". Tells by running
# a tiny static one, built with Debian's i686 cross compiler.
set -u
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
printf 'int main(void) { return 0; }\n' >"$dir/tiny.c"
if i686-linux-gnu-gcc -static -o "$dir/tiny" "$dir/tiny.c" 2>/dev/null && "$dir/tiny" 2>/dev/null; then
  echo yes
else
  echo no
fi

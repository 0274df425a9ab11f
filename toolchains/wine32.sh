#!/usr/bin/env bash
# Runs a 32-bit Windows program under wine, in a prefix of its own: once
# Debian's wine32 is installed, the plain wine command starts the 32-bit
# loader.
export WINEPREFIX=${TARNEL_WINEPREFIX32:-$HOME/.wine-tarnel-win32} WINEARCH=win32 WINEDEBUG=-all
# Its own wine server: toolchains/wine32.sh wineserver --persistent
if [ "${1:-}" = wineserver ]; then
  shift
  exec wineserver "$@"
fi
exec wine "$@"

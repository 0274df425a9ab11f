#!/usr/bin/env bash
# Runs a 64-bit Windows program under wine64, by name, in a prefix of its
# own: where wine32 is installed too, the plain wine command would start the
# 32-bit loader.
export WINEPREFIX=${TARNEL_WINEPREFIX64:-$HOME/.wine-tarnel-win64} WINEARCH=win64 WINEDEBUG=-all
# Its own wine server: toolchains/wine64.sh wineserver --persistent
if [ "${1:-}" = wineserver ]; then
  shift
  exec wineserver "$@"
fi
for wine64 in wine64 /usr/lib/wine/wine64; do
  command -v "$wine64" >/dev/null && exec "$wine64" "$@"
done
echo "no wine64 on this machine" >&2
exit 127

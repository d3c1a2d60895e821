#!/bin/sh
# Runs a Windows program quietly under Wine in the prefix named by WINEPREFIX.
# WINEARCH=win64 runs the 64-bit loader directly: Debian's "wine" wrapper always prefers
# the 32-bit loader, which cannot start on kernels that do not execute 32-bit code.
: "${WINEPREFIX:?WINEPREFIX must name the build folder's Wine prefix}"
: "${WINEDEBUG:=-all}"
: "${WINEARCH:=win32}"
: "${WINEDLLOVERRIDES:=mscoree,mshtml=}"
export WINEPREFIX WINEDEBUG WINEARCH WINEDLLOVERRIDES
if [ "$WINEARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64
  exec /usr/lib/wine/wine64 "$@"
fi
exec wine "$@"

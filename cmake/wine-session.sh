#!/bin/sh
# ctest fixture: keeps one wineserver warm for the whole run (otherwise each test pays
# about 2.8 s), with its output detached from ctest's pipes so ctest does not wait on it.
: "${WINEPREFIX:?WINEPREFIX must name the build folder's Wine prefix}"
export WINEPREFIX
here=$(dirname "$0")
case "$1" in
  up)   wineserver -p60 </dev/null >/dev/null 2>&1 &&
        "$here/wine-run.sh" wineboot </dev/null >/dev/null 2>&1 ;;
  down) wineserver -k 2>/dev/null; exit 0 ;;
esac

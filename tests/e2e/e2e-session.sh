#!/bin/sh
# e2e-session.sh up|down TEST_PREFIX: the Wine session of the end-to-end tests, in a prefix
# of their own (WINEPREFIX) with a virtual desktop and its shell, as scripts/run gives the
# user: window frames and the notification area are drawn, so the screenshots show what a
# user sees, and the tests' settings never reach the other tests' registry. The prefix is a
# copy of TEST_PREFIX, made once per build folder; one wineserver is kept warm for the run.
: "${WINEPREFIX:?WINEPREFIX must name the end-to-end prefix}"
here=$(dirname "$0")
root=$(cd "$here/../.." && pwd)
run="$root/cmake/wine-run.sh"
case "$1" in
  up)
    [ -n "$DISPLAY" ] || { echo "skipped: the end-to-end tests need a display"; exit 77; }
    if [ ! -f "$WINEPREFIX/.e2e-desktop" ]; then
      rm -rf "$WINEPREFIX"
      if [ -f "$2/system.reg" ]; then cp -a "$2" "$WINEPREFIX"
      else "$root/cmake/make-prefix.sh" "$WINEPREFIX" "$WINEARCH"; fi
      wineserver -p60 </dev/null >/dev/null 2>&1
      for args in "Explorer /v Desktop /t REG_SZ /d Default" \
                  "Explorer\\Desktops /v Default /t REG_SZ /d 1024x768" \
                  "Explorer\\Desktops\\Default /v EnableShell /t REG_DWORD /d 1"; do
        # shellcheck disable=SC2086
        "$run" reg add "HKCU\\Software\\Wine\\"$args /f </dev/null >/dev/null 2>&1 || exit 1
      done
      wineserver -k
      wineserver -w
      touch "$WINEPREFIX/.e2e-desktop"
    fi
    wineserver -p60 </dev/null >/dev/null 2>&1 &&
      "$run" wineboot </dev/null >/dev/null 2>&1 ;;
  down) wineserver -k 2>/dev/null; exit 0 ;;
esac

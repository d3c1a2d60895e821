#!/bin/sh
# make-prefix.sh DIR [win32|win64]: a quiet Wine prefix for tests. No crash dialog,
# unmanaged windows (no 2 s stall when a window hides under Xvfb), no Mono/Gecko prompts.
set -e
D=$(realpath -m "${1:?prefix dir}")
# Japanese captions: Debian's Wine has no Tahoma, so captions and titles draw in DejaVu Sans
# (bold for titles); linked to IPAGothic (fonts-ipafont-gothic), it shows the glyphs it lacks.
LINK='ipag.ttf,IPAGothic'
[ -f "$D/system.reg" ] && grep -qF "$LINK" "$D/system.reg" && exit 0
mkdir -p "$(dirname "$D")"
export WINEPREFIX="$D" WINEARCH="${2:-win32}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
run=$(dirname "$0")/wine-run.sh
if [ ! -f "$D/system.reg" ]; then
  "$run" wineboot -i >/dev/null 2>&1
  "$run" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  "$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
fi
for face in 'DejaVu Sans' 'DejaVu Sans Bold'; do
  "$run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "$face" /t REG_MULTI_SZ /d "$LINK" /f >/dev/null 2>&1
done
wineserver -w

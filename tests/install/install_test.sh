#!/usr/bin/env bash
# install_test.sh BUILD_DIR SETUP ZIP TITLE: the release packages of one architecture under
# Wine, in a fresh copy of the tests' prefix (WINEPREFIX names where it goes):
#   1. the installer runs silently (/S); install_check reads back what it wrote and saves an
#      option as any account then may;
#   2. the installed program starts and shows its main window with its schedules (e2e driver);
#   3. after a save of options and a schedule, the silent uninstaller leaves only the
#      schedules; after a second installation, /DELETESCHEDULES leaves nothing;
#   4. the zip unpacks into one Quenmark folder with the files it promises, and starts.
set -euo pipefail
build=$1 setup=$2 zip=$3 title=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
run="$root/cmake/wine-run.sh"
driver="$build/e2e_driver.exe"
check="$build/install_check.exe"

if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: the program needs a display (scripts/test starts Xvfb)"
  exit 77
fi
# The win32 installer is a 32-bit program (the win64 one is a 64-bit program).
if [ "${WINEARCH:-}" = win32 ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "skipped: Wine cannot run 32-bit programs here, and the win32 installer is one"
  exit 77
fi

# A fresh prefix each run: nothing of an earlier installation may help this one. The copy
# links the prefix's 1.3 GB of system files, which nothing here changes, and copies the
# registry and the files Wine rewrites in place.
rm -rf "$WINEPREFIX"
cp -al "$build/wineprefix" "$WINEPREFIX"
find "$WINEPREFIX" -maxdepth 1 -type f -exec sh -c 'cp --remove-destination "$1" "$1.copy" && mv "$1.copy" "$1"' _ {} \;
find "$WINEPREFIX/drive_c" -name '*.ini' -type f -exec sh -c 'cp "$1" "$1.copy" && mv "$1.copy" "$1"' _ {} \;
# No menu entries on the Linux desktop for the shortcuts the installer makes.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=};winemenubuilder.exe=d"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quenmark-install.XXXXXX")
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -9 "$pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
wineserver -p60 </dev/null >/dev/null 2>&1
"$run" wineboot </dev/null >/dev/null 2>&1

folder='C:\Program Files\Quenmark'
unix_folder="$WINEPREFIX/drive_c/Program Files/Quenmark"
winpath() { printf 'Z:%s' "${1//\//\\}"; }

step() { echo "== $*"; }

# Runs the program in FOLDER (a Windows path) until the driver has seen its main window and
# its schedules, then ends it and removes its settings.
start_program() {
  local exe="$1\\Quenmark.exe"
  "$run" "$driver" prepare "$exe" "$1" </dev/null
  "$run" "$exe" </dev/null >/dev/null 2>&1 &
  pid=$!
  local rc=0
  "$run" "$driver" list "$title" "$exe" </dev/null >"$tmp/driver.out" 2>&1 || rc=$?
  cat "$tmp/driver.out"
  "$run" "$driver" finish "$title" "$exe" </dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
  return "$rc"
}

# As Windows runs it: the uninstaller starts a copy of itself and returns at once.
uninstall() {
  "$run" "$folder\\uninstall.exe" /S "$@" </dev/null
  "$run" "$check" wait </dev/null
}

step "installing $(basename "$setup") silently"
"$run" "$setup" /S </dev/null
"$run" "$check" installed "$folder" </dev/null
# Wine keeps no access list on files: it turns the Users group's entry into the Unix group's
# write bit. So much can be seen of the grant here; nothing that runs may get it.
group_writable() { [ -n "$(find "$1" -maxdepth 0 -perm -g+w)" ]; }
for writable in data Localization.xml; do
  group_writable "$unix_folder/$writable" || { echo "FAILED: Users may not write $writable"; exit 1; }
done
for fixed in . Quenmark.exe uninstall.exe Help.chm; do
  ! group_writable "$unix_folder/$fixed" || { echo "FAILED: Users may write $fixed"; exit 1; }
done

step "starting the installed program"
start_program "$folder"

step "uninstalling silently: the schedules stay"
"$run" "$check" save "$folder" </dev/null
uninstall
"$run" "$check" removed "$folder" keep </dev/null

step "installing again over the kept schedules, uninstalling with /DELETESCHEDULES"
"$run" "$setup" /S /NOSTARTUP </dev/null
[ -f "$unix_folder/data/Kept by the user.sch" ] || { echo "FAILED: the kept schedule is gone"; exit 1; }
uninstall /DELETESCHEDULES
"$run" "$check" removed "$folder" none </dev/null

step "unpacking $(basename "$zip") and starting it"
mkdir "$tmp/unpacked"
(cd "$tmp/unpacked" && cmake -E tar xf "$zip")
want=$'Quenmark/\nQuenmark/Help.chm\nQuenmark/LICENSE.txt\nQuenmark/Localization.xml\nQuenmark/Quenmark.exe\nQuenmark/data/\nQuenmark/readme.txt'
# The administrative template, with each language of the source tree.
want+=$'\nQuenmark/PolicyDefinitions/\nQuenmark/PolicyDefinitions/Quenmark.admx'
for adml in "$root"/installer/*/Quenmark.adml; do
  culture=$(basename "$(dirname "$adml")")
  want+=$'\n'"Quenmark/PolicyDefinitions/$culture/"$'\n'"Quenmark/PolicyDefinitions/$culture/Quenmark.adml"
done
want=$(printf '%s\n' "$want" | LC_ALL=C sort)
got=$(cd "$tmp/unpacked" && find Quenmark -mindepth 0 \( -type d -printf '%p/\n' -o -printf '%p\n' \) | LC_ALL=C sort)
if [ "$got" != "$want" ]; then
  echo "FAILED: the zip holds"; echo "$got"; exit 1
fi
start_program "$(winpath "$tmp/unpacked/Quenmark")"
echo "install test passed"

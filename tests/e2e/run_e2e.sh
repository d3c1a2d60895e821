#!/usr/bin/env bash
# run_e2e.sh SCENARIO BUILD_DIR TITLE: one scenario of the driver against the built
# Quenmark.exe, started under Wine (prefix from WINEPREFIX) from a temporary program folder
# that holds the program, its translations and a few schedule files. The scenario "list"
# also keeps a screenshot of the main window in BUILD_DIR/screenshots/main.png.
set -euo pipefail
scenario=$1 build=$2 title=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
run="$root/cmake/wine-run.sh"
driver="$build/e2e_driver.exe"

if [ -z "${DISPLAY:-}" ]; then
  echo "skipped: the program needs a display (scripts/test starts Xvfb)"
  exit 77
fi

folder=$(mktemp -d "${TMPDIR:-/tmp}/quenmark-e2e.XXXXXX")
winpath() { printf 'Z:%s' "${1//\//\\}"; }
exe=$(winpath "$folder/Quenmark.exe")
pid=""
finish() {
  "$run" "$driver" finish "$title" "$exe" </dev/null || true
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    echo "the program was still running; killed"
    kill -9 "$pid" 2>/dev/null || true
  fi
  rm -rf "$folder"
}
trap finish EXIT

cp "$build/Quenmark.exe" "$build/Localization.xml" "$folder/"
"$run" "$driver" prepare "$exe" "$(winpath "$folder")" </dev/null

# Detached from our output, so that ctest does not wait on the program's pipes. The splash
# scenario starts the program itself, to see its very first window; clialone finds none.
if [ "$scenario" != splash ] && [ "$scenario" != clialone ]; then
  "$run" "$folder/Quenmark.exe" </dev/null >/dev/null 2>&1 &
  pid=$!
fi

rc=0
# Into a file, not a pipe: a program the driver starts holds its output open.
"$run" "$driver" "$scenario" "$title" "$exe" </dev/null >"$folder/driver.out" 2>&1 || rc=$?
cat "$folder/driver.out"

# Kept whether or not the checks held: a failure is easier to read beside a picture.
if [ "$scenario" = list ] && grep -q '^window ' "$folder/driver.out"; then
  read -r x y w h < <(sed -n 's/^window //p' "$folder/driver.out" | tr -d '\r')
  mkdir -p "$build/screenshots"
  sleep 0.5  # let the window finish painting its frame
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$build/screenshots/main.png"
  echo "screenshot: $build/screenshots/main.png"
fi
exit "$rc"

#!/usr/bin/env bash
# setup_test.sh: scripts/setup's decisions, with stand-ins for apt-get, dpkg and dpkg-query
# on a PATH that holds nothing else of the toolchain, so that every package looks missing.
#   1. an update that fails once: tried again, and everything is installed;
#   2. a kernel that runs 32-bit programs but whose wine32:i386 cannot be installed: a note,
#      and setup succeeds;
#   3. a kernel that runs no 32-bit programs: i386 is neither added nor installed;
#   4. an essential package that cannot be installed: setup stops and names it.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

mkdir -p "$work/bin"
for tool in bash grep sed cat seq mktemp chmod rm base64 dirname sleep id touch; do
  ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
# apt-get: FAIL_UPDATES updates fail first; a package named in BROKEN never installs.
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/bash
state=$STATE
if [ "$1" = update ]; then
  n=$(cat "$state/updates" 2>/dev/null || echo 0); echo $((n + 1)) >"$state/updates"
  [ "$n" -lt "${FAIL_UPDATES:-0}" ] && { echo "E: Mirror sync in progress?" >&2; exit 100; }
  exit 0
fi
shift
pkgs=()
for a in "$@"; do [[ $a == -* ]] || pkgs+=("$a"); done
for p in "${pkgs[@]}"; do
  [[ " ${BROKEN:-} " == *" $p "* ]] && { echo "E: Unable to locate package $p" >&2; exit 100; }
done
printf '%s\n' "${pkgs[@]}" >>"$state/installed"
STUB
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/bash
grep -qx "${@: -1}" "$STATE/installed" 2>/dev/null && echo "install ok installed"
exit 0
STUB
cat >"$work/bin/dpkg" <<'STUB'
#!/bin/bash
[ "$1" = --add-architecture ] && echo "$2" >>"$STATE/arch"
[ "$1" = --print-foreign-architectures ] && cat "$STATE/arch" 2>/dev/null
exit 0
STUB
chmod +x "$work/bin/"*

# run NAME KERNEL32 FAIL_UPDATES BROKEN: runs setup in a fresh state; its output in $out.
run() {
  export STATE="$work/$1"
  mkdir -p "$STATE"
  out=$(env -i PATH="$work/bin" HOME="$work" STATE="$STATE" QUENMARK_KERNEL_32BIT="$2" \
    FAIL_UPDATES="$3" BROKEN="$4" QUENMARK_SETUP_PAUSE=0 bash "$root/scripts/setup" 2>&1)
  rc=$?
}
installed() { grep -qx "$1" "$STATE/installed" 2>/dev/null; }

run retry 1 1 ""
[ $rc -eq 0 ] || fail "an update that failed once stopped setup: $out"
[[ $out == *"trying again"* ]] || fail "no word of trying the update again: $out"
installed nsis && installed wine32:i386 || fail "not everything was installed"

run no-wine32 1 5 "wine32:i386"
[ $rc -eq 0 ] || fail "a missing wine32:i386 stopped setup: $out"
[[ $out == *"going on with those that were"* ]] || fail "no note of the lists left behind: $out"
[[ $out == *"wine32:i386 could not be installed"*"win32 tests will be skipped"* ]] ||
  fail "no note of the skipped win32 tests: $out"
installed mingw-w64 || fail "the essential packages were not installed"

run kernel64 0 0 ""
[ $rc -eq 0 ] || fail "setup failed on a 64-bit-only kernel: $out"
installed wine32:i386 && fail "wine32:i386 was installed where 32-bit programs cannot run"
[ -e "$STATE/arch" ] && fail "the i386 architecture was added where it is of no use"

run broken 0 0 "nsis"
[ $rc -ne 0 ] || fail "setup went on without nsis"
[[ $out == *"cannot install nsis"* ]] || fail "the missing package is not named: $out"
installed mingw-w64 || fail "the other packages were not installed one by one"

[ $failures -eq 0 ] && echo "setup test passed"
exit $((failures > 0))

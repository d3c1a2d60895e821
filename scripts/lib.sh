# Shared by the scripts: paths and an Xvfb of our own.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# start_xvfb: starts Xvfb on a free display, exports DISPLAY, stops it when the script exits.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

# kernel_runs_32bit: whether this kernel starts i386 programs, asked before Wine's 32-bit side
# is installed: a 96-byte i386 program that exits with 42. QUENMARK_KERNEL_32BIT=0 or 1
# answers instead (setup's own test).
kernel_runs_32bit() {
  if [ -n "${QUENMARK_KERNEL_32BIT:-}" ]; then [ "$QUENMARK_KERNEL_32BIT" = 1 ]; return; fi
  local probe rc=0
  probe=$(mktemp)
  echo 'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhgAAAAYAAAAAUAAAAAEAAAuAEAAAC7KgAAAM2A' |
    base64 -d >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" -eq 42 ]
}

# can_run_32bit: whether Wine's 32-bit side is installed and this kernel starts it.
can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# why_no_win32: one line saying why the win32 tests cannot run here.
why_no_win32() {
  if ! kernel_runs_32bit; then
    echo "this kernel does not execute 32-bit programs"
  else
    echo "Wine's 32-bit side (wine32:i386) is not installed: scripts/setup says why"
  fi
}

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

# can_run_32bit: whether this kernel starts 32-bit programs (Wine's i386 loader needs it).
can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

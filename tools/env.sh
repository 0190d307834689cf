# Environment for running the program and its tests under Wine. Sourced.
top=${top:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
BUILD_DIR="${BRIVANE_BUILD:-$top/build}"
export WINEPREFIX="${WINEPREFIX:-$BUILD_DIR/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export TZ=UTC
export no_proxy=127.0.0.1,localhost NO_PROXY=127.0.0.1,localhost
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

# Starts a private Xvfb when there is no display; sets DISPLAY.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -noreset -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    # Waited for while it lives (a loaded machine is slow to start it), not a fixed time.
    for _ in $(seq 600); do { [ -e "/tmp/.X11-unix/X$n" ] || ! kill -0 $XVFB_PID 2>/dev/null; } && break; sleep 0.1; done
    export DISPLAY=":$n"
    trap 'kill $XVFB_PID 2>/dev/null || true' EXIT
    return 0
  done
  echo "no free display number for Xvfb" >&2
  return 1
}

configure_and_build() {
  local build="$BUILD_DIR"
  if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" >/dev/null
  fi
  cmake --build "$build" "$@"
}

#!/usr/bin/env bash
# Installs what building and testing need and fetches the third-party sources
# into .deps/ (ignored). Quick when everything is already there.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
deps="$top/.deps"
mkdir -p "$deps"

packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  binutils-mingw-w64-x86-64 libz-mingw-w64-dev cmake make ninja-build tcl gcc
  xvfb xauth wine wine64 googletest cups cups-client printer-driver-cups-pdf
  poppler-utils qpdf dpkg-dev xz-utils imagemagick python3 x11-utils xdotool procps)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
src_list=/etc/apt/sources.list.d/debian-src.sources
need_update=0
if [ ! -f "$src_list" ] && [ -f /etc/apt/sources.list.d/debian.sources ]; then
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
  need_update=1
fi
if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  echo "setup: installing ${missing[*]:-source lists}"
  apt-get update -q
  [ ${#missing[@]} -gt 0 ] && DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# SQLite amalgamation from Debian's source package.
if [ ! -f "$deps/sqlite/sqlite3.c" ]; then
  rm -rf "$deps/sqlite-src" && mkdir -p "$deps/sqlite-src" && cd "$deps/sqlite-src"
  apt-get source -q sqlite3 >/dev/null 2>&1 || true
  tree=$(ls -d sqlite3-*/ | head -n1)
  mkdir -p "$tree/bld" && cd "$tree/bld"
  ../configure >/dev/null && make -s sqlite3.c >/dev/null
  mkdir -p "$deps/sqlite" && cp sqlite3.c sqlite3.h "$deps/sqlite/"
  cd "$deps" && rm -rf "$deps/sqlite-src"
fi

# libharu: Debian's patch tarball is gone from the mirror (apt-get source exits
# 100), the upstream tarball arrives and builds as is.
if [ ! -d "$deps/libharu" ]; then
  rm -rf "$deps/libharu-src" && mkdir -p "$deps/libharu-src" && cd "$deps/libharu-src"
  apt-get source -q --download-only libharu >/dev/null 2>&1 || true
  tarball=$(ls libharu_*.orig.tar.* 2>/dev/null | head -n1)
  [ -n "$tarball" ] || { echo "setup: libharu source tarball did not arrive" >&2; exit 1; }
  tar xf "$tarball"
  tree=$(find . -maxdepth 1 -mindepth 1 -type d | head -n1)
  mv "$tree" "$deps/libharu"
  cd "$deps" && rm -rf "$deps/libharu-src"
fi

# Wine prefix for tests: created once, private to this tree.
export WINEPREFIX="${WINEPREFIX:-${BRIVANE_BUILD:-$top/build}/wineprefix}" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A prefix's registry reaches its files only when its server writes them (as
# it ends, and every half minute while it runs), which on a loaded machine
# took longer than the minute once allowed here: each step waits for the
# server to end (ten minutes at most, against a process that never ends) and
# checks the file for what it wrote.
server_ended() {
  timeout 600 wineserver -w && return 0
  echo "setup: the test prefix's Wine server did not end within ten minutes" >&2
  exit 1
}
if [ ! -f "$WINEPREFIX/system.reg" ] || [ ! -f "$WINEPREFIX/user.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  server_ended
  [ -f "$WINEPREFIX/system.reg" ] && [ -f "$WINEPREFIX/user.reg" ] ||
    { echo "setup: Wine did not make the test prefix $WINEPREFIX" >&2; exit 1; }
fi
# Sets a value of the prefix's user registry unless user.reg holds `line`
# already; a value the server did not take is asked for again.
set_user_value() { # key, name, type, data, the line user.reg holds once written, what it sets
  local attempt
  for attempt in 1 2 3; do
    grep -qF "$5" "$WINEPREFIX/user.reg" 2>/dev/null && return 0
    wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 || true
    server_ended
  done
  grep -qF "$5" "$WINEPREFIX/user.reg" 2>/dev/null && return 0
  echo "setup: could not set $6 (Wine left $WINEPREFIX/user.reg without it)" >&2
  exit 1
}
# Without a window manager Wine waits two seconds for every managed window it
# hides; test windows need none of its services.
set_user_value 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N '"Managed"="N"' "the test prefix's window mode"
# Direct3D's command-stream thread made every Direct2D page read back across
# threads (a program once hung there); drawing on the calling thread is
# simpler and no slower under Xvfb.
set_user_value 'HKCU\Software\Wine\Direct3D' csmt REG_DWORD 0 '"csmt"=dword:00000000' "the test prefix's Direct3D mode"

# libharu cross-built once (static, no PNG support needed).
if [ ! -f "$deps/libharu-install/lib/libhpdfs.a" ] && [ ! -f "$deps/libharu-install/lib/libhpdf.a" ]; then
  rm -rf "$deps/libharu-build" && mkdir -p "$deps/libharu-build" && cd "$deps/libharu-build"
  cmake "$deps/libharu" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DLIBHPDF_SHARED=OFF -DLIBHPDF_STATIC=ON -DLIBHPDF_EXAMPLES=OFF \
    -DCMAKE_INSTALL_PREFIX="$deps/libharu-install" -DCMAKE_DISABLE_FIND_PACKAGE_PNG=ON >/dev/null
  make -s -j"$(nproc)" >/dev/null && make -s install >/dev/null
fi

# Shared by scripts/run and scripts/test: builds, a Wine prefix of our own,
# and a virtual display.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
build="$root/build"
# Wine keeps per-user files under HOME; CI may start without one.
export HOME="${HOME:-$(getent passwd "$(id -u)" | cut -d: -f6)}"

# configure_and_build DIR [cmake args...] -- [targets...]
configure_and_build() {
  local dir=$1; shift
  local args=() targets=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do args+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  targets=("$@")
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=Release "${args[@]}" >/dev/null
  fi
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$dir" -j "$(nproc)" --target "${targets[@]}"
  else
    cmake --build "$dir" -j "$(nproc)"
  fi
}

build_windows() { # TARGET-ARCH [targets...]
  local arch=$1; shift
  configure_and_build "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" -- "$@"
}

# prepare_prefix DIR [test]: a 64-bit prefix (it runs both builds) with the
# fonts Windows has, title bars under a bare X server, and no Mono/Gecko
# prompts. "test" marks it as the one prefix the test programs accept.
prepare_prefix() {
  local prefix=$1 kind=${2:-}
  # A pinned locale: the ANSI code page of our own prefixes is always 1252.
  export LC_ALL=C.UTF-8
  export WINEPREFIX=$prefix WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=${WINEDEBUG:--all,err+seh}
  if [ ! -f "$prefix/.quillon-prepared" ]; then
    echo "preparing Wine prefix $prefix"
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    local fonts="$prefix/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for f in /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/ms_sans_serif*.ttf \
             /usr/share/wine/fonts/sserife*.fon /usr/share/wine/fonts/marlett.ttf; do
      [ -f "$f" ] && cp -f "$f" "$fonts/"
    done
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$prefix/.quillon-prepared"
  fi
  if [ "$kind" = test ]; then
    touch "$prefix/drive_c/quillon-test-prefix"
  fi
}

# start_xvfb: a private virtual display, stopped when the script exits.
start_xvfb() {
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.05
    done
    export DISPLAY=":$n"
    return 0
  done
  echo "no free display number for Xvfb" >&2
  return 1
}

stop_xvfb() {
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null || true
}

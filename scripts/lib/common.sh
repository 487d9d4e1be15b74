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

# Whether this machine runs 32-bit Windows programs, decided once per run:
# some kernels cannot run 32-bit Linux programs, and there Wine's 32-bit
# loader fails with "Exec format error". QUILLON_WIN32=0 or 1 forces the
# answer. Where the answer is no, every Wine call goes through the 64-bit
# loader (WINELOADER too, so Wine's own helper programs use it).
wine32_loader=/usr/lib/wine/wine
wine64_loader=/usr/lib/wine/wine64
decide_win32() {
  local out
  case "${QUILLON_WIN32:-}" in
    1)
      if ! out=$(timeout 30 bash -c 'exec "$0" --version' "$wine32_loader" 2>&1); then
        echo "$out" >&2
        echo "QUILLON_WIN32=1, but this machine cannot run 32-bit Windows programs: Wine's 32-bit loader ($wine32_loader) fails (above)." >&2
        exit 1
      fi
      win32=1 ;;
    0) win32=0 ;;
    "")
      if timeout 30 bash -c 'exec "$0" --version' "$wine32_loader" >/dev/null 2>&1; then win32=1; else win32=0; fi ;;
    *)
      echo "QUILLON_WIN32 must be 0 or 1, not '$QUILLON_WIN32'" >&2
      exit 1 ;;
  esac
  export QUILLON_WIN32=$win32
  if [ "$win32" = 1 ]; then
    export QUILLON_WINE=wine
  else
    export QUILLON_WINE=$wine64_loader WINELOADER=$wine64_loader
  fi
}

# wine ARGS...: the loader this machine can use.
wine() { "$QUILLON_WINE" "$@"; }

decide_win32
# The Windows build that runs here: i686 (the release build) where 32-bit
# programs run, x86_64 elsewhere.
if [ "$win32" = 1 ]; then run_arch=i686; else run_arch=x86_64; fi

# prepare_prefix DIR [test]: a 64-bit prefix (it runs both builds) with the
# fonts Windows has, title bars under a bare X server, and no Mono/Gecko
# prompts. "test" marks it as the one prefix the test programs accept. Only
# for prefixes of our own: one left half-made by a failed run is made again.
prepare_prefix() {
  local prefix=$1 kind=${2:-}
  # A pinned locale: the ANSI code page of our own prefixes is always 1252.
  export LC_ALL=C.UTF-8
  export WINEPREFIX=$prefix WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=${WINEDEBUG:--all,err+seh}
  if [ ! -f "$prefix/.quillon-prepared" ]; then
    echo "preparing Wine prefix $prefix"
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    mkdir -p "$prefix"
    if ! wine wineboot -i >"$prefix/.wineboot.log" 2>&1 || ! wineserver -w; then
      cat "$prefix/.wineboot.log" >&2
      echo "Could not make the Wine prefix $prefix: wineboot failed (above)." >&2
      [ "$win32" = 1 ] || echo "This machine cannot run 32-bit programs; the prefix was made with the 64-bit loader $wine64_loader." >&2
      exit 1
    fi
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

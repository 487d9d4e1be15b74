# shellcheck shell=bash
# Shared by scripts/run, scripts/test and scripts/bench: builds, the Wine
# loader this machine can use, and a Wine session (a virtual display, a
# prefix of our own, one server) that ends with the script.
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
  local toolchain="$root/cmake/toolchain-$arch.cmake"
  # A toolchain's flags reach only a fresh cache.
  [ "$toolchain" -nt "$build/$arch/CMakeCache.txt" ] && rm -f "$build/$arch/CMakeCache.txt"
  configure_and_build "$build/$arch" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -- "$@"
}

# The two Wine loaders and the server. The scripts' own test points them at
# stand-ins that record how they were called.
wine32_loader=${QUILLON_WINE32_LOADER:-/usr/lib/wine/wine}
wine64_loader=${QUILLON_WINE64_LOADER:-/usr/lib/wine/wine64}
wineserver_program=${QUILLON_WINESERVER:-wineserver}

# Whether this machine runs 32-bit Windows programs, decided once per run:
# some kernels cannot run 32-bit Linux programs, and there Wine's 32-bit
# loader fails with "Exec format error". QUILLON_WIN32=0 or 1 forces the
# answer. Where the answer is no, every Wine call goes through the 64-bit
# loader (WINELOADER too, so Wine's own helper programs use it).
# loader_runs: whether the 32-bit loader starts. Through bash's exec, so a
# loader the kernel cannot run reports "Exec format error" instead of being
# taken for a shell script, as timeout's own exec fallback would.
loader_runs() {
  # shellcheck disable=SC2016 # $0 is the inner shell's
  timeout 30 bash -c 'exec "$0" --version' "$wine32_loader"
}

decide_win32() {
  local out
  case "${QUILLON_WIN32:-}" in
    1)
      if ! out=$(loader_runs 2>&1); then
        echo "$out" >&2
        echo "QUILLON_WIN32=1, but this machine cannot run 32-bit Windows programs: Wine's 32-bit loader ($wine32_loader) fails (above)." >&2
        exit 1
      fi
      win32=1 ;;
    0) win32=0 ;;
    "")
      if loader_runs >/dev/null 2>&1; then win32=1; else win32=0; fi ;;
    *)
      echo "QUILLON_WIN32 must be 0 or 1, not '$QUILLON_WIN32'" >&2
      exit 1 ;;
  esac
  export QUILLON_WIN32=$win32
  # Loaders by their paths: a bare "wine" is Debian's script, which takes the
  # 32-bit loader whenever it is installed, even where it cannot run.
  if [ "$win32" = 1 ]; then
    export QUILLON_WINE=$wine32_loader
  else
    export QUILLON_WINE=$wine64_loader WINELOADER=$wine64_loader
  fi
}

# run_wine ARGS...: a Windows program through the loader this machine can use.
run_wine() { "$QUILLON_WINE" "$@"; }
run_wineserver() { "$wineserver_program" "$@"; }

decide_win32
# The Windows build that runs here: i686 (the release build) where 32-bit
# programs run, x86_64 elsewhere.
# shellcheck disable=SC2034 # for the scripts that source this file
if [ "$win32" = 1 ]; then run_arch=i686; else run_arch=x86_64; fi

# prepare_prefix DIR [test]: a 64-bit prefix (it runs both builds) with the
# fonts Windows has, title bars under a bare X server, and no Mono/Gecko
# prompts. "test" marks it as the one prefix the test programs accept. Only
# for prefixes of our own: one left half-made by a failed run is made again.
prefix_recipe=2
prepare_prefix() {
  local prefix=$1 kind=${2:-}
  # A pinned locale: the ANSI code page of our own prefixes is always 1252.
  export LC_ALL=C.UTF-8
  export WINEPREFIX=$prefix WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=${WINEDEBUG:--all,err+seh}
  # The marker holds the recipe's version: a prefix made by an older recipe is
  # made again.
  if [ "$(cat "$prefix/.quillon-prepared" 2>/dev/null)" != "$prefix_recipe" ]; then
    echo "preparing Wine prefix $prefix"
    run_wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    mkdir -p "$prefix"
    if ! run_wine wineboot -i >"$prefix/.wineboot.log" 2>&1 || ! run_wineserver -w; then
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
    run_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    run_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
    # Carets that do not blink: two screenshots of a window are the same.
    run_wine reg add 'HKCU\Control Panel\Desktop' /v CursorBlinkRate /t REG_SZ /d -1 /f >/dev/null 2>&1
    run_wineserver -w
    echo "$prefix_recipe" >"$prefix/.quillon-prepared"
  fi
  if [ "$kind" = test ]; then
    touch "$prefix/drive_c/quillon-test-prefix"
  fi
}

# start_xvfb [SCREEN]: a private virtual display (1024x768x24 unless given) on
# a display number that Xvfb itself finds free (-displayfd), so parallel runs
# never race for one.
start_xvfb() {
  local numfile n=""
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768x24}" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 1 200); do
    n=$(tr -dc 0-9 <"$numfile")
    [ -n "$n" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$numfile"
  if [ -z "$n" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$n"
}

stop_xvfb() {
  if [ -n "${xvfb_pid:-}" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  xvfb_pid=""
}

# start_wine_session PREFIX [KIND [SCREEN]]: a virtual display, the prefix made
# ready and one Wine server kept for the whole run (a Wine start then costs
# milliseconds, not a second); all of it stops when the script exits. The
# test prefix starts at 96 ppi whatever an earlier run left.
start_wine_session() {
  trap stop_wine_session EXIT
  start_xvfb "${3:-}" || exit 1
  prepare_prefix "$1" "${2:-}"
  run_wineserver -p
  # Wine's helper services start here, away from any program's output.
  run_wine wineboot >/dev/null 2>&1
  [ "${2:-}" = test ] && set_screen_ppi 96
  return 0
}

# set_screen_ppi PPI: the prefix's "Screen resolution" (winecfg's), which
# Wine reads when a program starts. Only for prefixes of our own.
set_screen_ppi() {
  run_wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
}

stop_wine_session() {
  run_wineserver -k 2>/dev/null
  stop_xvfb
  return 0
}

# wait_for_window TITLE: prints the id of the top-level window with exactly
# that title once it shows; fails after 40 s.
wait_for_window() {
  local window
  for _ in $(seq 1 400); do
    window=$(xwininfo -root -tree 2>/dev/null | awk -v t="\"$1\"" 'index($0, t) {print $1; exit}')
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# wait_for_window_gone ID: the next screenshot must not show it.
wait_for_window_gone() {
  [ -n "$1" ] || return 0
  for _ in $(seq 1 50); do
    xwininfo -id "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
}

# screenshot FILE: the whole virtual screen, trimmed to what is on it.
screenshot() {
  import -window root "$1" && convert "$1" -trim +repage "$1"
}

#!/usr/bin/env bash
# The scripts' choice of Wine loader on both kinds of machine. Stand-in
# loaders and a stand-in server record how they are called, so both answers
# of the 32-bit decision run here, whatever this kernel can run. Each case is
# a shell of its own: one that crashes (139) or hangs is that case's failure.
# shellcheck source-path=SCRIPTDIR disable=SC2016 # commands in single quotes run in the inner shell
set -u
here=$(cd "$(dirname "$0")" && pwd)
common="$here/../../scripts/lib/common.sh"
test_name=wine-loaders
# shellcheck source=lib/testing.sh
source "$here/lib/testing.sh"

stub wine32 0
stub wine32-broken 126 "cannot execute binary file: Exec format error"
stub wine64 0
stub wineserver 0
stub path/wine 0 # Debian's wine script: reaching it means a loader was not called by its path

# in_scripts WIN32 LOADER32 COMMANDS: runs COMMANDS after sourcing the shared
# functions, with QUILLON_WIN32 as given ("-" for unset) and the stand-ins.
in_scripts() {
  local unset=(-u QUILLON_WIN32 -u QUILLON_WINE -u WINELOADER -u DISPLAY) set=()
  [ "$1" = - ] || set=("QUILLON_WIN32=$1")
  : >"$work/calls"
  timeout 60 env "${unset[@]}" "${set[@]}" PATH="$work/path:$PATH" \
    QUILLON_WINE32_LOADER="$work/$2" QUILLON_WINE64_LOADER="$work/wine64" QUILLON_WINESERVER="$work/wineserver" \
    bash -c 'source "$0" && eval "$1"' "$common" "$3" >"$work/out" 2>"$work/err"
}

# The decision, and the loader that then runs a program.
#      QUILLON_WIN32  32-bit loader   exit  build   loader
cases=("-             wine32          0     i686    wine32"
       "-             wine32-broken   0     x86_64  wine64"
       "0             wine32          0     x86_64  wine64"
       "0             wine32-broken   0     x86_64  wine64"
       "1             wine32          0     i686    wine32"
       "1             wine32-broken   1     -       -"
       "2             wine32          1     -       -")
for c in "${cases[@]}"; do
  read -r win32 loader32 status arch loader <<<"$c"
  what="QUILLON_WIN32=$win32 with $loader32"
  in_scripts "$win32" "$loader32" 'run_wine prog.exe "one arg"; echo "arch=$run_arch WINELOADER=${WINELOADER:-}"'
  rc=$?
  if [ "$rc" != "$status" ]; then
    fail "$what: exit $rc, expected $status; stderr: $(head -c 300 "$work/err")"
    continue
  fi
  if [ "$status" != 0 ]; then
    [ -s "$work/err" ] || fail "$what: stopped without saying why"
    [ "$loader32" != wine32-broken ] || grep -q "Exec format error" "$work/err" ||
      fail "$what: the loader's own error is not shown"
    [ -s "$work/calls" ] && ! grep -q -- "--version" "$work/calls" && fail "$what: ran $(cat "$work/calls")"
    continue
  fi
  grep -qx "arch=$arch WINELOADER=$([ "$loader" = wine64 ] && echo "$work/wine64")" "$work/out" ||
    fail "$what: expected the $arch build, got: $(cat "$work/out")"
  [ "$(tail -n 1 "$work/calls")" = "$loader prog.exe one arg" ] ||
    fail "$what: expected $loader to run the program; calls: $(tr '\n' ';' <"$work/calls")"
done

# A prefix made through either loader, and a whole session (display, prefix,
# server) that ends with its shell.
for loader32 in wine32 wine32-broken; do
  loader=wine32
  [ "$loader32" = wine32 ] || loader=wine64
  prefix="$work/prefix-$loader"
  in_scripts - "$loader32" "start_wine_session '$prefix' test; echo \"xvfb=\$xvfb_pid display=\$DISPLAY\""
  rc=$?
  [ "$rc" = 0 ] || fail "session with $loader32: exit $rc; stderr: $(head -c 300 "$work/err")"
  if [ ! -f "$prefix/.quillon-prepared" ] || [ ! -f "$prefix/drive_c/quillon-test-prefix" ]; then
    fail "session with $loader32: the prefix is not marked as made and as the test prefix"
  fi
  for call in "$loader wineboot -i" "$loader reg add HKCU\\Software\\Wine\\X11 Driver /v Managed /t REG_SZ /d N /f" \
              "wineserver -w" "wineserver -p" "$loader wineboot" "wineserver -k"; do
    grep -qxF "$call" "$work/calls" || fail "session with $loader32: no call '$call'"
  done
  [ "$(tail -n 1 "$work/calls")" = "wineserver -k" ] || fail "session with $loader32: the server is not stopped last"
  grep -q "^path/wine" "$work/calls" && fail "session with $loader32: Debian's wine script was called"
  xvfb=$(sed -nE 's/.*xvfb=([0-9]+) display=:[0-9]+$/\1/p' "$work/out")
  if [ -z "$xvfb" ]; then
    fail "session with $loader32: no virtual display: $(cat "$work/out")"
  elif kill -0 "$xvfb" 2>/dev/null; then
    fail "session with $loader32: the virtual display outlives the session"
    kill "$xvfb"
  fi
done

verdict "all cases pass"

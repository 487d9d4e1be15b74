#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The Debian package's launcher, run from the unpacked package against Wine
# prefixes laid out in home folders of their own, with stand-in loaders: the
# prefix it picks, the build and the loader it starts, what it says, and that
# it never makes a prefix. Takes the .deb (default: the one in build/packages).
set -u
here=$(cd "$(dirname "$0")" && pwd)
debs=("$here"/../../build/packages/quillon_*_all.deb)
deb=${1:-${debs[0]}}
test_name=launcher
# shellcheck source=../scripts/lib/testing.sh
source "$here/../scripts/lib/testing.sh"

stub wine32 0
stub wine32-broken 126 "cannot execute binary file: Exec format error"
stub wine64 0
# A message window that keeps what it was asked to show.
mkdir -p "$work/bin"
printf '#!/bin/sh\necho "xmessage $*" >>"%s/calls"\ncat >>"%s/window"\n' "$work" "$work" >"$work/bin/xmessage"
chmod +x "$work/bin/xmessage"

dpkg-deb -x "$deb" "$work/root" || { echo "launcher: FAILED: cannot unpack $deb"; exit 1; }
launcher=$work/root/usr/bin/quillon
lib=$work/root/usr/lib/quillon
version=$(dpkg-deb -f "$deb" Version)

# make_prefix DIR ARCH DELPHI FONTS: a prefix as Wine lays it out. DELPHI:
# file (Program Files/Borland/Delphi5/Bin/delphi32.exe), FILE86 (the same in
# Program Files (x86), in capitals), key (the installer's registry key),
# subkey (only the keys Quillon itself writes) or none. FONTS: tahoma or none.
make_prefix() {
  local dir=$1 arch=$2 delphi=$3 fonts=$4
  mkdir -p "$dir/drive_c/windows/Fonts" "$dir/drive_c/Program Files" "$dir/drive_c/users"
  printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=%s\n' "$arch" >"$dir/system.reg"
  printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=%s\n' "$arch" >"$dir/user.reg"
  case $delphi in
    file)
      mkdir -p "$dir/drive_c/Program Files/Borland/Delphi5/Bin"
      touch "$dir/drive_c/Program Files/Borland/Delphi5/Bin/delphi32.exe" ;;
    FILE86)
      mkdir -p "$dir/drive_c/Program Files (x86)/Borland/Delphi5/BIN"
      touch "$dir/drive_c/Program Files (x86)/Borland/Delphi5/BIN/DELPHI32.EXE" ;;
    key) printf '\n[Software\\\\Borland\\\\Delphi\\\\5.0] 1700000000\n#time=1d9\n"RootDir"="C:\\\\Delphi5\\\\"\n' >>"$dir/user.reg" ;;
    subkey) printf '\n[Software\\\\Borland\\\\Delphi\\\\5.0\\\\Extras] 1700000000\n"AutoPaletteSelect"="1"\n' >>"$dir/user.reg" ;;
  esac
  [ "$fonts" = tahoma ] && touch "$dir/drive_c/windows/Fonts/tahoma.ttf"
  return 0
}

# Home folders, each with its prefixes (P: ~/.local/share/wineprefixes).
layout() {
  local home=$work/homes/$1 P=$work/homes/$1/.local/share/wineprefixes
  mkdir -p "$home"
  case $1 in
    empty) ;;
    default) make_prefix "$home/.wine" win64 none tahoma ;;
    one) make_prefix "$home/.wine" win64 none tahoma; make_prefix "$P/d5" win64 file tahoma
         make_prefix "$P/other" win64 subkey tahoma ;;
    several) make_prefix "$home/.wine" win64 file tahoma; make_prefix "$P/d5" win64 FILE86 tahoma
             make_prefix "$P/games" win64 none tahoma; mkdir -p "$P/empty" ;;
    key) make_prefix "$P/registry" win64 key tahoma; make_prefix "$P/quillon" win64 subkey tahoma ;;
    32bit) make_prefix "$P/d5" win32 file tahoma ;;
    link) # Delphi only through links into the home folder, as Wine's users folder has them
      make_prefix "$home/.wine" win64 none tahoma
      mkdir -p "$home/Delphi5/Bin" "$home/.wine/drive_c/users/me"
      touch "$home/Delphi5/Bin/delphi32.exe"
      ln -s "$home" "$home/.wine/drive_c/Program Files/home"
      ln -s "$home" "$home/.wine/drive_c/users/me/Desktop" ;;
    notahoma) make_prefix "$P/d5" win64 file none ;;
  esac
  echo "$home"
}

# launch HOME LOADER32 [NAME=VALUE...] -- [ARGS...]: the launcher as a user
# starts it from a menu or a script: no terminal, no display unless given.
launch() {
  local home=$1 loader32=$2 vars=()
  shift 2
  while [ $# -gt 0 ] && [ "$1" != -- ]; do vars+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  : >"$work/calls"; : >"$work/env"; : >"$work/window"
  timeout 60 env -u WINEPREFIX -u WINELOADER -u WINEARCH -u DISPLAY -u XDG_DATA_HOME -u XDG_STATE_HOME \
    HOME="$home" PATH="$work/bin:$PATH" QUILLON_WINE32_LOADER="$work/$loader32" \
    QUILLON_WINE64_LOADER="$work/wine64" "${vars[@]}" "$launcher" "$@" >"$work/out" 2>"$work/err"
}

# The choice of prefix, build and loader. H stands for the home folder, P for
# H/.local/share/wineprefixes; "-" for nothing started. Each message part
# must be in what the launcher said.
#     layout  |32-bit loader|environment       |exit|loader|build |prefix|said
cases=("empty   |wine32       |                  |1   |-     |-     |-     |No Wine prefix with Delphi 5;H/.wine, does not exist"
       "default |wine32       |                  |0   |wine32|i686  |H/.wine|No Wine prefix with Delphi 5;changes the registry of the default prefix, H/.wine"
       "one     |wine32       |                  |0   |wine32|i686  |P/d5  |Starting Quillon in the Wine prefix P/d5"
       "one     |wine32-broken|                  |0   |wine64|x86_64|P/d5  |"
       "one     |absent       |                  |0   |wine64|x86_64|P/d5  |"
       "several |wine32       |                  |1   |-     |-     |-     |more than one Wine prefix;  H/.wine;  P/d5;WINEPREFIX='H/.wine' quillon"
       "key     |wine32       |                  |0   |wine32|i686  |P/registry|"
       "32bit   |wine32       |                  |0   |wine32|i686  |P/d5  |"
       "32bit   |wine32-broken|                  |1   |-     |-     |-     |P/d5 is a 32-bit Wine prefix;cannot run 32-bit programs"
       "32bit   |absent       |                  |1   |-     |-     |-     |P/d5 is a 32-bit Wine prefix;is not installed;wine32:i386"
       "one     |wine32       |WINEPREFIX=H/.wine|0   |wine32|i686  |H/.wine|"
       "one     |wine32       |WINEPREFIX=H/gone |1   |-     |-     |-     |There is no Wine prefix in H/gone;never makes one"
       "link    |wine32       |                  |0   |wine32|i686  |H/.wine|No Wine prefix with Delphi 5"
       "notahoma|wine32-broken|                  |0   |wine64|x86_64|P/d5  |P/d5 has no Tahoma;quillon --install-fonts")
for c in "${cases[@]}"; do
  IFS='|' read -r name loader32 setting status loader build prefix said <<<"$c"
  name=${name// /} loader32=${loader32// /} setting=${setting// /} status=${status// /}
  loader=${loader// /} build=${build// /} prefix=${prefix// /}
  home=$(layout "$name")
  # Only a whole word H or P: the home folder's own path may hold "P/" (tmp.abcP/).
  expand() {
    sed -E -e "s#(^|[^[:alnum:]])P/#\1$home/.local/share/wineprefixes/#g" -e "s#(^|[^[:alnum:]])H/#\1$home/#g" <<<"$1"
  }
  what="$name, $loader32${setting:+, $setting}"
  vars=()
  setting=$(expand "$setting")
  [ -n "$setting" ] && vars=("$setting")
  launch "$home" "$loader32" "${vars[@]}" --
  rc=$?
  [ "$rc" = "$status" ] || fail "$what: exit $rc, expected $status; said: $(cat "$work/err")"
  IFS=';' read -ra parts <<<"$said"
  for part in "${parts[@]}"; do
    part=$(expand "$part")
    grep -qF -- "$part" "$work/err" || fail "$what: did not say '$part'; said: $(cat "$work/err")"
  done
  [[ "$said" == *Tahoma* ]] || ! grep -q Tahoma "$work/err" || fail "$what: spoke of Tahoma: $(cat "$work/err")"
  if [ "$loader" = - ]; then
    grep -q 'quillon.exe' "$work/calls" && fail "$what: started $(grep quillon.exe "$work/calls")"
  else
    [ "$(tail -n 1 "$work/calls")" = "$loader $lib/$build/quillon.exe" ] ||
      fail "$what: expected $loader to start the $build build; calls: $(tr '\n' ';' <"$work/calls")"
    loader_env=""
    [ "$loader" = wine64 ] && loader_env=$work/wine64
    [ "$(tail -n 1 "$work/env")" = "$loader WINEPREFIX=$(expand "$prefix") WINELOADER=$loader_env" ] ||
      fail "$what: expected the prefix $(expand "$prefix"); started with: $(tail -n 1 "$work/env")"
  fi
  # No prefix made: the homes hold only what the layout made.
  [ ! -e "$home/gone" ] || fail "$what: made the missing prefix $home/gone"
  [ "$name" != empty ] || [ ! -e "$home/.wine" ] || fail "$what: made $home/.wine"
done

# The missing Tahoma is told once per prefix (the table above told it in this
# home already), and fixed by --install-fonts,
# which asks first and changes nothing but the prefix's font folder.
home=$(layout notahoma)
d5=$home/.local/share/wineprefixes/d5
launch "$home" wine32 --
grep -q Tahoma "$work/err" && fail "fonts: told of the missing Tahoma a second time"
before=$(cd "$d5" && find . | sort)
launch "$home" wine32 -- --install-fonts <<<"n"
[ "$(cd "$d5" && find . | sort)" = "$before" ] || fail "fonts: changed the prefix after the answer no"
launch "$home" wine32 -- --install-fonts <<<"y" || fail "fonts: --install-fonts failed: $(cat "$work/out" "$work/err")"
grep -q "?" "$work/out" || fail "fonts: copied without asking: $(cat "$work/out")"
added=$(comm -13 <(echo "$before") <(cd "$d5" && find . | sort) | tr '\n' ' ')
expected=$(cd /usr/share/wine/fonts && find . -maxdepth 1 \( -name 'tahoma*.ttf' -o -name 'ms_sans_serif*.ttf' \
  -o -name 'sserife*.fon' \) | sed 's|^\./|./drive_c/windows/Fonts/|' | sort | tr '\n' ' ')
{ [ -n "$expected" ] && [ "$added" = "$expected" ]; } || fail "fonts: added '$added', expected '$expected'"
[ -z "$(comm -23 <(echo "$before") <(cd "$d5" && find . | sort))" ] || fail "fonts: removed files from the prefix"
cmp -s /usr/share/wine/fonts/tahoma.ttf "$d5/drive_c/windows/Fonts/tahoma.ttf" || fail "fonts: tahoma.ttf is not Wine's"
launch "$home" wine32 -- --prefixes
grep -qxF "  $d5 (64-bit, with Tahoma)" "$work/out" || fail "fonts: --prefixes after the copy: $(cat "$work/out")"

# Started from the menu (no terminal, a display), what stops Quillon is shown
# in a window too; --prefixes lists what the search found.
home=$(layout several)
launch "$home" wine32 DISPLAY=:99 --
grep -q "^xmessage " "$work/calls" || fail "menu: no message window; calls: $(tr '\n' ';' <"$work/calls")"
for said in "$work/window" "$work/err"; do
  { grep -qxF "  $home/.local/share/wineprefixes/d5" "$said" && grep -qxF "  $home/.wine" "$said"; } ||
    fail "menu: the prefixes are not listed a line each: $(cat "$said")"
done
launch "$home" wine32 -- --prefixes
[ "$(cat "$work/out")" = "Wine prefixes with Delphi 5:
  $home/.wine (64-bit, with Tahoma)
  $home/.local/share/wineprefixes/d5 (64-bit, with Tahoma)
Quillon uses the one you name with WINEPREFIX." ] || fail "--prefixes: $(cat "$work/out")"
grep -q . "$work/calls" && fail "--prefixes started something: $(cat "$work/calls")"

# Found through a link to the launcher, it still finds its programs; the
# ordinary options.
home=$(layout one)
mkdir -p "$home/bin" && ln -s "$launcher" "$home/bin/quillon"
launcher_link=$home/bin/quillon
launcher_saved=$launcher launcher=$launcher_link
launch "$home" wine32 --
[ "$(tail -n 1 "$work/calls")" = "wine32 $lib/i686/quillon.exe" ] || fail "link: calls: $(cat "$work/calls")"
launcher=$launcher_saved
launch "$home" wine32 -- --version
[ "$(cat "$work/out")" = "quillon $version" ] || fail "--version: $(cat "$work/out")"
{ launch "$home" wine32 -- --help && grep -q -- "--install-fonts" "$work/out"; } || fail "--help: $(cat "$work/out" "$work/err")"
launch "$home" wine32 -- --frobnicate
rc=$?
{ [ "$rc" = 2 ] && grep -q "unknown option" "$work/err"; } || fail "an unknown option: $(cat "$work/err")"

verdict "all cases pass"

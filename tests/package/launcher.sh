#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The Debian package's launcher, run from the unpacked package against Wine
# prefixes laid out in home folders of their own, with stand-in loaders: the
# prefix it picks, the build and the loader it starts, what it says (in the
# terminal, and in windows when started from the menu), and that it never
# makes a prefix. Takes the .deb (default: the one in build/packages).
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
# A message window: it keeps what it was asked to show, says it was called
# only a moment later (so a window the launcher does not wait for is called
# after the program), and answers with the button whose label is in $press
# (the first button when unset).
mkdir -p "$work/bin"
sed "s|@WORK@|$work|g" >"$work/bin/xmessage" <<'XMESSAGE'
#!/bin/sh
cat >>"@WORK@/window"
sleep 0.3
echo "xmessage $*" >>"@WORK@/calls"
buttons=OK:0
while [ $# -gt 0 ]; do [ "$1" = -buttons ] && buttons=$2; shift; done
[ -n "${press:-}" ] || exit 0
status=$(printf '%s\n' "$buttons" | tr , '\n' | sed -n "s/^$press:\([0-9]*\)\$/\1/p")
exit "${status:-99}"
XMESSAGE
chmod 755 "$work/bin/xmessage"

dpkg-deb -x "$deb" "$work/root" || { echo "launcher: FAILED: cannot unpack $deb"; exit 1; }
launcher=$work/root/usr/bin/quillon
lib=$work/root/usr/lib/quillon
version=$(dpkg-deb -f "$deb" Version)

# make_prefix DIR ARCH DELPHI FONTS: a prefix as Wine lays it out, with the
# machine id Wine draws for each new prefix. DELPHI: file (Program
# Files/Borland/Delphi5/Bin/delphi32.exe), FILE86 (the same in Program Files
# (x86), in capitals), key (the installer's registry key), subkey (only the
# keys Quillon itself writes) or none. FONTS: tahoma or none.
make_prefix() {
  local dir=$1 arch=$2 delphi=$3 fonts=$4
  mkdir -p "$dir/drive_c/windows/Fonts" "$dir/drive_c/Program Files" "$dir/drive_c/users"
  printf 'WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=%s\n' "$arch" >"$dir/system.reg"
  printf '\n[Software\\\\Microsoft\\\\Cryptography] 1700000000\n"MachineGuid"="%s"\n' \
    "$(</proc/sys/kernel/random/uuid)" >>"$dir/system.reg"
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

# Home folders, each with its prefixes (P: ~/.local/share/wineprefixes),
# made when first asked for.
layout() {
  local home=$work/homes/$1 P=$work/homes/$1/.local/share/wineprefixes
  if [ -d "$home" ]; then echo "$home"; return; fi
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
    notahoma-menu) make_prefix "$P/d5" win64 file none ;;
    notahoma32) make_prefix "$P/d5" win32 file none ;;
    plain) make_prefix "$home/.wine" win64 file tahoma; make_prefix "$home/plain" win64 none tahoma ;;
    quotes) make_prefix "$P/it's" win64 file tahoma; make_prefix "$P/that's" win64 file tahoma ;;
    newline) # the folder named d5 holds no Delphi; "d5" and a line break does
      make_prefix "$P/d5" win64 none tahoma; make_prefix "$P/d5"$'\n' win64 file tahoma
      make_prefix "$P/a"$'\n'"b" win64 file tahoma ;;
    locked) make_prefix "$P/d5" win64 file tahoma; make_prefix "$P/locked" win64 file tahoma ;;
  esac
  echo "$home"
}

# launch HOME LOADER32 [NAME=VALUE...] -- [ARGS...]: the launcher as a user
# starts it from a menu or a script, in the home folder: no terminal, no
# display unless given; as the user in as_user, when set.
launch() {
  local home=$1 loader32=$2 vars=()
  shift 2
  while [ $# -gt 0 ] && [ "$1" != -- ]; do vars+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  : >"$work/calls"; : >"$work/env"; : >"$work/window"
  chmod 666 "$work/calls" "$work/env" "$work/window"
  (cd "$home" && timeout 60 "${as_user[@]}" env -u WINEPREFIX -u WINELOADER -u WINEARCH -u DISPLAY -u XDG_DATA_HOME \
    -u XDG_STATE_HOME -u press HOME="$home" PATH="$work/bin:$PATH" QUILLON_WINE32_LOADER="$work/$loader32" \
    QUILLON_WINE64_LOADER="$work/wine64" "${vars[@]}" "$launcher" "$@" >"$work/out" 2>"$work/err")
}
as_user=()

# said_first WHAT: fails unless the message window came before the program.
said_first() {
  { tail -n 1 "$work/calls" | grep -q quillon.exe && sed '$d' "$work/calls" | grep -q '^xmessage '; } ||
    fail "$1: the program started before the message window was closed; calls: $(tr '\n' ';' <"$work/calls")"
}

# The choice of prefix, build and loader, and what the launcher says. H
# stands for the home folder, P for H/.local/share/wineprefixes; "-" for
# nothing started. Each message part must be in what the launcher said, in
# the terminal or on its output; a part that begins with "!" must not be.
#     layout  |32-bit loader|environment       |option         |exit|loader|build |prefix |said
cases=("empty   |wine32       |                  |               |1   |-     |-     |-      |No Wine prefix with Delphi 5;H/.wine, does not exist"
       "default |wine32       |                  |               |0   |wine32|i686  |H/.wine|No Wine prefix with Delphi 5;changes the registry of the default prefix, H/.wine"
       "one     |wine32       |                  |               |0   |wine32|i686  |P/d5   |Starting Quillon in the Wine prefix P/d5"
       "one     |wine32-broken|                  |               |0   |wine64|x86_64|P/d5   |"
       "one     |absent       |                  |               |0   |wine64|x86_64|P/d5   |"
       "several |wine32       |                  |               |1   |-     |-     |-      |more than one Wine prefix;  H/.wine;  P/d5;WINEPREFIX='H/.wine' quillon"
       "several |wine32       |                  |--install-fonts|1   |-     |-     |-      |more than one Wine prefix;WINEPREFIX='H/.wine' quillon --install-fonts"
       "key     |wine32       |                  |               |0   |wine32|i686  |P/registry|"
       "32bit   |wine32       |                  |               |0   |wine32|i686  |P/d5   |"
       "32bit   |wine32-broken|                  |               |1   |-     |-     |-      |P/d5 is a 32-bit Wine prefix;cannot run 32-bit programs"
       "32bit   |absent       |                  |               |1   |-     |-     |-      |P/d5 is a 32-bit Wine prefix;is not installed;wine32:i386"
       "one     |wine32       |WINEPREFIX=H/.wine|               |0   |wine32|i686  |H/.wine|"
       "one     |wine32       |WINEPREFIX=H/gone |               |1   |-     |-     |-      |There is no Wine prefix in H/gone;never makes one"
       "one     |wine32       |WINEPREFIX=.local/share/wineprefixes/d5||0|wine32|i686|P/d5 |Starting Quillon in the Wine prefix P/d5"
       "plain   |wine32       |WINEPREFIX=H/plain|               |0   |wine32|i686  |H/plain|H/plain, which WINEPREFIX names, holds no Delphi 5;Delphi 5 is installed in:;  H/.wine"
       "plain   |wine32       |WINEPREFIX=plain  |               |0   |wine32|i686  |H/plain|H/plain, which WINEPREFIX names, holds no Delphi 5"
       "link    |wine32       |                  |               |0   |wine32|i686  |H/.wine|No Wine prefix with Delphi 5"
       "notahoma|wine32-broken|                  |               |0   |wine64|x86_64|P/d5   |P/d5 has no Tahoma;quillon --install-fonts"
       "newline |wine32       |                  |               |1   |-     |-     |-      |No Wine prefix with Delphi 5;P/d5? (its name holds a line break;P/a?b (its name holds a line break"
       "empty   |wine32       |                  |--prefixes     |0   |-     |-     |-      |No Wine prefix with Delphi 5;H/.wine, does not exist either;!would use"
       "default |wine32       |                  |--prefixes     |0   |-     |-     |-      |would use the default prefix, H/.wine"
       "one     |wine32       |                  |--prefixes     |0   |-     |-     |-      |  P/d5 (64-bit, with Tahoma;Quillon uses P/d5."
       "one     |wine32       |WINEPREFIX=H/gone |--prefixes     |0   |-     |-     |-      |WINEPREFIX is set to H/gone, which does not exist;!Quillon uses"
       "plain   |wine32       |WINEPREFIX=plain  |--prefixes     |0   |-     |-     |-      |Quillon uses H/plain, which holds no Delphi 5"
       "newline |wine32       |                  |--prefixes     |0   |-     |-     |-      |P/d5? (its name holds a line break;!  P/d5 (")
for c in "${cases[@]}"; do
  IFS='|' read -r name loader32 setting option status loader build prefix said <<<"$c"
  name=${name// /} loader32=${loader32// /} setting=${setting// /} option=${option// /} status=${status// /}
  loader=${loader// /} build=${build// /} prefix=${prefix// /}
  home=$(layout "$name")
  # Only a whole word H or P: the home folder's own path may hold "P/" (tmp.abcP/).
  expand() {
    sed -E -e "s#(^|[^[:alnum:]])P/#\1$home/.local/share/wineprefixes/#g" -e "s#(^|[^[:alnum:]])H/#\1$home/#g" <<<"$1"
  }
  what="$name, $loader32${setting:+, $setting}${option:+, $option}"
  vars=() args=()
  setting=$(expand "$setting")
  [ -n "$setting" ] && vars=("$setting")
  [ -n "$option" ] && args=("$option")
  launch "$home" "$loader32" "${vars[@]}" -- "${args[@]}"
  rc=$?
  cat "$work/out" "$work/err" >"$work/said"
  [ "$rc" = "$status" ] || fail "$what: exit $rc, expected $status; said: $(cat "$work/said")"
  IFS=';' read -ra parts <<<"$said"
  for part in "${parts[@]}"; do
    part=$(expand "$part")
    if [[ "$part" == '!'* ]]; then
      grep -qF -- "${part#!}" "$work/said" && fail "$what: said '${part#!}': $(cat "$work/said")"
    else
      grep -qF -- "$part" "$work/said" || fail "$what: did not say '$part'; said: $(cat "$work/said")"
    fi
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

# The notice counts as given only when Quillon then starts; a prefix made anew
# at the same path is told again.
home=$(layout notahoma32)
d5=$home/.local/share/wineprefixes/d5
for step in "absent|1|told or not" "wine32|0|told" "wine32|0|not told" "remade|0|told"; do
  IFS='|' read -r loader32 status told <<<"$step"
  if [ "$loader32" = remade ]; then
    rm -rf "$d5" && make_prefix "$d5" win32 file none
    loader32=wine32
  fi
  launch "$home" "$loader32" --
  rc=$?
  [ "$rc" = "$status" ] || fail "fonts told once, $step: exit $rc; said: $(cat "$work/err")"
  case $told in
    told) grep -q "has no Tahoma" "$work/err" || fail "fonts told once, $step: not told; said: $(cat "$work/err")" ;;
    "not told") grep -q Tahoma "$work/err" && fail "fonts told once, $step: told again: $(cat "$work/err")" ;;
  esac
done

# Started from the menu (no terminal, a display): what stops Quillon or warns
# is shown in a window, which is closed before Quillon starts; with Delphi in
# several prefixes the user picks one in a window.
home=$(layout notahoma-menu)
launch "$home" wine32 DISPLAY=:99 --
grep -q "has no Tahoma" "$work/window" || fail "menu: the missing Tahoma is not shown: $(cat "$work/window")"
said_first "menu, no Tahoma"
home=$(layout plain)
launch "$home" wine32 DISPLAY=:99 WINEPREFIX="$home/plain" --
{ grep -q "holds no Delphi 5" "$work/window" && grep -qxF "  $home/.wine" "$work/window"; } ||
  fail "menu: a WINEPREFIX without Delphi is not shown: $(cat "$work/window")"
said_first "menu, WINEPREFIX without Delphi"
home=$(layout several)
P=$home/.local/share/wineprefixes
for pick in "1|$home/.wine" "2|$P/d5" "Cancel|-"; do
  IFS='|' read -r button prefix <<<"$pick"
  launch "$home" wine32 DISPLAY=:99 press="$button" --
  rc=$?
  { grep -qF "1: $home/.wine (64-bit, with Tahoma)" "$work/window" &&
    grep -qF "2: $P/d5 (64-bit, with Tahoma)" "$work/window"; } ||
    fail "menu, several: the prefixes are not shown with their buttons: $(cat "$work/window")"
  grep -qF -- "-buttons 1:101,2:102,Cancel:1" "$work/calls" || fail "menu, several: buttons: $(cat "$work/calls")"
  if [ "$prefix" = - ]; then
    { [ "$rc" = 1 ] && ! grep -q quillon.exe "$work/calls"; } || fail "menu, several, Cancel: exit $rc; calls: $(cat "$work/calls")"
  else
    [ "$(tail -n 1 "$work/env")" = "wine32 WINEPREFIX=$prefix WINELOADER=" ] ||
      fail "menu, several, button $button: started with: $(tail -n 1 "$work/env")"
  fi
done
launch "$home" wine32 -- --prefixes
[ "$(cat "$work/out")" = "Wine prefixes with Delphi 5:
  $home/.wine (64-bit, with Tahoma)
  $P/d5 (64-bit, with Tahoma)
Started from the menu, Quillon asks which one to use. In a terminal, name it
with WINEPREFIX, for example: WINEPREFIX='$home/.wine' quillon" ] || fail "--prefixes: $(cat "$work/out")"
grep -q . "$work/calls" && fail "--prefixes started something: $(cat "$work/calls")"

# A suggested command can be pasted as it is, odd names too: run by sh, it
# starts quillon with the prefix it names and the option that was asked for.
mkdir -p "$work/paste"
# shellcheck disable=SC2016 # expanded by the stand-in when it runs
printf '#!/bin/sh\nprintf "%%s|%%s" "$WINEPREFIX" "$*"\n' >"$work/paste/quillon"
chmod +x "$work/paste/quillon"
for c in "several||.wine" "several|--install-fonts|.wine" "quotes||.local/share/wineprefixes/it's"; do
  IFS='|' read -r name option prefix <<<"$c"
  home=$(layout "$name")
  args=()
  [ -n "$option" ] && args=("$option")
  launch "$home" wine32 -- "${args[@]}"
  command=$(sed -n 's/^ *\(WINEPREFIX=.* quillon.*\)/\1/p' "$work/err")
  pasted=$(PATH="$work/paste:$PATH" sh -c "$command" 2>&1)
  [ "$pasted" = "$home/$prefix|$option" ] || fail "pasted '$command': started with '$pasted', not '$home/$prefix|$option'"
done

# A folder this user cannot read may hold Delphi: it is named, never passed
# over in silence. Root reads every folder, so root runs the launcher as nobody.
home=$(layout locked)
P=$home/.local/share/wineprefixes
if [ "$(id -u)" = 0 ]; then
  chmod 755 "$work" && chown -R 65534:65534 "$home" && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
chmod 000 "$P/locked"
launch "$home" wine32 --
{ grep -qF "$P/locked (cannot be read)" "$work/err" && [ "$(tail -n 1 "$work/env")" = "wine32 WINEPREFIX=$P/d5 WINELOADER=" ]; } ||
  fail "unreadable: said: $(cat "$work/err"); started with: $(tail -n 1 "$work/env")"
launch "$home" wine32 -- --prefixes
grep -qF "$P/locked (cannot be read)" "$work/out" || fail "unreadable, --prefixes: $(cat "$work/out")"
launch "$home" wine32 WINEPREFIX="$P/locked" --
rc=$?
{ [ "$rc" = 1 ] && grep -qF "$P/locked cannot be read" "$work/err"; } || fail "unreadable WINEPREFIX: exit $rc; said: $(cat "$work/err")"
chmod 755 "$P/locked"
as_user=()

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

#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The two packages as a user receives them: what each holds and with which
# modes (the zip's files in one folder named for the version), the programs
# identical to the builds they come from, the zip's texts with Windows line
# ends, the licence notices, the manual's sections, the icons drawn at each
# size, the checksums, one version everywhere, and lintian's verdict on the
# .deb. Prints both listings.
set -u
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=$top/build
packages=$build/packages
test_name=packages
# shellcheck source=../scripts/lib/testing.sh
source "$here/../scripts/lib/testing.sh"

# The version has one source, the project in CMake: the file names say it.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/i686/CMakeCache.txt")
zip=$packages/quillon-$version-win32.zip
deb=$packages/quillon_${version}_all.deb
for p in "$zip" "$deb"; do
  [ -f "$p" ] || { echo "packages: FAILED: $p is missing (version $version)"; exit 1; }
done
(cd "$packages" && sha256sum --quiet -c "$(basename "$zip").sha256" "$(basename "$deb").sha256") ||
  fail "the checksums do not match the packages"

echo "== $(basename "$zip")"
unzip -Zl "$zip"
folder=quillon-$version
[ "$(unzip -Z1 "$zip" | sort)" = "$(printf '%s/\n%s/LICENSE.txt\n%s/README.txt\n%s/quillon.exe' "$folder" "$folder" "$folder" "$folder")" ] ||
  fail "the zip holds other files than its folder $folder/ with three: $(unzip -Z1 "$zip" | tr '\n' ' ')"
unzip -p "$zip" "$folder/quillon.exe" | cmp -s - "$build/i686/app/quillon.exe" || fail "the zip's quillon.exe is not the release build"
for text in README.txt LICENSE.txt; do
  unzip -p "$zip" "$folder/$text" >"$work/$text"
  lines=$(grep -c '' "$work/$text") crlf=$(grep -c $'\r$' "$work/$text")
  { [ "$lines" -gt 5 ] && [ "$lines" = "$crlf" ] && [ "$(tail -c 2 "$work/$text" | od -An -c | tr -d ' ')" = '\r\n' ]; } ||
    fail "the zip's $text does not end every line with CR LF ($crlf of $lines lines)"
done
for said in "Version $version" "Close Delphi" 'HKEY_CURRENT_USER\Software\Borland\Delphi\5.0' "MIT licence" "LICENSE.txt" \
           "Untick it and press OK" "Delphi's own keys" "Delete its folder ($folder"; do
  grep -qF "$said" "$work/README.txt" || fail "README.txt does not say '$said'"
done
{ grep -q "the Quillon team" "$work/LICENSE.txt" && grep -q "^MIT License" "$work/LICENSE.txt"; } ||
  fail "LICENSE.txt is not the MIT licence of the Quillon team"

echo "== $(basename "$deb")"
dpkg-deb -c "$deb" | tee "$work/listing"
dpkg-deb -x "$deb" "$work/root"
# Files with their modes and owners; every folder root's and 755.
files=$(awk '$1 !~ /^d/ {print $1, $2, $6}' "$work/listing" | sort)
expected=$( {
  echo "-rwxr-xr-x root/root ./usr/bin/quillon"
  for f in lib/quillon/i686/quillon.exe lib/quillon/x86_64/quillon.exe share/applications/quillon.desktop \
           share/doc/quillon/changelog.gz share/doc/quillon/copyright share/man/man1/quillon.1.gz; do
    echo "-rw-r--r-- root/root ./usr/$f"
  done
  for size in 16 32 48 64 128 256; do
    echo "-rw-r--r-- root/root ./usr/share/icons/hicolor/${size}x${size}/apps/quillon.png"
  done; } | sort)
[ "$files" = "$expected" ] || fail "the .deb's files differ from what it should hold:
$(diff <(echo "$expected") <(echo "$files"))"
awk '$1 ~ /^d/ && ($1 != "drwxr-xr-x" || $2 != "root/root") {print; bad = 1} END {exit bad}' "$work/listing" ||
  fail "folders of the .deb with other modes (above)"
for arch in i686 x86_64; do
  cmp -s "$work/root/usr/lib/quillon/$arch/quillon.exe" "$build/$arch/app/quillon.exe" ||
    fail "the .deb's $arch quillon.exe is not the $arch build"
done

# The icons: drawn by the icon's own script at each size, not scaled.
python3 "$top/resources/about/make_pictures.py" --icons "$work/icons"
for size in 16 32 48 64 128 256; do
  png=$work/root/usr/share/icons/hicolor/${size}x${size}/apps/quillon.png
  [ "$(identify -format '%wx%h' "$png" 2>&1)" = "${size}x${size}" ] || fail "the ${size} px icon is $(identify -format '%wx%h' "$png" 2>&1)"
  cmp -s "$png" "$work/icons/${size}x${size}/apps/quillon.png" || fail "the ${size} px icon is not the one the script draws"
done

# The control fields, the menu entry, the documents Debian asks for.
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the .deb's version is $(dpkg-deb -f "$deb" Version)"
[ "$(dpkg-deb -f "$deb" Architecture)" = all ] || fail "the .deb is not for all architectures"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in wine fonts-wine x11-utils; do
  [[ ", $depends," == *", $needed,"* ]] || fail "the .deb does not depend on $needed: $depends"
done
[ "$(dpkg-deb -f "$deb" Recommends)" = wine32 ] || fail "the .deb does not recommend wine32: $(dpkg-deb -f "$deb" Recommends)"
[ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 3 ] || fail "the .deb has no extended description"
dpkg-deb -f "$deb" Description | grep -q "wine32:i386" || fail "the .deb's description does not say how to get wine32"
desktop=$work/root/usr/share/applications/quillon.desktop
for line in Exec=quillon Icon=quillon Terminal=false Type=Application; do
  grep -qx "$line" "$desktop" || fail "the menu entry has no $line"
done
zcat "$work/root/usr/share/doc/quillon/changelog.gz" | head -n 1 | grep -q "^quillon ($version) " ||
  fail "the Debian changelog does not begin with $version"
grep -q "^## $version (" "$top/CHANGELOG.md" || fail "CHANGELOG.md has no entry for $version"
{ grep -qF "quillon_${version}_all.deb" "$top/README.md" && grep -qF "quillon-$version-win32.zip" "$top/README.md"; } ||
  fail "README.md names the packages of another version"
{ grep -q "^Copyright: .*the Quillon team" "$work/root/usr/share/doc/quillon/copyright" &&
  grep -q "^License: Expat" "$work/root/usr/share/doc/quillon/copyright"; } || fail "the copyright file names no MIT licence"

# The static link puts winpthreads into the programs: its notice goes beside
# ours, with the copyright that the installed mingw-w64 names.
winpthreads=$(sed -n '/^Files: mingw-w64-libraries\/winpthreads\/\*$/{n;s/^Copyright: //p}' /usr/share/doc/mingw-w64-i686-dev/copyright)
grep -q "winpthreads" "$build/i686/app/quillon.exe" || fail "quillon.exe no longer holds winpthreads: drop its notice"
for notice in "$work/LICENSE.txt" "$work/root/usr/share/doc/quillon/copyright"; do
  for said in "${winpthreads:-the winpthreads copyright}" "2010 Lockless Inc." "Neither the name of Lockless Inc."; do
    grep -qF "$said" "$notice" || fail "$(basename "$notice") lacks the winpthreads notice: '$said'"
  done
done
zcat "$work/root/usr/share/man/man1/quillon.1.gz" >"$work/quillon.1"
grep -q "^\.TH QUILLON 1 .*Quillon $version" "$work/quillon.1" || fail "the manual names another version"
[ "$(sed -n 's/^\.SH //p' "$work/quillon.1" | tr '\n' '|')" = "NAME|SYNOPSIS|DESCRIPTION|OPTIONS|EXIT STATUS|ENVIRONMENT|FILES|SEE ALSO|" ] ||
  fail "the manual's sections: $(sed -n 's/^\.SH //p' "$work/quillon.1" | tr '\n' '|')"
for said in XDG_DATA_HOME 'told\-fonts'; do
  grep -qF "$said" "$work/quillon.1" || fail "the manual does not name $said"
done
[ "$("$work/root/usr/bin/quillon" --version)" = "quillon $version" ] || fail "the launcher says $("$work/root/usr/bin/quillon" --version)"

# Both programs: the version resource and the caption carry the same version.
for arch in i686 x86_64; do
  python3 - "$build/$arch/app/quillon.exe" "$version" <<'PY' || fail "$arch quillon.exe: another version (above)"
import struct, sys
data, version = open(sys.argv[1], 'rb').read(), sys.argv[2]
major, minor = (int(n) for n in version.split('.'))
fixed = data.find(struct.pack('<I', 0xFEEF04BD))
file_ms, file_ls, product_ms, product_ls = struct.unpack_from('<IIII', data, fixed + 8)
wanted = (major << 16 | minor, 0)
def text(key):
    at = data.find((key + '\0').encode('utf-16-le'))
    rest = data[at + 2 * len(key) + 2:].lstrip(b'\0')
    return rest[:200].decode('utf-16-le', 'replace').split('\0')[0] if at >= 0 else None
found = {'fixed file version': (file_ms, file_ls), 'fixed product version': (product_ms, product_ls),
         'FileVersion': text('FileVersion'), 'ProductVersion': text('ProductVersion'),
         'caption': f'Quillon v{version}' if f'Quillon v{version}\0'.encode('utf-16-le') in data else None}
expected = {'fixed file version': wanted, 'fixed product version': wanted, 'FileVersion': version,
            'ProductVersion': version, 'caption': f'Quillon v{version}'}
wrong = {k: v for k, v in found.items() if v != expected[k]}
if wrong:
    print('expected', expected, 'found', wrong)
    sys.exit(1)
PY
done

echo "== lintian"
lintian "$deb" 2>&1 | grep -v "running with root privileges" | tee "$work/lintian"
grep -q "^E:" "$work/lintian" && fail "lintian reports errors (above)"
grep -q "^O:\|overridden" "$work/lintian" && fail "lintian errors are overridden"
[ -z "$(find "$work/root" -path '*lintian/overrides*')" ] || fail "the .deb carries lintian overrides"

verdict "zip and .deb hold what they should, version $version everywhere"

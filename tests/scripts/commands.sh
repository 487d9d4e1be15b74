#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# Every command that the scripts call is either in a minimal Debian 12 root or
# installed by scripts/setup: scripts/requirements names each one with its
# package, and a [base] package must be one that every Debian root has (of
# priority "required", what debootstrap's minbase installs).
set -u
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
requirements="$top/scripts/requirements"
test_name=commands
# shellcheck source=lib/testing.sh
source "$here/lib/testing.sh"

scripts=()
# The launcher too: what it calls must come with Debian or with the package's
# dependencies, which it names in the same list.
for f in "$top"/scripts/* "$top"/scripts/lib/* "$here"/*.sh "$here"/lib/*.sh "$top"/tests/package/*.sh \
         "$top"/packaging/quillon.in; do
  [ -f "$f" ] && head -n 1 "$f" | grep -qE '^#!.*sh$|shell=bash' && scripts+=("$f")
done

# Shell keywords, builtins and the scripts' own functions are not programs.
own=$( { compgen -k; compgen -b
         sed -nE 's/^[[:space:]]*([A-Za-z_][A-Za-z0-9_]*)\(\)[[:space:]]*\{.*/\1/p' "${scripts[@]}"; } | sort -u)
called=$(awk -f "$here/commands.awk" "${scripts[@]}" | sort -u | comm -23 - <(echo "$own"))

# A here-string is no here-document: the commands after it are still read.
[ "$(printf 'read -r a <<<"n"\nchown a\n' | awk -f "$here/commands.awk" | tr '\n' ' ')" = "read chown " ] ||
  fail "commands.awk skips what follows a here-string"

# section_of COMMAND: "install PACKAGE" or "base PACKAGE", from the requirements.
section_of() {
  awk -v cmd="$1" '/^\[/ {section = substr($1, 2, length($1) - 2); next}
                   /^[a-z0-9]/ {for (i = 2; i <= NF; i++) if ($i == cmd) {print section, $1; exit}}' "$requirements"
}

for cmd in $called; do
  read -r section package <<<"$(section_of "$cmd")"
  case "${section:-}" in
    install) ;;
    base)
      priority=$(dpkg-query -W -f='${Priority}' "$package" 2>/dev/null)
      if [ "$priority" != required ]; then
        fail "'$cmd' is listed as in every Debian root, but its package $package is not of priority required (${priority:-not installed})"
      fi ;;
    *)
      fail "the scripts call '$cmd', which neither a minimal Debian 12 root has nor scripts/setup installs (name it in scripts/requirements)" ;;
  esac
done

verdict "the scripts call $(wc -w <<<"$called") programs, each in the base system or installed by setup"

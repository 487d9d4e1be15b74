# shellcheck shell=bash
# What the tests of the scripts and of the packages share: a folder of their
# own ($work, gone when the test ends), failures counted and named after the
# test, and stand-ins for Wine's loaders and other programs.
# shellcheck disable=SC2154 # test_name: set by the test that sources this file

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# fail TEXT...: one failure of the test.
fail() {
  echo "$test_name: FAILED: $*"
  failures=$((failures + 1))
}

# verdict TEXT: the test's result as its exit status, TEXT said when it passed.
verdict() {
  [ "$failures" -eq 0 ] && echo "$test_name: $1"
  [ "$failures" -eq 0 ]
}

# stub NAME STATUS [MESSAGE]: a program that appends its name and arguments to
# $work/calls and the Wine settings it was started with to $work/env, prints
# MESSAGE on stderr and exits with STATUS. NAME may hold a folder (path/wine).
# As Wine does, it refuses a relative WINEPREFIX.
stub() {
  mkdir -p "$(dirname "$work/$1")"
  # shellcheck disable=SC2016 # expanded by the stand-in when it runs
  printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\necho "%s WINEPREFIX=${WINEPREFIX:-} WINELOADER=${WINELOADER:-}" >>"%s/env"\n%s\n%s\nexit %s\n' \
    "$1" "$work" "$1" "$work" \
    'case ${WINEPREFIX:-/} in /*) ;; *) echo "wine: invalid directory $WINEPREFIX in WINEPREFIX: not an absolute path" >&2; exit 1 ;; esac' \
    "${3:+echo '$3' >&2}" "$2" >"$work/$1"
  chmod +x "$work/$1"
}

# shellcheck shell=bash
# Stand-ins for Wine's loaders and other programs, for the tests of the
# scripts and of the launcher. They live in the calling test's folder $work.
# shellcheck disable=SC2154 # work: set by the test that sources this file

# stub NAME STATUS [MESSAGE]: a program that appends its name and arguments to
# $work/calls and the Wine settings it was started with to $work/env, prints
# MESSAGE on stderr and exits with STATUS. NAME may hold a folder (path/wine).
stub() {
  mkdir -p "$(dirname "$work/$1")"
  # shellcheck disable=SC2016 # expanded by the stand-in when it runs
  printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\necho "%s WINEPREFIX=${WINEPREFIX:-} WINELOADER=${WINELOADER:-}" >>"%s/env"\n%s\nexit %s\n' \
    "$1" "$work" "$1" "$work" "${3:+echo '$3' >&2}" "$2" >"$work/$1"
  chmod +x "$work/$1"
}

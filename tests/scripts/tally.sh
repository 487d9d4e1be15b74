#!/usr/bin/env bash
# shellcheck source-path=SCRIPTDIR
# The run's count: a failing or crashing check is counted as failed whatever
# its name takes to compute, and a passing one as passed.
set -u
here=$(cd "$(dirname "$0")" && pwd)
test_name=tally
# shellcheck source=lib/testing.sh
source "$here/lib/testing.sh"
# shellcheck source=../../scripts/lib/tally.sh
source "$here/../../scripts/lib/tally.sh"

{ check "$(basename /x/fails.sh)" false
  check "$(basename /x/crashes.sh)" bash -c 'kill -SEGV $$'
  check "$(basename /x/passes.sh)" true
  tally "given status" 3; } >"$work/out" 2>&1

[ "$passed/$failed" = "1/3" ] || fail "counted $passed passed and $failed failed; expected 1 and 3"
grep -q "^FAILED: fails.sh (exit 1)$" "$work/out" || fail "the failing check was not named: $(cat "$work/out")"
grep -q "^FAILED: crashes.sh (exit 139)$" "$work/out" || fail "the crash was not named: $(cat "$work/out")"
grep -q "passes.sh" "$work/out" && fail "the passing check was reported: $(cat "$work/out")"
verdict "failures and crashes are counted"

# shellcheck shell=bash
# The count of a run's checks. Each check's status is taken before anything
# else runs: a command substitution in the same line would replace $?.
# shellcheck disable=SC2034 # skipped: counted by the script that sources this
passed=0 failed=0 skipped=0

# tally NAME STATUS: one check's result.
tally() {
  if [ "$2" -eq 0 ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAILED: $1 (exit $2)"
  fi
}

# check NAME COMMAND...: runs COMMAND and counts its status under NAME.
check() {
  local name=$1 status
  shift
  "$@"
  status=$?
  tally "$name" "$status"
}

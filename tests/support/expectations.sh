# Counted checks for the test scripts (sourced). `expect WHAT COMMAND...`
# runs the command and counts it passed or failed; a failure is told by
# report_failure WHAT, which a script redefines to show what it has seen.
# `expectations_met` prints the counts and is true when none failed.
passed=0
failed=0
report_failure() { echo "FAILED: $1"; }
expect() {
  local what=$1
  shift
  if "$@"; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    report_failure "$what"
  fi
}
expectations_met() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# What each program of a test run reported, kept where that run's ./test reads
# it ($BRIVANE_TEST_RESULTS, a folder private to the run, one file per ctest
# entry named $BRIVANE_TEST_NAME). Sourced by tools/wine-test,
# tools/bench-check and the tools' own checks; outside ./test it does nothing.
#   report_result ok|failed <tests> <passed> <failed> <skipped> <not run> [why]
report_result() {
  [ -n "${BRIVANE_TEST_RESULTS:-}" ] && [ -n "${BRIVANE_TEST_NAME:-}" ] || return 0
  local verdict=$1 tests=$2 passed=$3 failed=$4 skipped=$5 notrun=$6
  shift 6
  printf '%s %d %d %d %d %d %s\n' "$verdict" "$tests" "$passed" "$failed" "$skipped" "$notrun" "$*" \
    >"$BRIVANE_TEST_RESULTS/$BRIVANE_TEST_NAME"
}
# Adds the lines it reads (the skipped tests with their reasons) to the
# program's result, after its verdict.
report_notes() {
  [ -n "${BRIVANE_TEST_RESULTS:-}" ] && [ -n "${BRIVANE_TEST_NAME:-}" ] || return 0
  cat >>"$BRIVANE_TEST_RESULTS/$BRIVANE_TEST_NAME"
}

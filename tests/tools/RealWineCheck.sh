#!/usr/bin/env bash
# Checks tools/wine-test and tools/test-summary with the real Wine: a test
# program that never ends makes its run fail, named with its test, and so does
# one that leaves half-way with status 0.
#   tests/tools/RealWineCheck.sh <WatchdogProbe.exe>
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/tools/results.sh"
source "$top/tools/env.sh"
probe=$1
own_name=${BRIVANE_TEST_NAME:-} own_results=${BRIVANE_TEST_RESULTS:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/results"
export BRIVANE_TEST_RESULTS="$work/results" BRIVANE_TEST_WATCHDOG=15
passed=0 failed=0
check() { # name, condition's status
  if [ "$2" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "[  FAILED  ] $1"; fi
}
run() { # the run's name, then the probe's tests
  local filter=$2
  BRIVANE_TEST_NAME=$1 "$top/tools/wine-test" "$probe" --gtest_also_run_disabled_tests "--gtest_filter=$filter" \
    >"$work/$1.out" 2>&1
  echo $? >"$work/$1.status"
}
# The four runs side by side: three wait out the watchdog.
run passes 'Probe.Passes' &
run modal 'Probe.DISABLED_WaitsForAnAnswerThatNeverComes:Probe.Passes' &
run sleeps 'Probe.DISABLED_SleepsForEver' &
run leaves 'Probe.DISABLED_LeavesHalfWay:Probe.Passes' &
wait
verdict() { echo "status $(cat "$work/$1.status"), result $(cat "$work/results/$1"), output $(cat "$work/$1.out")"; }

[ "$(cat "$work/passes.status")" = 0 ] && [ "$(cut -d' ' -f1-6 "$work/results/passes")" = "ok 1 1 0 0 0" ]
held=$?
check "RealWine.APassingProgramPasses: $(verdict passes)" $held
[ "$(cat "$work/modal.status")" != 0 ] &&
  grep -q 'watchdog stopped it: running Probe.DISABLED_WaitsForAnAnswerThatNeverComes for [0-9]* s without progress' "$work/modal.out" &&
  [ "$(cut -d' ' -f1-6 "$work/results/modal")" = "failed 2 0 1 0 1" ]
held=$?
check "RealWine.ATestWaitingInAModalLoopIsStoppedAndFails: $(verdict modal)" $held
[ "$(cat "$work/sleeps.status")" != 0 ] && grep -q 'watchdog stopped it: running Probe.DISABLED_SleepsForEver' "$work/sleeps.out"
held=$?
check "RealWine.ATestThatSleepsForEverIsStoppedAndFails: $(verdict sleeps)" $held
[ "$(cat "$work/leaves.status")" != 0 ] && grep -q 'ended without its summary; its last state: running Probe.DISABLED_LeavesHalfWay' "$work/leaves.out" &&
  [ "$(cut -d' ' -f1-6 "$work/results/leaves")" = "failed 2 0 1 0 1" ]
held=$?
check "RealWine.AProgramThatLeavesHalfWayWithStatus0Fails: $(verdict leaves)" $held

# The run they make up fails and names them, whatever ctest's own status.
n=0
for entry in passes modal sleeps leaves; do n=$((n + 1)); echo "      Start $n: $entry" >>"$work/results/ctest.out"; done
out=$("$top/tools/test-summary" "$work/results" 0 2>&1)
status=$?
[ "$status" != 0 ] &&
  grep -q '^test summary: 4 programs, 3 failed (modal sleeps leaves), exit 1; 6 tests: 1 passed, 3 failed, 0 skipped, 2 not run' <<<"$out"
check "RealWine.TheRunFailsAndNamesWhatStopped: status $status, $out" $?

echo "[ SUMMARY  ] $((passed + failed)) tests: $passed passed, $failed failed, 0 skipped"
BRIVANE_TEST_NAME=$own_name BRIVANE_TEST_RESULTS=$own_results report_result \
  "$([ "$failed" = 0 ] && echo ok || echo failed)" $((passed + failed)) "$passed" "$failed" 0 0
[ "$failed" = 0 ]

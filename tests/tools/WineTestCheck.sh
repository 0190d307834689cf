#!/usr/bin/env bash
# Checks tools/wine-test, the runner of every test program, with stand-ins for
# Wine (and, where said, for the X server) found first on PATH.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
source "$top/tools/results.sh"
# This check reports to the run under its own name; the runs it makes report
# into a folder of its own.
own_name=${BRIVANE_TEST_NAME:-} own_results=${BRIVANE_TEST_RESULTS:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/prefix"
# A test prefix as tools/setup.sh leaves it, as far as wine-test looks.
touch "$work/prefix/system.reg" "$work/prefix/userdef.reg"
echo '"csmt"=dword:00000000' >"$work/prefix/user.reg"
# The stand-in server's -k ends the program the stand-in wine runs in its
# prefix, as the real one ends every process of its prefix.
cat >"$work/bin/wineserver" <<'EOF'
#!/bin/sh
if [ "${1:-}" = -k ] && [ -s "$WINEPREFIX/pid" ]; then
  pkill -P "$(cat "$WINEPREFIX/pid")" 2>/dev/null
  kill "$(cat "$WINEPREFIX/pid")" 2>/dev/null
fi
exit 0
EOF
printf '#!/bin/sh\nexit 0\n' >"$work/bin/winedbg"
chmod +x "$work/bin/wineserver" "$work/bin/winedbg"
export WINEPREFIX="$work/prefix" PATH="$work/bin:$PATH"
passed=0 failed=0

check() { # name, condition's status
  if [ "$2" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "[  FAILED  ] $1"; fi
}

# The stand-in for wine runs its arguments as a shell command line, on the display it was given.
# A program named *.sh is run as a script with the arguments after it.
cat >"$work/bin/wine" <<'EOF'
#!/usr/bin/env bash
echo "$DISPLAY" >"$WINE_CHECK_DIR/display"
echo $$ >"$WINEPREFIX/pid"
case $1 in *.sh) exec bash "$@" ;; esac
shift
eval "$*"
EOF
chmod +x "$work/bin/wine"
export WINE_CHECK_DIR="$work"
# The stand-ins tell no end but where said.
export BRIVANE_EXPECT_END=0
mkdir -p "$work/results"
export BRIVANE_TEST_RESULTS="$work/results"
unset BRIVANE_TEST_NAME

# A client leaves a mark on the screen and goes; the next client finds it. An
# X server that resets when its last client leaves would have wiped the mark,
# and a client arriving during such a reset is dropped.
out=$("$top/tools/wine-test" check.exe \
  'xprop -root -f BRIVANE_CHECK 8s -set BRIVANE_CHECK kept && xprop -root BRIVANE_CHECK' 2>&1)
status=$?
[ "$status" = 0 ] && grep -q '"kept"' <<<"$out"
check "WineTest.TheDisplayKeepsItsStateWhenItsLastClientLeaves: status $status, $out" $?

# An X server that ends before it gives its display number: nothing is run on
# a display that is not there, and the run fails saying why.
rm -f "$work/display"
printf '#!/bin/sh\nexit 1\n' >"$work/bin/Xvfb"
chmod +x "$work/bin/Xvfb"
out=$("$top/tools/wine-test" check.exe true 2>&1)
status=$?
[ "$status" != 0 ] && [ ! -e "$work/display" ] && grep -q 'Xvfb gave no display number' <<<"$out"
check "WineTest.AServerThatGivesNoDisplayRunsNothingAndSaysSo: status $status, $out" $?

# Two runs of one program at once (the tests, and a tools/check beside them):
# each has a prefix of its own, so the first to end does not end the other
# with its server, and each prefix goes with its run.
rm -f "$work/bin/Xvfb" "$work/prefixes"
twice='echo "$WINEPREFIX" >>"$WINE_CHECK_DIR/prefixes"; sleep 2; echo finished'
"$top/tools/wine-test" same.exe "$twice" >"$work/first" 2>&1 &
sleep 1
out=$("$top/tools/wine-test" same.exe "sleep 0.1; $twice" 2>&1)
status=$?
wait $!
first=$?
prefixes=$(sort -u "$work/prefixes" | wc -l)
left=$(find "$work" -maxdepth 1 -name 'prefix-*' | wc -l)
[ "$status" = 0 ] && [ "$first" = 0 ] && grep -q finished "$work/first" && [ "$prefixes" = 2 ] && [ "$left" = 0 ]
apart=$?
check "WineTest.TwoRunsOfOneProgramAtOnceKeepApartAndLeaveNoPrefix: status $status and $first, $prefixes prefixes, $left left, $out $(cat "$work/first")" $apart

# A stand-in program that tells the watchdog as a test program does: its state
# file (a Windows path) holds the running test and the counts so far.
standin() { # the script's name, then its body
  {
    cat <<'HEAD'
state=${BRIVANE_TEST_STATE#Z:}; state=${state//\\//}
mark() { printf '%s\ncounts %s\n' "$1" "$2" >"$state"; }
HEAD
    printf '%s\n' "$2"
  } >"$work/$1"
}
result_of() { cat "$work/results/$1" 2>/dev/null; }

# tools/bench-check runs a benchmark short and judges only that it works: it
# ends well within its time limit, saying so, and prints each of its aim
# lines, whatever their figures (Windows programs end their lines with CR LF).
bench() { # aim lines wanted, then the benchmark's script
  standin bench.sh "$2"
  BRIVANE_EXPECT_END=1 BRIVANE_BENCH_LIMIT=3 "$top/tools/bench-check" "$work/bench.sh" "$1" 2>&1
}
two_aims='printf "RATIO list_tab_1500 0.78 1.5\r\nnoise\r\nMS picker_opening 125.04 300\r\n"'
out=$(bench 2 "$two_aims; mark 'ended with status 0'")
status=$?
[ "$status" = 0 ] && grep -q 'ran short and printed its 2 aim lines' <<<"$out"
check "BenchCheck.ABenchmarkThatEndsWithEachAimPassesWhateverItsFigures: status $status, $out" $?
out=$(bench 3 "$two_aims; mark 'ended with status 0'")
status=$?
[ "$status" != 0 ] && grep -q 'printed 2 aim lines, not 3' <<<"$out"
check "BenchCheck.ABenchmarkThatLeavesOutAnAimFails: status $status, $out" $?
out=$(bench 2 "$two_aims; mark 'ended with status 3'; exit 3")
status=$?
[ "$status" != 0 ] && grep -q 'ended with status' <<<"$out"
check "BenchCheck.ABenchmarkThatFailsFailsWithItsAimsPrinted: status $status, $out" $?
start=$(date +%s)
out=$(bench 2 "$two_aims; sleep 60")
status=$?
took=$(($(date +%s) - start))
[ "$status" != 0 ] && [ "$took" -lt 30 ] && grep -q 'watchdog: bench.sh stalled' <<<"$out"
check "BenchCheck.ABenchmarkThatHangsIsEndedAtItsTimeLimit: status $status after $took s, $out" $?


# Wine's loader can end with status 0 when the watchdog kills its server: the
# stopped program still fails, named with its test, which counts as failed
# and those after it as not run.
standin hang.sh 'trap "exit 0" TERM; mark "running Suite.Hangs" "3 1 0 0"; while :; do sleep 1; done'
out=$(BRIVANE_EXPECT_END=1 BRIVANE_TEST_NAME=hang BRIVANE_TEST_WATCHDOG=2 "$top/tools/wine-test" "$work/hang.sh" 2>&1)
status=$?
[ "$status" != 0 ] && grep -q 'wine-test: hang.sh failed: the watchdog stopped it: running Suite.Hangs' <<<"$out" &&
  [ "$(result_of hang | cut -d' ' -f1-6)" = "failed 3 1 1 0 1" ]
held=$?
check "WineTest.AProgramTheWatchdogStopsFailsNamedThoughWineEndsWithStatus0: status $status, $(result_of hang), $out" $held

# A program that leaves half-way with status 0 did not pass.
standin leaves.sh 'mark "running Suite.Leaves" "2 0 0 0"; exit 0'
out=$(BRIVANE_EXPECT_END=1 BRIVANE_TEST_NAME=leaves "$top/tools/wine-test" "$work/leaves.sh" 2>&1)
status=$?
[ "$status" != 0 ] && grep -q 'leaves.sh failed: it ended without its summary; its last state: running Suite.Leaves' <<<"$out" &&
  [ "$(result_of leaves | cut -d' ' -f1-6)" = "failed 2 0 1 0 1" ]
held=$?
check "WineTest.AProgramThatEndsWithoutItsSummaryFails: status $status, $(result_of leaves), $out" $held

# On a loaded machine Wine's server kills a process that is slow to go once
# it has ended (status 137): the status the program told as it ended stands;
# without one told, the kill is a failure.
standin killed.sh 'mark "ended with status $TOLD" "1 1 0 0"; kill -9 $$'
out=$(BRIVANE_EXPECT_END=1 BRIVANE_TEST_NAME=killed TOLD=0 "$top/tools/wine-test" "$work/killed.sh" 2>&1)
status=$?
[ "$status" = 0 ] && grep -q 'Wine ended the process (status 137) after it had ended with status 0' <<<"$out" &&
  [ "$(result_of killed | cut -d' ' -f1-6)" = "ok 1 1 0 0 0" ]
held=$?
check "WineTest.AProgramWineKillsAfterItEndedKeepsTheStatusItTold: status $status, $(result_of killed), $out" $held
out=$(BRIVANE_EXPECT_END=1 TOLD=2 "$top/tools/wine-test" "$work/killed.sh" 2>&1)
status=$?
[ "$status" = 2 ] && grep -q 'killed.sh failed: it ended with status 2' <<<"$out"
check "WineTest.AProgramWineKillsAfterItFailedStillFails: status $status, $out" $?
standin dies.sh 'mark "running Suite.Dies" "1 0 0 0"; kill -9 $$'
out=$(BRIVANE_EXPECT_END=1 "$top/tools/wine-test" "$work/dies.sh" 2>&1)
status=$?
[ "$status" = 137 ] && grep -q 'dies.sh failed: it ended with status 137; its last state: running Suite.Dies' <<<"$out"
check "WineTest.AProgramKilledBeforeItsEndFails: status $status, $out" $?

# Slow is not stalled: a test that keeps the processor busy longer than the
# watchdog's limit runs to its end; only the ceiling stops a test that never ends.
standin busy.sh 'mark "running Suite.Busy" "1 0 0 0"; end=$((SECONDS + 6)); while [ $SECONDS -lt $end ]; do :; done
mark "ended with status 0" "1 1 0 0"'
out=$(BRIVANE_EXPECT_END=1 BRIVANE_TEST_NAME=busy BRIVANE_TEST_WATCHDOG=2 "$top/tools/wine-test" "$work/busy.sh" 2>&1)
status=$?
[ "$status" = 0 ] && [ "$(result_of busy | cut -d' ' -f1-6)" = "ok 1 1 0 0 0" ]
held=$?
check "WineTest.ABusyTestRunsPastTheWatchdogsLimit: status $status, $(result_of busy), $out" $held
standin spins.sh 'mark "running Suite.Spins" "1 0 0 0"; while :; do :; done'
out=$(BRIVANE_EXPECT_END=1 BRIVANE_TEST_NAME=spins BRIVANE_TEST_WATCHDOG=100 BRIVANE_TEST_CEILING=3 "$top/tools/wine-test" "$work/spins.sh" 2>&1)
status=$?
[ "$status" != 0 ] && grep -q 'spins.sh failed: the watchdog stopped it: running Suite.Spins for [0-9]* s, past the 3 s' <<<"$out"
check "WineTest.ATestThatNeverEndsIsStoppedAtTheCeilingThoughBusy: status $status, $out" $?

# The run's verdict (tools/test-summary) counts every program it started from
# what each reported, and prints its summary line whatever happened.
summary() { # ctest's status, then the entries started
  local dir="$work/summary"
  rm -rf "$dir" && mkdir -p "$dir"
  local status=$1 n=0
  shift
  for entry in "$@"; do n=$((n + 1)); echo "      Start $n: $entry" >>"$dir/ctest.out"; done
  for entry in "$@"; do [ -f "$work/results/$entry" ] && cp "$work/results/$entry" "$dir/"; done
  BRIVANE_NO_SKIP=1 "$top/tools/test-summary" "$dir" "$status" 2>&1
}
printf 'ok 5 4 0 1 0\n[  SKIPPED ] Suite.Printer: no queue\n' >"$work/results/layer"
printf 'ok 0 0 0 0 0\n' >"$work/results/bench_Pages"
out=$(summary 8 layer hang silent bench_Pages)
status=$?
[ "$status" != 0 ] &&
  grep -q '^test summary: 3 programs, 2 failed (hang silent), exit 1; 8 tests: 5 passed, 1 failed, 1 skipped, 1 not run; benchmarks run short: 1 of 1$' <<<"$out" &&
  grep -q '^test: silent failed: it reported nothing' <<<"$out" && grep -q '^test: hang failed: the watchdog stopped it' <<<"$out" &&
  grep -q '^test: \[  SKIPPED \] Suite.Printer: no queue' <<<"$out"
check "TestSummary.EveryProgramStartedCountsAndOneThatReportedNothingFails: status $status, $out" $?
out=$(summary 8 hang)
status=$?
[ "$status" != 0 ] && grep -q '^test summary: 1 programs, 1 failed (hang), exit 1; 3 tests: 1 passed, 1 failed, 0 skipped, 1 not run' <<<"$out"
check "TestSummary.ARunOfOneStoppedProgramStillEndsWithItsSummary: status $status, $out" $?
out=$(summary 0 busy)
status=$?
[ "$status" = 0 ] && grep -q '^test summary: 1 programs, exit 0; 1 tests: 1 passed, 0 failed, 0 skipped; benchmarks run short: 0 of 0$' <<<"$out"
check "TestSummary.APassingRunPasses: status $status, $out" $?

# Two runs in one tree at once (two ./test beside each other) each count
# what their own programs reported, though the programs are the same.
standin reports.sh 'sleep 1; mark "ended with status 0" "$TESTS $TESTS 0 0"'
for run in 3 5; do
  mkdir -p "$work/run$run" && echo "      Start 1: same" >"$work/run$run/ctest.out"
  BRIVANE_EXPECT_END=1 BRIVANE_TEST_RESULTS="$work/run$run" BRIVANE_TEST_NAME=same TESTS=$run \
    "$top/tools/wine-test" "$work/reports.sh" >/dev/null 2>&1 &
done
wait
out="$("$top/tools/test-summary" "$work/run3" 0 2>&1) / $("$top/tools/test-summary" "$work/run5" 0 2>&1)"
grep -q '1 programs, exit 0; 3 tests: 3 passed.* / .*1 programs, exit 0; 5 tests: 5 passed' <<<"$out"
held=$?
check "TestSummary.TwoRunsInOneTreeEachCountTheirOwn: $out" $held

echo "[ SUMMARY  ] $((passed + failed)) tests: $passed passed, $failed failed, 0 skipped"
BRIVANE_TEST_NAME=$own_name BRIVANE_TEST_RESULTS=$own_results report_result \
  "$([ "$failed" = 0 ] && echo ok || echo failed)" $((passed + failed)) "$passed" "$failed" 0 0
[ "$failed" = 0 ]

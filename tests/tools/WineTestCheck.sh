#!/usr/bin/env bash
# Checks tools/wine-test, the runner of every test program, with stand-ins for
# Wine (and, where said, for the X server) found first on PATH.
set -u
top=$(cd "$(dirname "$0")/../.." && pwd)
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

# tools/bench-check runs a benchmark short and judges only that it works: it
# ends well within its time limit and prints each of its aim lines, whatever
# their figures (Windows programs end their lines with CR LF).
bench() { # aim lines wanted, then the benchmark's script
  printf '%s\n' "$2" >"$work/bench.sh"
  BRIVANE_BENCH_LIMIT=3 "$top/tools/bench-check" "$work/bench.sh" "$1" 2>&1
}
two_aims='printf "RATIO list_tab_1500 0.78 1.5\r\nnoise\r\nMS picker_opening 125.04 300\r\n"'
out=$(bench 2 "$two_aims")
status=$?
[ "$status" = 0 ] && grep -q 'ran short and printed its 2 aim lines' <<<"$out"
check "BenchCheck.ABenchmarkThatEndsWithEachAimPassesWhateverItsFigures: status $status, $out" $?
out=$(bench 3 "$two_aims")
status=$?
[ "$status" != 0 ] && grep -q 'printed 2 aim lines, not 3' <<<"$out"
check "BenchCheck.ABenchmarkThatLeavesOutAnAimFails: status $status, $out" $?
out=$(bench 2 "$two_aims; exit 3")
status=$?
[ "$status" != 0 ] && grep -q 'ended with status' <<<"$out"
check "BenchCheck.ABenchmarkThatFailsFailsWithItsAimsPrinted: status $status, $out" $?
start=$(date +%s)
out=$(bench 2 "$two_aims; sleep 60")
status=$?
took=$(($(date +%s) - start))
[ "$status" != 0 ] && [ "$took" -lt 30 ] && grep -q 'watchdog: bench.sh stalled' <<<"$out"
check "BenchCheck.ABenchmarkThatHangsIsEndedAtItsTimeLimit: status $status after $took s, $out" $?

echo "[ SUMMARY  ] $((passed + failed)) tests: $passed passed, $failed failed, 0 skipped"
[ "$failed" = 0 ]

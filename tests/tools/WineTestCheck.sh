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
printf '#!/bin/sh\nexit 0\n' >"$work/bin/wineserver"
chmod +x "$work/bin/wineserver"
export WINEPREFIX="$work/prefix" PATH="$work/bin:$PATH"
passed=0 failed=0

check() { # name, condition's status
  if [ "$2" = 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "[  FAILED  ] $1"; fi
}

# The stand-in for wine runs its arguments as a shell command line, on the display it was given.
cat >"$work/bin/wine" <<'EOF'
#!/usr/bin/env bash
echo "$DISPLAY" >"$WINE_CHECK_DIR/display"
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

echo "[ SUMMARY  ] $((passed + failed)) tests: $passed passed, $failed failed, 0 skipped"
[ "$failed" = 0 ]

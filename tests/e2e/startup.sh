#!/usr/bin/env bash
# Start-up of the real binary: a display that cannot be opened ends the
# program with a non-zero status after its one trace line; an old trace log
# is removed first; a 16-bit display is reported and the program goes on.
set -u
bin=$1 src=$2
# shellcheck source=../../scripts/common.sh
. "$src/scripts/common.sh"
fail() { echo "FAIL: $*"; exit 1; }
# The sandbox's display is 16-bit; the first case names one that is not there.
sandbox 800x600 16 || fail "no 16-bit Xvfb"

# Unreachable display, with a stale log from an earlier run.
printf 'old line\n' > log.txt
out=$(DISPLAY=:987 "$bin" 2>&1); status=$?
[ "$status" -ne 0 ] || fail "exit status $status with no display"
[ "$(cat log.txt)" = "XOpenDisplay(0) failed." ] || fail "log.txt: $(cat log.txt)"
echo "$out" | grep -qx "XOpenDisplay(0) failed." || fail "stdout: $out"
echo "ok: unreachable display -> status $status, one trace line"

# A 16-bit display: the depth message once, and the program keeps running.
rm -f log.txt
"$bin" >stdout.txt 2>&1 &
pid=$!
for _ in $(seq 1 50); do
    grep -q "This app requires 24-bit depth." log.txt 2>/dev/null && break
    sleep 0.1
done
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "the program ended on a 16-bit display"
kill "$pid"; wait "$pid" 2>/dev/null
[ "$(grep -c 'This app requires 24-bit depth.' log.txt)" = 1 ] || fail "depth line: $(cat log.txt)"
grep -q "This app requires 24-bit depth." stdout.txt || fail "depth line not echoed"
echo "ok: 16-bit display reported once"

#!/usr/bin/env bash
# Measures the game itself, as a player meets it, on a Release build under a
# private Xvfb, and writes the "Game" section of docs/performance.md (the
# other sections of that file are left as they are):
#   - time from start to the mapped window and to the first complete frame
#     (median of 5 starts, polled from outside every few milliseconds);
#   - resident memory once the first frame is up, and its peak after a spin;
#   - CPU used over 10 idle seconds;
#   - CPU used by one whole spin (the game, and apart from it the forked
#     sound children it collected);
#   - reel changes shown in the first second of a spin, against the 50 the
#     timing aims at, and X requests sent per reel change (the game prints
#     these on standard error when RULLOMAT_STATS=1 is set).
#
#   bench/game_perf.sh [--print]   (--print: show the section, write nothing)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}"

build="$root/build/perf"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRULLOMAT_TESTS=OFF >/dev/null
ninja -C "$build" rullomat pixel >/dev/null
pixel_tool="$build/tools/pixel"

work=$(mktemp -d)
game=""
finish() {
    if [ -n "$game" ]; then
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
    fi
    stop_xvfb
    rm -rf "$work"
}
trap finish EXIT
start_xvfb 24 1024x768
cp -r "$root/Data" "$work/"
mkdir "$work/bin"
# A recording sound player: one time stamp a play.
printf '#!/bin/sh\ndate +%%s.%%N >> "%s/plays.txt"\n' "$work" > "$work/bin/aplay"
chmod +x "$work/bin/aplay"
cd "$work"

now() { date +%s.%N; }
ms_since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.0f", (b - a) * 1000 }'; }
clk=$(getconf CLK_TCK)
# CPU ticks of the game: own (utime + stime) and collected children (cutime + cstime).
cpu_own() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
cpu_children() { awk '{ print $16 + $17 }' "/proc/$game/stat"; }
ticks_ms() { awk -v t="$1" -v c="$clk" 'BEGIN { printf "%.0f", t * 1000 / c }'; }
kb() { awk -v k="$2" '$1 == k":" { print $2 }' "/proc/$1/status"; }

start_game() {
    t0=$(now)
    RULLOMAT_STATS=1 PATH="$work/bin:$PATH" "$build/rullomat" > stdout.txt 2> stderr.txt &
    game=$!
    win=""
    local i
    for i in $(seq 1 2000); do
        win=$(xdotool search --onlyvisible --name '^Rullomat - ' 2>/dev/null | head -1 || true)
        [ -n "$win" ] && break
    done
    mapped_ms=$(ms_since "$t0")
    # The START button is the last control the first paint draws.
    for i in $(seq 1 2000); do
        [ "$("$pixel_tool" "$win" 255 550 2>/dev/null || true)" = "FF0000" ] && break
    done
    frame_ms=$(ms_since "$t0")
}

stop_game() {
    kill "$game"
    wait "$game" 2>/dev/null || true
    game=""
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: > mapped.txt
: > frame.txt
for run in 1 2 3 4 5; do
    start_game
    echo "$mapped_ms" >> mapped.txt
    echo "$frame_ms" >> frame.txt
    [ "$run" = 5 ] || stop_game
done
mapped=$(median < mapped.txt)
frame=$(median < frame.txt)

# The fifth game stays up: memory, 10 idle seconds, then one spin.
sleep 1
rss_start=$(kb "$game" VmRSS)
c0=$(cpu_own)
sleep 10
idle_ticks=$(($(cpu_own) - c0))

: > plays.txt
c0=$(cpu_own)
k0=$(cpu_children)
xdotool mousemove --window "$win" 300 559 click 1
spin_t0=$(now)
for _ in $(seq 1 100); do
    sleep 0.25
    grep -q '^stats: spin' stderr.txt && break
done
spin_ms=$(ms_since "$spin_t0")
sleep 0.2
spin_ticks=$(($(cpu_own) - c0))
child_ticks=$(($(cpu_children) - k0))
rss_peak=$(kb "$game" VmHWM)
stats=$(grep '^stats: spin' stderr.txt | head -1)
field() { echo "$stats" | tr ' ' '\n' | awk -F= -v k="$1" '$1 == k { print $2 }'; }
first=$(field first-second)
changes=$(field changes)
per_change=$(field requests-per-change)
plays=$(wc -l < plays.txt)
stop_game

cpu_model=$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)
cores=$(nproc)
mem=$(free -g | awk '/^Mem:/ { print $2 " GiB" }')
kernel=$(uname -r)
xvfb=$(dpkg-query -W -f='${Version}' xvfb 2>/dev/null || echo "?")
when=$(date -u +%Y-%m-%d)
load=$(cut -d' ' -f1 /proc/loadavg)

section=$(cat <<EOF
<!-- game-perf:begin -->
## Game

Measured on $when by \`bench/game_perf.sh\` (Release build, \`-O3\` by CMake's
Release type, no sanitizers) on $cpu_model, $cores cores, $mem, Linux $kernel,
Xvfb $xvfb at 1024x768x24, with a recording stand-in for "aplay"; load average
$load when it ended (the machine is shared with other builds, so figures vary
from run to run). Times are polled from outside (xdotool and \`tools/pixel\`
every few milliseconds), so they include that polling's granularity.

Command, from the source folder (it builds \`build/perf\` and starts its own
Xvfb): \`bench/game_perf.sh\`; with \`--print\` it only shows the section.

| what | measured | how |
|---|---|---|
| start to mapped window | $mapped ms | median of 5 starts: \`xdotool search --onlyvisible\` until the window is viewable |
| start to first complete frame | $frame ms | median of 5 starts: until the START button (the last control the first paint draws) shows its red face |
| resident memory after the first frame | $((rss_start / 1024)) MiB ($rss_start kB) | VmRSS in /proc |
| peak resident memory after one spin | $((rss_peak / 1024)) MiB ($rss_peak kB) | VmHWM in /proc |
| CPU over 10 idle seconds | $(ticks_ms "$idle_ticks") ms | utime + stime in /proc, game idle with its 20 ms timer running |
| CPU of one whole spin (${spin_ms} ms) | $(ticks_ms "$spin_ticks") ms in the game, $(ticks_ms "$child_ticks") ms in its sound children | utime + stime, and cutime + cstime of the children it collected |
| reel changes in the first second of a spin | $first of the 50 aimed at | \`RULLOMAT_STATS=1\` line: changes within 1000 ms of the monotonic clock from the spin's first tick |
| reel changes in the whole spin | $changes | same line; the timing aims at about 166 |
| sounds started in the spin | $plays | lines written by the stand-in (a tick stopped by the next one before its shell ran the player leaves none) |
| X requests per reel change | $per_change | same line: \`XNextRequest\` before and after the five \`SetFrame\` calls (a graphics context made, set up and freed, and one \`XPutImage\`, for each reel that changes) |

The spin timer advances only while the loop is idle, in 10 ms slices taken
after a \`select\` on the X connection, so a 20 ms tick takes more than 20 ms of
wall time (the drawing and the fork of each tick's sound come on top); the
changes in the first second fall short of 50 by that drift. A spin's length is
reckoned from whole seconds of the calendar clock plus the loop's own
millisecond counter, so it lasts between about 14 and 16 s of wall time.
<!-- game-perf:end -->
EOF
)

if [ "${1:-}" = "--print" ]; then
    echo "$section"
    exit 0
fi

doc="$root/docs/performance.md"
if [ ! -f "$doc" ]; then
    printf '# Performance\n\n%s\n' "$section" > "$doc"
elif grep -q '<!-- game-perf:begin -->' "$doc"; then
    echo "$section" > "$work/section.md"
    awk -v f="$work/section.md" '
        /<!-- game-perf:begin -->/ { while ((getline line < f) > 0) print line; skip = 1; next }
        /<!-- game-perf:end -->/ { skip = 0; next }
        !skip { print }' "$doc" > "$doc.new"
    mv "$doc.new" "$doc"
else
    printf '\n%s\n' "$section" >> "$doc"
fi
echo "$section"
echo "Written to $doc"

#!/usr/bin/env bash
# Measures the game as a player meets it, beside references measured in the
# same run on the same private Xvfb (1280x1024x24), and writes the "Game"
# section of docs/performance.md (the rest of that file is left as it is):
#
#   - start to first complete frame: the game and a minimal raw-Xlib program
#     (bench/perfkit.c "window": create and map a window, draw on its first
#     expose), both started through "perfkit launch", which notes the
#     monotonic clock before exec; each program notes it again once its first
#     frame is drawn and the server has answered (no polling involved);
#   - resident memory (all of it, and its anonymous part) of the game,
#     xeyes and the raw-Xlib program;
#   - CPU over 10 idle seconds of the game (its 20 ms timer running) against
#     "perfkit idle", a bare loop of 1000 select waits of 10 ms on a socket,
#     run at the same time;
#   - spins: reel changes in the first second with the pointer still and
#     with "perfkit wiggle" moving it over the window every 5 ms through
#     XTest for the first 3 seconds; the game's CPU for one whole spin, the
#     share of it spent in reel changes and in starting the sound children,
#     and the same spin with "Data/ding.wav" absent (no children started).
#
# The spin figures come from the statistics line that a build made with
# -DRULLOMAT_SPIN_STATS=ON prints at the end of every spin; that build lives
# in build/perf and is used for nothing else. Every figure is the median of
# several runs, with the range beside it; the machine is shared, so ratios
# against references taken in the same run say more than absolute values.
#
#   bench/game_perf.sh [--print]   (--print: show the section, write nothing)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../scripts/common.sh
. "$root/scripts/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}" libxtst-dev x11-apps

build="$root/build/perf"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRULLOMAT_TESTS=OFF \
    -DRULLOMAT_SPIN_STATS=ON >/dev/null
ninja -C "$build" rullomat >/dev/null
kit="$build/perfkit"
cc -O2 -Wall -Wextra -o "$kit" "$root/bench/perfkit.c" -lX11 -lXtst

starts=7   # start-up runs of each program
idles=5    # idle measurements
spins=3    # spins of each kind

# The processes in $running are ended when the script ends.
sandbox 1280x1024
# A recording stand-in for the sound player: one line a play.
aplay_stand_in <<'PLAYER'
echo "$1" >> "$sandbox/plays.txt"
PLAYER

# await SECONDS COMMAND...: retries the command every 50 ms.
await() {
    local limit=$(($1 * 20)) i
    shift
    for ((i = 0; i < limit; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    echo "game_perf: timed out waiting for: $*" >&2
    return 1
}
stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    running=()
}
# median and range of the numbers on standard input: "m (lo to hi)".
stat3() { sort -g | awk '{ v[NR] = $1 } END { printf "%s (%s to %s)", v[int((NR + 1) / 2)], v[1], v[NR] }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
kb() { awk -v k="$2" '$1 == k":" { print $2 }' "/proc/$1/status"; }
cpu_ns() { cut -d' ' -f1 "/proc/$1/schedstat"; }
children_ticks() { awk '{ print $16 + $17 }' "/proc/$1/stat"; }
clk=$(getconf CLK_TCK)

# --- Start to first complete frame ------------------------------------------
: > frame_game.txt
: > frame_raw.txt
for ((run = 0; run < starts; run++)); do
    for who in game raw; do
        rm -f start.txt # the next program's redirection may come late
        if [ "$who" = game ]; then
            "$kit" launch "$build/rullomat" > /dev/null 2> start.txt &
        else
            "$kit" launch "$kit" window 2> start.txt &
        fi
        p=$!
        running=("$p")
        await 10 grep -q 'first-frame' start.txt
        stop "$p"
        awk -F= '/^launch/ { a = $2 } /first-frame/ { b = $2 } END { printf "%.1f\n", (b - a) / 1e6 }' \
            start.txt >> "frame_$who.txt"
    done
done

# --- The game stays up from here on ------------------------------------------
"$build/rullomat" > stdout.txt 2> stats.txt &
game=$!
"$kit" window 2> /dev/null &
raw=$!
xeyes &
eyes=$!
running=("$game" "$raw" "$eyes")
await 10 grep -q 'first-frame' stats.txt
win=$(find_window "$GAME_TITLE")
sleep 2

# --- Memory ------------------------------------------------------------------
mem() { echo "$(kb "$1" VmRSS) $(kb "$1" RssAnon)"; }
read -r game_rss game_anon <<< "$(mem "$game")"
read -r eyes_rss eyes_anon <<< "$(mem "$eyes")"
read -r raw_rss raw_anon <<< "$(mem "$raw")"
largest_anon=$(awk '/^[0-9a-f]+-/ { file = $6 } /^Anonymous:/ { if (file == "" && $2 > m) m = $2 } END { print m + 0 }' \
    "/proc/$game/smaps")
kill "$raw" "$eyes"
wait "$raw" "$eyes" 2>/dev/null || true
running=("$game")

# --- Idle CPU, against the bare select loop run at the same time -------------
: > idle_game.txt
: > idle_bare.txt
: > idle_ratio.txt
for ((run = 0; run < idles; run++)); do
    c0=$(cpu_ns "$game")
    bare=$("$kit" idle)
    c1=$(cpu_ns "$game")
    awk -v g=$((c1 - c0)) -v b="$bare" 'BEGIN { printf "%.1f\n", g / 1e6 }' >> idle_game.txt
    awk -v b="$bare" 'BEGIN { printf "%.1f\n", b / 1e6 }' >> idle_bare.txt
    awk -v g=$((c1 - c0)) -v b="$bare" 'BEGIN { printf "%.2f\n", g / b }' >> idle_ratio.txt
done

# --- Spins -------------------------------------------------------------------
# spin KIND: one spin from START (or "Raises", at the same place); KIND is
# still, moving or silent. Appends its statistics line to spins_KIND.txt.
spins_done() { grep -c '^stats: spin' stats.txt || true; }
more_spins_than() { [ "$(spins_done)" -gt "$1" ]; }
spin() {
    local before k0
    before=$(spins_done)
    k0=$(children_ticks "$game")
    "$kit" click "$win" "${START[@]}"
    [ "$1" = moving ] && "$kit" wiggle "$win" 3000
    await 30 more_spins_than "$before"
    sleep 0.3
    echo "$(grep '^stats: spin' stats.txt | tail -1) children-ms=$((($(children_ticks "$game") - k0) * 1000 / clk))" \
        >> "spins_$1.txt"
}
: > spins_still.txt
: > spins_moving.txt
: > spins_silent.txt
for ((run = 0; run < spins; run++)); do
    spin still
    spin moving
done
mv Data/ding.wav Data/ding.wav.off
for ((run = 0; run < spins; run++)); do spin silent; done
mv Data/ding.wav.off Data/ding.wav
stop "$game"

# Median and range of field k over the spins of one kind.
over() { awk -v k="$2" '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); if (kv[1] == k) print kv[2] } }' "spins_$1.txt" | stat3; }
over_median() { awk -v k="$2" '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); if (kv[1] == k) print kv[2] } }' "spins_$1.txt" | median; }

frame_game=$(stat3 < frame_game.txt)
frame_raw=$(stat3 < frame_raw.txt)
idle_game=$(stat3 < idle_game.txt)
idle_bare=$(stat3 < idle_bare.txt)
idle_ratio=$(stat3 < idle_ratio.txt)
still_first=$(over still first-second)
moving_first=$(over moving first-second)
still_changes=$(over still changes)
moving_changes=$(over moving changes)
spin_cpu=$(over still cpu-ms)
paint_cpu=$(over still paint-cpu-ms)
sound_cpu=$(over still sound-start-cpu-ms)
faults=$(over still minor-faults)
children=$(over still children-ms)
requests=$(over still requests-per-change)
silent_cpu=$(over silent cpu-ms)
silent_faults=$(over silent minor-faults)
per_change() { awk -v c="$(over_median "$1" cpu-ms)" -v n="$(over_median "$1" changes)" 'BEGIN { printf "%.2f", c / n }'; }
still_per_change=$(per_change still)
silent_per_change=$(per_change silent)
mb() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k / 1024 }'; }

cpu_model=$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)
cores=$(nproc)
mem_total=$(free -g | awk '/^Mem:/ { print $2 " GiB" }')
kernel=$(uname -r)
xvfb=$(dpkg-query -W -f='${Version}' xvfb 2>/dev/null || echo "?")
when=$(date -u '+%Y-%m-%d %H:%M UTC')
load=$(cut -d' ' -f1-3 /proc/loadavg)
commit=$(git -C "$root" rev-parse --short HEAD 2>/dev/null || echo "?")

section=$(cat <<EOF
<!-- game-perf:begin -->
## Game

Measured on $when by \`bench/game_perf.sh\` at commit $commit: a Release
build (\`-O3\`, no sanitizers) made with \`-DRULLOMAT_SPIN_STATS=ON\` in
\`build/perf\`, on $cpu_model, $cores cores, $mem_total, Linux $kernel, Xvfb
$xvfb at 1280x1024x24 with no window manager, and a recording stand-in for
"aplay". Load average at the end: $load (the machine is shared with other
builds). Each figure is the median of the runs, with the lowest and highest
in brackets; that range is the noise.

Command, from the source folder (it builds \`build/perf\` and the helper
\`bench/perfkit.c\`, installs what it lacks, and starts its own Xvfb):
\`bench/game_perf.sh\`; with \`--print\` it only shows this section.

| figure | the game | reference in the same run | target |
|---|---|---|---|
| reel changes in the first second of a spin, pointer still | $still_first of 50 | | at least 48 |
| the same, pointer moved over the window every 5 ms | $moving_first of 50 | | at least 45 |
| reel changes in the whole spin (still / moving) | $still_changes / $moving_changes | about 166 by the spin's timing | |
| CPU over 10 idle seconds, ms | $idle_game | bare loop of 1000 select waits of 10 ms: $idle_bare | |
| the same as a ratio, game / bare loop | $idle_ratio | | at most 1.25 |
| resident memory | $(mb "$game_rss"), of which $(mb "$game_anon") anonymous (largest anonymous mapping $(mb "$largest_anon")) | xeyes $(mb "$eyes_rss") ($(mb "$eyes_anon") anonymous); raw-Xlib window $(mb "$raw_rss") ($(mb "$raw_anon") anonymous) | anonymous at most 1 MB; total no more than xeyes |
| CPU of the game for one whole spin, ms | $spin_cpu | | at most 150 |
| of it: reel changes (painting), ms | $paint_cpu | | |
| of it: starting the sound children (the spawn calls), ms | $sound_cpu | | |
| minor page faults in the spin | $faults | without sound children: $silent_faults | |
| CPU of one spin without sound children ("Data/ding.wav" absent), ms | $silent_cpu | | |
| CPU per reel change, with / without sound children, ms | $still_per_change / $silent_per_change | | |
| CPU of the sound children of one spin (shell and stand-in), ms | $children | | |
| X requests per reel change | $requests | | |
| start to first complete frame, ms | $frame_game | raw-Xlib window: $frame_raw | at most 40 |

How each figure is taken:

- Runs: $starts starts of each program; $idles idle measurements; $spins
  spins of each kind (still, moving and silent). The still and moving spins
  alternate, so about half of them are re-spins of the unheld reels.
- First complete frame: \`perfkit launch\` notes the monotonic clock and
  execs the program; the game (in this build) notes the clock again after
  its first paint and an \`XSync\`, the raw-Xlib window after drawing on its
  first expose and an \`XSync\`.
- Idle CPU: \`/proc/PID/schedstat\` of the idle game (no spin, its 20 ms
  timer running) over the ten seconds in which \`perfkit idle\` runs its
  1000 waits, beside that loop's own figure.
- Memory: \`VmRSS\` and \`RssAnon\` of \`/proc/PID/status\`, two seconds after
  the first frame; the largest anonymous mapping from \`/proc/PID/smaps\`. The
  game's file-backed part is mostly the C++ runtime, shared with every
  other C++ program.
- Spins: the statistics line: reel changes within 1000 ms of the monotonic
  clock from the spin's first tick; the process CPU time
  (\`CLOCK_PROCESS_CPUTIME_ID\`) from the first tick to the end of the spin;
  the thread CPU time spent inside the reel changes and inside the calls
  that start the sound; minor faults from \`getrusage\` (pages the game
  shared with a child and copies when it next writes to them). The silent
  spins write one trace-log line per reel change instead of starting a
  sound. The children's CPU is \`cutime + cstime\` in
  \`/proc/PID/stat\`, at 10 ms resolution.
- Pointer: \`perfkit wiggle\` sends an XTest motion over the reels and lock
  cells every 5 ms for the first 3 seconds of the spin.
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

#!/usr/bin/env bash
# Soak test: a Release build under a private Xvfb, played round after round
# with xdotool (START, and START again for the re-spin) for ten minutes, with
# a stand-in "aplay" as long as the game's tick (70 ms). Once a minute it
# samples the game's resident memory, its open descriptors, its defunct
# children and the processes it has started that are still running; at the
# end it answers EXIT with YES and counts what is left a second later. The
# figures go to docs/reliability.md, with the machine and the command.
#
#   bench/soak.sh [SECONDS] [--print]   (default 600; --print: write nothing)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../scripts/common.sh
. "$root/scripts/common.sh"
ensure_packages "${BUILD_PACKAGES[@]}"
seconds=600 print=0
for a in "$@"; do
    case $a in
        --print) print=1 ;;
        *) seconds=$a ;;
    esac
done

build="$root/build/soak"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DRULLOMAT_TESTS=OFF >/dev/null
ninja -C "$build" -j2 rullomat pixel >/dev/null

sandbox 1024x768
aplay_stand_in <<'PLAYER'
echo $$ >> "$sandbox/players"
sleep 0.07
PLAYER

# Every process below the game (its children and theirs).
descendants() {
    ps -e -o pid=,ppid= | awk -v root="$game" '
        { parent[$1] = $2 }
        END { n = 0; for (p in parent) { q = p; while (q in parent && q != root && q > 1) q = parent[q]; if (q == root && p != root) n++ } print n }'
}
players_alive() {
    local n=0 p
    while read -r p; do kill -0 "$p" 2>/dev/null && n=$((n + 1)); done < <(cat players 2>/dev/null)
    echo $n
}
sample() {
    printf '| %s | %s | %s | %s | %s | %s |\n' "$1" \
        "$(awk '$1 == "VmRSS:" { print $2 }' "/proc/$game/status")" \
        "$(find "/proc/$game/fd" -mindepth 1 -maxdepth 1 | wc -l)" \
        "$(pgrep -c -r Z -P "$game" || true)" \
        "$(descendants)" "$( (cat players 2>/dev/null || true) | wc -l)" >> samples.md
}

# window TITLE: the first window of that title, waited for up to 10 s.
window() { find_window "$1" || { echo "soak: no window $1" >&2; exit 1; }; }

"$build/rullomat" > stdout.txt 2>&1 &
game=$!
win=$(window "$GAME_TITLE")
sleep 1

: > samples.md
sample 0
start=$(date +%s)
next=60 spins=0
while :; do
    elapsed=$(($(date +%s) - start))
    [ "$elapsed" -ge "$seconds" ] && break
    if [ "$elapsed" -ge "$next" ]; then
        sample "$((next / 60))"
        next=$((next + 60))
    fi
    # START (or Raises); a spin lasts 15 s, the mouse wanders meanwhile.
    xdotool mousemove --window "$win" "${START[@]}" click 1
    spins=$((spins + 1))
    for x in $(seq 100 40 700); do
        xdotool mousemove --window "$win" "$x" 300
        sleep 0.9
    done
done
sample "$((seconds / 60))"
rss_end=$(awk '$1 == "VmRSS:" { print $2 }' "/proc/$game/status")

xdotool mousemove --window "$win" "${EXIT[@]}" click 1
xdotool mousemove --window "$(window "$EXIT_TITLE")" "${BOX_YES[@]}" click 1
status=0
wait "$game" || status=$?
game=""
sleep 1
left=$(players_alive)
log_lines=$( (cat log.txt 2>/dev/null || true) | wc -l)

cpu=$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')
section=$(
    cat <<EOF
# Reliability

Nothing the game starts outlives it, and a long session does not grow.
Measured by \`bench/soak.sh\` (not part of the test suite): a Release build
under a private Xvfb, played for $((seconds / 60)) minutes with xdotool (START
every 15 seconds, first spins and re-spins alike, the mouse moving all the
while), with a stand-in "aplay" that lasts as long as the game's tick (70 ms)
and writes its process id down.

- Machine: $cpu, $(nproc) cores, $(awk '/MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo), Linux $(uname -r); shared with other builds while it ran.
- Command: \`bench/soak.sh $seconds\`, $(date -u +%Y-%m-%d).

Once a minute: the game's resident memory (VmRSS), its open descriptors,
its defunct children, the processes below it still running (a few when a
tick is playing at that moment: its shell, the stand-in and its sleep), and
the sounds played so far.

| minute | VmRSS kB | descriptors | defunct | running below it | sounds played |
|---|---|---|---|---|---|
$(cat samples.md)

After $spins spins: EXIT answered YES, exit status $status; one second later
$left of the $(wc -l < players) sound players were still running; log.txt held
$log_lines lines. Resident memory at the end: $rss_end kB.
EOF
)
if [ "$print" = 1 ]; then
    echo "$section"
else
    echo "$section" > "$root/docs/reliability.md"
    echo "written: docs/reliability.md"
fi

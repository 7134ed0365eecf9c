#!/usr/bin/env bash
# Nothing the game starts outlives it. The stand-in for "aplay" never ends
# (it sleeps for an hour): during a spin no more than eight play at once, and
# after EXIT and YES, SIGTERM, SIGINT, SIGHUP and a killed X server none is
# left a second later; the game ends with 0, killed by the signal, and 2,
# its trace log intact.
set -u
. "$(dirname "$0")/game_helpers.bash"
aplay_stand_in <<'PLAYER'
echo $$ >> "$sandbox/players"
exec sleep 3600
PLAYER

# alive [STATES]: players that exist (in one of these states: a player told
# to end is runnable for a moment, and not counted as playing).
alive() {
    local n=0 p st
    while read -r p; do
        st=$(cut -d' ' -f3 "/proc/$p/stat" 2>/dev/null) && [[ $st == [${1:-A-Z}] ]] && n=$((n + 1))
    done < <(cat "$work/players" 2>/dev/null)
    echo $n
}
# The game under a watcher that writes how it ended ("exit N", "signal N").
start_watched() {
    rm -f "$work/ending" "$work/game.pid" "$work/players"
    python3 -c '
import os, signal, sys
pid = os.fork()
if pid == 0:
    signal.signal(signal.SIGINT, signal.SIG_DFL) # a background job starts with it ignored
    os.execv(sys.argv[1], sys.argv[1:2])
open("game.pid", "w").write(str(pid))
st = os.waitpid(pid, 0)[1]
open("ending", "w").write("exit %d" % os.WEXITSTATUS(st) if os.WIFEXITED(st) else "signal %d" % os.WTERMSIG(st))
' "$bin" > stdout.txt 2>&1 &
    await test -s "$work/game.pid" || fail "not started"
    game=$(cat "$work/game.pid")
    win=$(find_window "$GAME_TITLE") || fail "no window"
    await painted || fail "no first paint"
}
# START, then the most players alive at once over two seconds.
spin() {
    click "${START[@]}"
    local most=0 a
    for _ in $(seq 1 20); do
        a=$(alive S)
        [ "$a" -gt "$most" ] && most=$a
        sleep 0.1
    done
    { [ "$most" -ge 2 ] && [ "$most" -le 8 ]; } || fail "$1: $most players at once"
}
# ended ROAD ENDING LOG: how the game ended, and a second later no player.
ended() {
    await test -s "$work/ending" || fail "$1: the game did not end"
    [ "$(cat "$work/ending")" = "$2" ] || fail "$1: $(cat "$work/ending")"
    game=""
    sleep 1
    [ "$(alive)" = 0 ] || fail "$1: $(alive) players left"
    [ "$(cat log.txt 2>/dev/null)" = "$3" ] || fail "$1: log.txt: $(cat log.txt)"
    echo "ok: $1: $2, no player left"
}

start_watched
spin EXIT
click "${EXIT[@]}"
box=$(find_window "$EXIT_TITLE") || fail "EXIT asked nothing"
xdotool mousemove --window "$box" "${BOX_YES[@]}" click 1
ended "EXIT and YES" "exit 0" ""

for sig in TERM INT HUP; do
    start_watched
    spin "SIG$sig"
    kill -s "$sig" "$game"
    ended "SIG$sig" "signal $(kill -l "$sig")" ""
done

start_watched
spin "X server killed"
stop_xvfb
ended "X server killed" "exit 2" "X connection lost"

#!/usr/bin/env bash
# The browser and the mail client are the player's: stand-ins for firefox
# and thunderbird, each detaching a child of its own with setsid, record
# their pid and every signal they get. Opened from the About box during a
# spin, both still run, never signalled, after EXIT and YES, after SIGTERM
# and after the X server is killed; meanwhile no child of the game stays
# defunct, though the stand-in player detaches one too. With its standard
# output gone the game plays on and every line is in log.txt. In a terminal
# with "stty tostop" no sound is ever stopped, and a spin starts as many as
# without a terminal.
set -u
. "$(dirname "$0")/game_helpers.bash"
for p in firefox thunderbird; do
    cat > "$work/bin/$p" <<STANDIN
#!/bin/sh
for s in HUP INT QUIT TERM USR1 USR2 PIPE ALRM; do trap "echo \$\$ \$s >> '$work/signals'" \$s; done
echo \$\$ >> '$work/helpers'
setsid sleep 0.3 &
until [ -e '$work/done' ]; do sleep 0.1; done
STANDIN
done
aplay_stand_in <<'PLAYER'
echo "$*" >> "$sandbox/aplay.log"
setsid sleep 0.3 &
sleep 0.2
PLAYER
chmod +x "$work/bin/"*

# Defunct children of the game in two looks two seconds apart: one that is
# in both was not collected.
no_lasting_defunct() {
    local first
    first=$(ps --ppid "$game" -o pid=,stat= | awk '$2 ~ /^Z/ { print $1 }')
    sleep 2
    for p in $(ps --ppid "$game" -o pid=,stat= | awk '$2 ~ /^Z/ { print $1 }'); do
        [[ " $first " == *" $p "* ]] && fail "$1: $p stays defunct"
    done
}
open_links() {
    click "${INFO[@]}"
    box=$(find_window '^Info\.\.\.$') || fail "no About box"
    xdotool mousemove --window "$box" "${ABOUT_WEB[@]}" click 1
    xdotool mousemove --window "$box" "${ABOUT_MAIL[@]}" click 1
    await both_started || fail "$1: browser and mail not started"
}
both_started() { [ "$(wc -l < "$work/helpers" 2>/dev/null)" = 2 ]; }
helpers_gone() {
    local p
    while read -r p; do kill -0 "$p" 2>/dev/null && return 1; done < "$work/helpers"
    return 0
}
helpers_untouched() {
    sleep 0.5
    while read -r p; do kill -0 "$p" 2>/dev/null || fail "$1: helper $p ended with the game"; done < "$work/helpers"
    [ ! -e "$work/signals" ] || fail "$1: helpers signalled: $(cat "$work/signals")"
    touch "$work/done"
    await helpers_gone || fail "$1: helpers do not end"
    rm -f "$work/done" "$work/helpers"
    echo "ok: $1: browser and mail client run on, never signalled"
}

for road in "EXIT and YES" SIGTERM "X server killed"; do
    start_game "$work" "$work/bin:$PATH"
    click "${START[@]}"
    open_links "$road"
    no_lasting_defunct "$road"
    case $road in
    EXIT*)
        xdotool key --window "$box" Escape
        quit_game ;;
    SIGTERM)
        kill -TERM "$game"
        wait "$game"
        game="" ;;
    X*)
        stop_xvfb
        wait "$game"
        game=""
        start_xvfb 24 1024x768 || fail "no Xvfb" ;;
    esac
    helpers_untouched "$road"
done

# Standard output into a FIFO whose reader takes one byte and goes; without
# its spin sound the game logs a line at every reel change.
mkdir "$work/gone"
cp "$work/Data/frutta96x96.bin" "$work/gone/"
mkdir "$work/gone/Data" && mv "$work/gone/frutta96x96.bin" "$work/gone/Data/"
mkfifo "$work/out"
head -c 1 "$work/out" > /dev/null &
cd "$work/gone" || fail "no folder"
PATH="$work/bin:$PATH" "$bin" > "$work/out" 2> /dev/null &
game=$!
win=$(find_window "$GAME_TITLE") || fail "no window"
await painted || fail "no first paint"
click "${START[@]}"
logged_ten() { [ "$(grep -c "^Data/ding.wav non trovato.$" log.txt)" -ge 10 ]; }
await logged_ten || fail "stdout gone: the game ended or logged too little"
kill -0 "$game" || fail "stdout gone: the game ended"
quit_game
! grep -qv "^Data/ding.wav non trovato.$" log.txt || fail "stdout gone: log.txt: $(cat log.txt)"
echo "ok: standard output gone: the game plays on, $(wc -l < log.txt) lines in log.txt"

# Sounds started in three seconds of a spin, without a terminal and in one
# with "stty tostop"; the stand-in player writes to standard error as the
# real one does. No player is ever seen stopped (state T).
aplay_stand_in <<'PLAYER'
echo $$ >> "$sandbox/players"
echo "Playing WAVE $*" >&2
sleep 1
PLAYER
cd "$work" || fail "no folder"
spin_count() {
    rm -f "$work/players"
    win=$(find_window "$GAME_TITLE") || fail "no window"
    await painted || fail "no first paint"
    click "${START[@]}"
    for _ in $(seq 1 30); do
        while read -r p; do
            [ "$(cut -d' ' -f3 "/proc/$p/stat" 2>/dev/null)" != T ] || fail "$1: player $p stopped"
        done < <(cat "$work/players" 2>/dev/null)
        sleep 0.1
    done
    wc -l < "$work/players"
    kill -TERM "$game"
}
PATH="$work/bin:$PATH" "$bin" > /dev/null 2>&1 &
game=$!
plain=$(spin_count "no terminal") || { echo "$plain"; exit 1; }
wait "$game"
rm -f game.pid
PATH="$work/bin:$PATH" script -qec "stty tostop; echo \$\$ > game.pid; exec '$bin'" /dev/null < /dev/null > "$work/tty.txt" &
await test -s game.pid || fail "not started in a terminal"
game=$(cat game.pid)
tty=$(spin_count "stty tostop") || { echo "$tty"; exit 1; }
await gone "$game" || fail "the game in a terminal did not end"
game=""
{ [ "$tty" -gt 8 ] && [ $((2 * tty)) -ge "$plain" ]; } || fail "stty tostop: $tty sounds, without a terminal $plain"
grep -q "Playing WAVE Data/ding.wav" "$work/tty.txt" || fail "the players wrote nothing to the terminal"
echo "ok: stty tostop: $tty sounds started, $plain without a terminal, none stopped"

# Sourced by the game's end-to-end scripts (bash SCRIPT BINARY SOURCE BUILD):
# a scratch folder, a private Xvfb, recording stand-ins, the game started
# and clicked with xdotool, screenshots read by game_shot.py.
bin=$1 src=$2 build=$3
. "$src/scripts/common.sh"
tools="$build/tools"
sheet="$src/Data/frutta96x96.bin" # the reel sheet screenshots are matched against
work=$(mktemp -d)
game=""
fail() { echo "FAIL: $*"; [ -f log.txt ] && sed 's/^/log.txt: /' log.txt; exit 1; }
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null && wait "$game" 2>/dev/null
    stop_xvfb
    rm -rf "$work"
}
trap cleanup EXIT
start_xvfb 24 1024x768 || fail "no Xvfb"
mkdir "$work/bin" "$work/nothing"
# The player records the file and, like a real one, takes a while.
printf '#!/bin/sh\necho "$*" >> "%s/aplay.log"\nsleep 1\n' "$work" > "$work/bin/aplay"
chmod +x "$work/bin/aplay"

# await CONDITION...: true once the command succeeds, polled for 10 s.
await() { for _ in $(seq 1 100); do "$@" && return 0; sleep 0.1; done; return 1; }
pixel() { "$tools/pixel" "$win" "$1" "$2" 2>/dev/null; }
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
# start_game DIR PATH: the game in DIR, up to its first paint (yellow score).
start_game() {
    cd "$1" || fail "no folder $1"
    PATH="$2" "$bin" > "$work/stdout.txt" 2> "$work/stderr.txt" &
    game=$!
    await eval 'win=$(xdotool search --name "^Rullomat - " 2>/dev/null | head -1); [ -n "$win" ]' || fail "no window"
    await eval '[ "$(pixel 40 70)" = FFFF00 ]' || fail "no first paint"
}
# shot NAME: a screenshot and its facts; fact NAME KEY: one of them.
shot() {
    "$tools/screenshot" "$1.png" "$win" || fail "screenshot $1"
    python3 "$src/tests/e2e/game_shot.py" "$1.png" "$sheet" > "$1.txt" || fail "reading $1"
}
fact() { awk -v k="$2" '$1 == k { $1 = ""; print substr($0, 2) }' "$1.txt"; }
# EXIT, YES, and status 0.
quit_game() {
    click 560 559
    await eval 'box=$(xdotool search --name "^Exit$" 2>/dev/null | head -1); [ -n "$box" ]' || fail "EXIT asked nothing"
    xdotool mousemove --window "$box" 185 124 click 1
    await eval '! kill -0 $game 2>/dev/null' || fail "the game did not end after YES"
    wait "$game"
    local status=$?
    game=""
    [ "$status" = 0 ] || fail "exit status $status"
}

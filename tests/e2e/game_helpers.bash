# shellcheck shell=bash
# Sourced by the game's end-to-end scripts (bash SCRIPT BINARY SOURCE BUILD):
# the sandbox of scripts/common.sh with a recording stand-in for "aplay", the
# game started and clicked with xdotool, screenshots read by game_shot.py.
bin=$1 src=$2 build=$3
# shellcheck source=../../scripts/common.sh
. "$src/scripts/common.sh"
tools="$build/tools"
sheet="$src/Data/frutta96x96.bin" # the reel sheet screenshots are matched against
fail() { echo "FAIL: $*"; [ -f log.txt ] && sed 's/^/log.txt: /' log.txt; exit 1; }
sandbox 1024x768 || fail "no Xvfb"
mkdir "$work/nothing"
# The player records the file and, like a real one, takes a while.
aplay_stand_in <<'PLAYER'
echo "$*" >> "$sandbox/aplay.log"
sleep 1
PLAYER

# await CONDITION...: true once the command succeeds, polled for 10 s.
await() { for _ in $(seq 1 100); do "$@" && return 0; sleep 0.1; done; return 1; }
gone() { ! kill -0 "$1" 2>/dev/null; }
pixel() { "$tools/pixel" "$win" "$1" "$2" 2>/dev/null; }
painted() { [ "$(pixel "${SCORE_INK[@]}")" = FFFF00 ]; }
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
# start_game DIR [PATH]: the game in DIR, up to its first paint (yellow score).
start_game() {
    cd "$1" || fail "no folder $1"
    PATH="${2:-$PATH}" "$bin" > "$work/stdout.txt" 2> "$work/stderr.txt" &
    game=$!
    win=$(find_window "$GAME_TITLE") || fail "no window"
    await painted || fail "no first paint"
}
# shot NAME: a screenshot and its facts; fact NAME KEY: one of them.
shot() {
    "$tools/screenshot" "$1.png" "$win" || fail "screenshot $1"
    python3 "$src/tests/e2e/game_shot.py" "$1.png" "$sheet" > "$1.txt" || fail "reading $1"
}
fact() { awk -v k="$2" '$1 == k { $1 = ""; print substr($0, 2) }' "$1.txt"; }
# EXIT, YES, and status 0.
quit_game() {
    click "${EXIT[@]}"
    box=$(find_window "$EXIT_TITLE") || fail "EXIT asked nothing"
    xdotool mousemove --window "$box" "${BOX_YES[@]}" click 1
    await gone "$game" || fail "the game did not end after YES"
    wait "$game"
    local status=$?
    game=""
    [ "$status" = 0 ] || fail "exit status $status"
}

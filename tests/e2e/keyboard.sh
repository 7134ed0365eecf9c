#!/usr/bin/env bash
# A whole round of the real game played with xdotool keys alone, each sent
# to the window in front: Tab to START, Return spins, Return on "Raises"
# re-spins and pays; Right on the slider raises the wager; INFO closed with
# Return and with Escape; EXIT, Tab to YES and NO, NO, and at last YES. On
# screenshots, one focus frame where Tab put it, and when a dialog closes
# one frame again, on the button that opened it.
set -u
. "$(dirname "$0")/game_helpers.bash"
start_game "$work" "$work/bin:$PATH"

keys() { xdotool key --window "$@" 2>/dev/null || fail "xdotool key $*"; }
# focus NAME "S I E W": the frames on START, INFO, EXIT and the slider.
focus() {
    for _ in $(seq 1 20); do
        shot "$1"
        [ "$(fact "$1" focus)" = "$2" ] && return 0
        sleep 0.2
    done
    fail "$1: focus frames $(fact "$1" focus), not $2"
}
# dialog TITLE: the open dialog's window in $box.
dialog() {
    title=$1
    box=$(find_window "^$title\$") || fail "no $1"
}
shut() { [ -z "$(xdotool search --name "^$title\$" 2>/dev/null)" ]; }
closed() { await shut || fail "$title stays open"; }
lock() { pixel "${LOCK_INK[@]}"; }
until_lock_not() { for _ in $(seq 1 80); do sleep 0.25; [ "$(lock)" != "$1" ] && return 0; done; return 1; }

keys "$win" Tab Tab Tab
focus start "1 0 0 0"
# The first spin; should all five reels pay (1 in 7776) it is paid at once.
for _ in 1 2 3; do
    keys "$win" Return
    until_lock_not AAAAAA && break
done
focus hold "1 0 0 0"
[ "$(fact hold start)" != "$(fact start start)" ] || fail "the button does not read Raises"
keys "$win" Return
{ until_lock_not "$(lock)" && [ "$(lock)" = AAAAAA ]; } || fail "the re-spin did not end"
focus payout "1 0 0 0"
[ "$(fact payout message)" -gt 20 ] || fail "no result line"
[ "$(fact payout start)" = "$(fact start start)" ] || fail "START is not back"
echo "ok: START, hold, Raises and payout from the keyboard"

# The slider moves with its keys.
keys "$win" Tab
focus slider "0 0 0 1"
keys "$win" Right
moved() { shot wager; [ "$(fact wager wager)" != "$(fact slider wager)" ]; }
await moved || fail "Right does not move the wager"

# Return and Escape each close the About box and press nothing behind it.
keys "$win" Tab
focus info "0 1 0 0"
for k in Return Escape; do
    keys "$win" Return
    dialog "Info\.\.\."
    keys "$box" "$k"
    closed
    focus "info-$k" "0 1 0 0"
done
keys "$win" Tab
focus exit "0 0 1 0"
echo "ok: INFO, Return and Escape; one focus frame"

# In the exit question Tab reaches YES, then NO; NO keeps the game going.
keys "$win" Return
dialog Exit
keys "$box" Tab Tab Return
closed
kill -0 "$game" || fail "NO ended the game"
focus after-no "0 0 1 0"
keys "$win" Return
dialog Exit
keys "$box" Tab Return
await gone "$game" || fail "the game did not end after YES"
wait "$game"
status=$?
game=""
[ "$status" = 0 ] || fail "exit status $status"
[ ! -s log.txt ] || fail "log.txt is not empty"
echo "ok: EXIT, NO, EXIT, YES from the keyboard: status 0, clean log.txt"

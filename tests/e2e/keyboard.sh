#!/usr/bin/env bash
# Whole rounds of the real game played with xdotool keys alone, each sent
# to the window in front: Tab to START, Return spins, a digit changes a
# hold, Return on "Raises" re-spins and pays; Right on the slider raises the
# wager; INFO closed with Return and with Escape, Tab to its web link and
# the space bar opens it; a round with all five reels held by digits gets
# "Attention" at "Raises", closed from the keyboard; EXIT, Tab to YES and NO,
# NO, and at last YES. On screenshots, one focus frame where Tab put it, and
# when a dialog closes one frame again, on the button that opened it.
set -u
. "$(dirname "$0")/game_helpers.bash"
# The browser records the address it is given.
printf '#!/bin/sh\necho "$*" >> "%s/firefox.log"\n' "$work" > "$work/bin/firefox"
chmod +x "$work/bin/firefox"
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
# first_spin: Return on START until a hold phase begins (should all five
# reels pay, 1 in 7776, the round is paid at once); its locks in lock[].
first_spin() {
    for _ in 1 2 3; do
        keys "$win" Return
        until_lock_not AAAAAA && break
    done
    focus hold "1 0 0 0"
    read -r -a lock <<< "$(fact hold locks)"
}
# box_focus "W M O": the About box's frames on the web link, the mail link, OK.
bit() { [ "$("$tools/pixel" "$box" "$1" "$2" 2>/dev/null)" = "$3" ] && echo 1 || echo 0; }
box_focus() {
    for _ in $(seq 1 20); do
        got="$(bit 208 66 0000FF) $(bit 418 66 0000FF) $(bit 364 176 000000)"
        [ "$got" = "$1" ] && return 0
        sleep 0.2
    done
    fail "About box: focus frames $got, not $1"
}

keys "$win" Tab Tab Tab
focus start "1 0 0 0"
first_spin
[ "$(fact hold start)" != "$(fact start start)" ] || fail "the button does not read Raises"
# A digit toggles its reel's hold, never holding all five.
t=0
held=$(grep -o FF0000 <<< "${lock[*]}" | wc -l)
[ "$held" -lt 4 ] && from=FFFF00 to=FF0000 || from=FF0000 to=FFFF00
while [ "${lock[$t]}" != "$from" ]; do t=$((t + 1)); done
keys "$win" $((t + 1))
focus digit "1 0 0 0"
read -r -a now <<< "$(fact digit locks)"
lock[t]=$to
[ "${now[*]}" = "${lock[*]}" ] || fail "key $((t + 1)) left the locks ${now[*]}"
keys "$win" Return
{ until_lock_not "$(lock)" && [ "$(lock)" = AAAAAA ]; } || fail "the re-spin did not end"
focus payout "1 0 0 0"
[ "$(fact payout message)" -gt 20 ] || fail "no result line"
[ "$(fact payout start)" = "$(fact start start)" ] || fail "START is not back"
echo "ok: START, hold, key $((t + 1)), Raises and payout from the keyboard"

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
# Tab reaches the web link, then the mail link and OK; the space bar opens
# the framed web link.
keys "$win" Return
dialog "Info\.\.\."
box_focus "0 0 0"
keys "$box" Tab
box_focus "1 0 0"
keys "$box" Tab
box_focus "0 1 0"
keys "$box" Tab Tab
box_focus "1 0 0"
keys "$box" space
await eval '[ -s firefox.log ]' || fail "the space bar started no browser"
[ "$(cat firefox.log)" = https://example.org/rullomat ] || fail "browser started with $(cat firefox.log)"
keys "$box" Escape
closed
focus info-links "0 1 0 0"
echo "ok: INFO, Return and Escape, Tab to the links and the space bar; one focus frame"

# All five held with the digits: "Raises" shows "Attention", which Tab and
# Return close; the round stays in its hold phase.
keys "$win" Tab Tab
focus start2 "1 0 0 0"
first_spin
for i in 0 1 2 3 4; do [ "${lock[$i]}" = FFFF00 ] && keys "$win" $((i + 1)); done
focus all-held "1 0 0 0"
[ "$(fact all-held locks)" = "FF0000 FF0000 FF0000 FF0000 FF0000" ] || fail "locks $(fact all-held locks)"
keys "$win" Return
dialog Attention
keys "$box" Tab Return
closed
sleep 1
focus attention-closed "1 0 0 0"
[ "$(fact attention-closed symbols)" = "$(fact all-held symbols)" ] || fail "the reels moved"
[ "$(fact attention-closed locks)" = "$(fact all-held locks)" ] || fail "the holds changed"
echo "ok: five holds from the keyboard, Attention closed with Tab and Return"
keys "$win" Tab Tab Tab
focus exit "0 0 1 0"

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

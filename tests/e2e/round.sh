#!/usr/bin/env bash
# One whole round of the real game, clicked with xdotool and checked on
# screenshots: reels against the reel sheet, lock colours, "Raises", a
# changed hold, the re-spin keeping the held reels, the payout; no defunct
# child of the game during or after the spins; EXIT and YES give status 0
# and a clean log.txt.
set -u
. "$(dirname "$0")/game_helpers.bash"
start_game "$work"

most=0 # defunct children seen at once during the spins
spin_until_lock_not() {
    for _ in $(seq 1 80); do
        sleep 0.25
        z=$(pgrep -c -r Z -P "$game")
        [ "$z" -gt "$most" ] && most=$z
        [ "$(pixel "${LOCK_INK[@]}")" != "$1" ] && return 0
    done
    return 1
}

shot start
[ "$(fact start symbols)" = "0 1 2 3 4" ] || fail "start reels: $(fact start symbols)"
[ "$(fact start locks)" = "AAAAAA AAAAAA AAAAAA AAAAAA AAAAAA" ] || fail "start locks"
read -r colour start_sig <<< "$(fact start start)"
[ "$colour" = white ] || fail "START disabled at start"

# The first spin; should all five reels pay (1 in 7776) it is paid at once.
for _ in 1 2 3; do
    click "${START[@]}"
    spin_until_lock_not AAAAAA && break
    shot paid
    [ "$(fact paid message)" -gt 20 ] || fail "the spin did not end"
done
shot hold
read -r -a sym <<< "$(fact hold symbols)"
read -r -a lock <<< "$(fact hold locks)"
held=0
for i in 0 1 2 3 4; do
    [ "${sym[$i]}" -ge 0 ] 2>/dev/null || fail "reel $i shows no symbol of the sheet"
    want=FFFF00
    [ "${sym[$i]}" = 2 ] || [ "${sym[$i]}" = 4 ] && want=FF0000 && held=$((held + 1))
    [ "${lock[$i]}" = $want ] || fail "lock $i is ${lock[$i]} under symbol ${sym[$i]}"
done
read -r colour sig <<< "$(fact hold start)"
{ [ "$colour" = white ] && [ "$sig" != "$start_sig" ]; } || fail "the button does not read Raises"
echo "ok: hold phase after ${sym[*]}"

# Toggle one lock (never holding all five), then Raises.
t=0
[ $held -lt 4 ] && from=FFFF00 to=FF0000 || from=FF0000 to=FFFF00
while [ "${lock[$t]}" != "$from" ]; do t=$((t + 1)); done
click $((LOCK[0] + LOCK_STEP * t)) "${LOCK[1]}"
[ "$(pixel $((LOCK_INK[0] + LOCK_STEP * t)) "${LOCK_INK[1]}")" = "$to" ] || fail "lock $t did not toggle"
lock[t]=$to
click "${START[@]}"
spin_until_lock_not "${lock[0]}" || fail "the re-spin did not end"
sleep 1
shot payout
read -r -a fin <<< "$(fact payout symbols)"
twos=0 fours=0 want=""
for i in 0 1 2 3 4; do
    [ "${lock[$i]}" = FF0000 ] && [ "${fin[$i]}" != "${sym[$i]}" ] && fail "held reel $i changed"
    [ "${fin[$i]}" = 2 ] && twos=$((twos + 1))
    [ "${fin[$i]}" = 4 ] && fours=$((fours + 1))
done
for s in "${fin[@]}"; do
    { [ "$s" = 2 ] && [ $twos -ge 2 ]; } || { [ "$s" = 4 ] && [ $fours -ge 2 ]; } && want="$want 1" || want="$want 0"
done
[ "$(fact payout results)" = "${want# }" ] || fail "result cells $(fact payout results) for ${fin[*]}"
[ "$(fact payout locks)" = "AAAAAA AAAAAA AAAAAA AAAAAA AAAAAA" ] || fail "locks after the payout"
[ "$(fact payout start)" = "white $start_sig" ] || fail "START is not back"
[ "$(fact payout message)" -gt 20 ] || fail "no result line"
[ "$(fact payout score)" != "$(fact start score)" ] || fail "the score did not change"
echo "ok: payout after ${fin[*]}"

# Between two timer ticks one stopped sound child may wait to be collected.
[ "$most" -le 3 ] || fail "$most defunct children at once during the spins"
[ "$(pgrep -c -r Z -P "$game")" = 0 ] || fail "defunct children after the spins"
[ "$(sort -u aplay.log)" = "Data/ding.wav" ] || fail "sounds played: $(sort -u aplay.log)"
quit_game
[ ! -s log.txt ] || fail "log.txt is not empty"
echo "ok: at most $most defunct child at once, none after; EXIT, YES: status 0, clean log.txt"

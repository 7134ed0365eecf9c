#!/usr/bin/env bash
# The real game with no Data folder, with a truncated reel sheet, and with no
# "aplay" anywhere: it starts, writes the expected trace lines and no other,
# shows blank reels where it has no sheet, plays, and ends with status 0
# through EXIT and YES.
set -u
. "$(dirname "$0")/game_helpers.bash"

# No Data folder: sheet and sounds missing. A whole spin is played.
mkdir "$work/nodata"
start_game "$work/nodata" "$work/bin:$PATH"
shot start
[ "$(fact start symbols)" = "blank blank blank blank blank" ] || fail "reels: $(fact start symbols)"
click "${START[@]}"
sleep 15
spun() { [ "$(pixel "${LOCK_INK[@]}")" != AAAAAA ] || { shot end; [ "$(fact end message)" -gt 20 ]; }; }
await spun || fail "the spin did not end"
quit_game
[ "$(head -1 log.txt)" = "Data/frutta96x96.bin: non trovato" ] || fail "first line: $(head -1 log.txt)"
[ "$(sed 1d log.txt | sort -u)" = "Data/ding.wav non trovato." ] || fail "other lines in log.txt"
[ ! -e "$work/aplay.log" ] || fail "aplay was run without sound files"
echo "ok: no Data folder: blank reels, a spin, status 0"

# A truncated sheet: its one line, blank reels.
mkdir -p "$work/short/Data"
cp "$src/Data/ding.wav" "$src/Data/beep.wav" "$work/short/Data/"
head -c 100000 "$src/Data/frutta96x96.bin" > "$work/short/Data/frutta96x96.bin"
start_game "$work/short" "$work/bin:$PATH"
shot start
[ "$(fact start symbols)" = "blank blank blank blank blank" ] || fail "reels: $(fact start symbols)"
quit_game
[ "$(cat log.txt)" = "Data/frutta96x96.bin: 100000 bytes instead of 331776" ] || fail "log.txt"
echo "ok: truncated sheet: one trace line, blank reels, status 0"

# No aplay on the PATH: the ticks cannot sound. EXIT and YES mid-spin.
mkdir "$work/noplayer"
cp -r "$src/Data" "$work/noplayer/"
start_game "$work/noplayer" "$work/nothing"
click "${START[@]}"
sleep 2
quit_game
[ ! -s log.txt ] || fail "log.txt is not empty"
echo "ok: no aplay: status 0, clean log.txt"

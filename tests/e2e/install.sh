#!/usr/bin/env bash
# The installed game: the build tree installed into a DESTDIR staging folder,
# its desktop entry, metainfo and man page checked by their validators, and
# the staged launcher run as a player would from an unrelated empty folder,
# with a scratch home: the reels show the staged sheet, the trace log is in
# the per-user folder, the start folder stays empty, and nothing is written
# into the install tree. Then the launcher's answers to bad input.
set -u
. "$(dirname "$0")/game_helpers.bash"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null || fail "install"
share="$stage/usr/share"
desktop-file-validate "$share"/applications/*.desktop || fail "desktop entry"
appstreamcli validate --no-net --pedantic "$share"/metainfo/*.metainfo.xml >/dev/null ||
    fail "metainfo: $(appstreamcli validate --no-net --pedantic "$share"/metainfo/*.metainfo.xml)"
mandoc -Tlint "$share/man/man6/rullomat.6.gz" || fail "man page"
for size in 48 64 128 256; do # 8-bit RGBA icons of their nominal size
    [ "$(od -An -tx1 -j16 -N10 "$share/icons/hicolor/${size}x$size/apps/rullomat.png" | tr -d ' \n')" = \
        "$(printf '%08x%08x0806' "$size" "$size")" ] || fail "icon $size"
done
echo "ok: staged install validated"

launcher="$stage/usr/games/rullomat"
export HOME="$work/home" XDG_STATE_HOME="$work/home/state"
state="$XDG_STATE_HOME/rullomat"
mkdir "$HOME" "$work/start"
touch "$work/installed"
"$launcher" --version | grep -qx "Rullomat [0-9.]*" || fail "--version"

# Two starts, the second with the per-user folder already there. The
# second finds the staged sheet deleted and says so in the per-user log.
bin=$launcher
cp "$share/games/rullomat/Data/frutta96x96.bin" "$work/sheet.bin"
sheet="$work/sheet.bin"
for run in first second; do
    start_game "$work/start" "$work/bin:$PATH"
    shot "$work/$run"
    quit_game
    [ -z "$(ls -A "$work/start")" ] || fail "$run start: written into the start folder: $(ls -A "$work/start")"
    [ "$(readlink "$state/Data/ding.wav")" = "$share/games/rullomat/Data/ding.wav" ] || fail "$run start: Data links"
    rm -f "$share/games/rullomat/Data/frutta96x96.bin"
done
[ "$(fact "$work/first" symbols)" = "0 1 2 3 4" ] || fail "first start reels: $(fact "$work/first" symbols)"
[ "$(fact "$work/second" symbols)" = "blank blank blank blank blank" ] || fail "second start reels"
[ "$(cat "$state/log.txt")" = "Data/frutta96x96.bin: non trovato" ] || fail "log.txt in $state"
grep -qx "Data/frutta96x96.bin: non trovato" "$work/stdout.txt" || fail "trace line not echoed"
[ -z "$(find "$stage" -newer "$work/installed" -not -path '*/Data')" ] || fail "written into the install tree"
echo "ok: two starts from an empty folder, the trace log in $state"

# Bad input: one line on standard error, the status, and no folder left
# behind (the over-long name fails after its parent was made).
mkdir -p "$work/bad/file-state"
touch "$work/bad/homefile" "$work/bad/file-state/rullomat"
before=$(find "$work/bad" | sort)
# Each case's arguments are split into words on purpose; any check that
# does not hold fails the case.
# shellcheck disable=SC2086,SC2015
while IFS='|' read -r args home statehome status words; do
    err=$(HOME="$home" XDG_STATE_HOME="$statehome" "$launcher" $args 2>&1 >/dev/null)
    got=$?
    [ "$got" = "$status" ] && [ "$(echo "$err" | wc -l)" = 1 ] && echo "$err" | grep -q -- "$words" ||
        fail "rullomat $args (home $home, state $statehome): status $got, '$err'"
done <<CASES
--bogus|$work/bad/h||2|unknown argument '--bogus'.*Usage
--help extra|$work/bad/h||2|unknown argument 'extra'
|$work/bad/homefile||1|cannot make the folder
|$work/bad/h|$work/bad/file-state|1|not a folder
|$work/bad/h|$work/bad/new/$(printf "%0300d" 0)|1|cannot make the folder
CASES
[ "$(find "$work/bad" | sort)" = "$before" ] || fail "a folder was left behind"
echo "ok: bad arguments and unusable state folders refused"

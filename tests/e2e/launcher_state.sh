#!/usr/bin/env bash
# The launcher's state folder against hostile environments, under dash, bash
# and busybox sh: paths with a line feed and glob characters are one word,
# a relative or dash-led HOME is ignored, "Data" is made a folder of links
# (the earlier link migrated, wrong entries mended, the player's own files
# kept), and what cannot be mended is one line and status 1 with nothing
# left behind. Nothing is ever written outside the state folder. Then the
# game, started by the launcher after a mend, draws its five reels.
set -u
. "$(dirname "$0")/game_helpers.bash"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null || fail "install"
launcher="$stage/usr/games/rullomat"
data="$stage/usr/share/games/rullomat/Data"
shellcheck -s sh "$src/dist/rullomat.in" || fail "shellcheck"
# The game itself is replaced by a stand-in that records where it runs.
mv "$stage/usr/lib/games/rullomat/rullomat" "$work/game"
printf '#!/bin/sh\npwd > "%s/ran"\n' "$work" > "$stage/usr/lib/games/rullomat/rullomat"
chmod +x "$stage/usr/lib/games/rullomat/rullomat"
# Both are read by the cases, through eval.
# shellcheck disable=SC2034
odd="$work/s/a
b[ab]" oddGlobbed="$work/s/a
ba"
h="$work/h"
st="$h/.local/state/rullomat"
links_ok() { # every installed file has its link in $1/Data
    local f
    [ -d "$1/Data" ] && [ ! -L "$1/Data" ] || return 1
    for f in "$data"/*; do [ "$(readlink "$1/Data/${f##*/}")" = "$f" ] || return 1; done
}
# NAME|HOME|XDG_STATE_HOME|SETUP|STATUS|STDERR (a grep pattern; empty: none)|CHECK
cases() {
    cat <<CASES
plain|$h||:|0||links_ok "$st" && [ "\$(cat "$work/ran")" = "$st" ]
line feed and globs|$h|\$odd|mkdir -p "\$oddGlobbed"|0||links_ok "\$odd/rullomat" && [ -z "\$(ls -A "\$oddGlobbed")" ]
relative state, home used|$h|rel/x|:|0||links_ok "$st" && [ ! -e rel ]
relative home|rel||:|1|neither XDG_STATE_HOME nor HOME is an absolute path|[ ! -e rel ]
dash-led home|-x||:|1|neither XDG_STATE_HOME nor HOME is an absolute path|[ ! -e ./-x ]
Data a regular file|$h||mkdir -p "$st" && echo mine > "$st/Data"|1|$st/Data is not a folder|[ "\$(cat "$st/Data")" = mine ]
earlier layout|$h||mkdir -p "$st" && ln -s "$data" "$st/Data"|0||links_ok "$st"
dangling link, own files|$h||mkdir -p "$st/Data/g/Score" && ln -s /nonexistent "$st/Data/ding.wav" && echo 1 > "$st/Data/g/Score/Classifica.txt"|0|Data/ding.wav was not a link to the installed file: mended|links_ok "$st" && [ "\$(cat "$st/Data/g/Score/Classifica.txt")" = 1 ]
regular file for a link|$h||mkdir -p "$st/Data" && echo x > "$st/Data/beep.wav"|0|Data/beep.wav was not a link|links_ok "$st"
folder for a link|$h||mkdir -p "$st/Data/beep.wav"|1|Data/beep.wav is in the way|[ -z "\$(find "$st/Data" -type l)" ]
state under a file|$work/file||touch "$work/file"|1|cannot make the folder|:
CASES
}
mkdir "$work/start"
cd "$work/start" || fail "no start folder"
for sh in dash bash "busybox sh"; do
    command -v "${sh%% *}" >/dev/null || { echo "skip: no $sh"; continue; }
    while IFS='|' read -r name home state setup status words check; do
        eval "state=\"$state\""
        rm -rf "$h" "$work/s" "$work/ran" "$work/file"
        mkdir "$h"
        eval "$setup" || fail "$sh: $name: setup"
        before=$(find "$work" -not -path "$h/.local*" -not -path "$work/s/*" | sort)
        err=$(HOME="$home" XDG_STATE_HOME="$state" $sh "$launcher" 2>&1 >/dev/null)
        got=$?
        [ "$got" = "$status" ] || fail "$sh: $name: status $got, '$err'"
        if [ -z "$words" ]; then [ -z "$err" ]; else [ "$(echo "$err" | wc -l)" = 1 ] && echo "$err" | grep -qF -- "$words"; fi ||
            fail "$sh: $name: '$err'"
        [ "$status" = 0 ] || [ ! -e "$work/ran" ] || fail "$sh: $name: the game ran"
        eval "$check" || fail "$sh: $name: check"
        after=$(find "$work" -not -path "$h/.local*" -not -path "$work/s/*" -not -path "$work/ran" | sort)
        [ "$before" = "$after" ] || fail "$sh: $name: written outside: $(diff <(echo "$before") <(echo "$after"))"
    done < <(cases)
    echo "ok: $sh: $(cases | wc -l) cases"
done

# A full disk, in a mount of its own: inodes for the folders and no more.
rm -rf "$h"
mkdir "$h" "$work/full"
if unshare -m true 2>/dev/null; then
    # The script's words are expanded by the shell it is given to.
    # shellcheck disable=SC2016
    HOME="$h" XDG_STATE_HOME="$work/full/s" unshare -m sh -c '
        mount -t tmpfs -o size=64k,nr_inodes=4 none "$1" || exit 9
        err=$(sh "$2" 2>&1); status=$?
        echo "$status $err"; [ -z "$(ls -A "$1")" ] || echo "left: $(ls -A "$1")"' sh "$work/full" "$launcher" > "$work/full.txt"
    { grep -q "^1 .*cannot link" "$work/full.txt" && [ "$(wc -l < "$work/full.txt")" = 1 ]; } || fail "full disk: $(cat "$work/full.txt")"
    echo "ok: full disk"
else
    echo "skip: full disk: no private mount can be made here"
fi

# The real game after a mend: five reels.
mv "$work/game" "$stage/usr/lib/games/rullomat/rullomat"
rm -rf "$h" && mkdir -p "$st/Data" && ln -s /nonexistent "$st/Data/frutta96x96.bin"
export HOME="$h"
unset XDG_STATE_HOME
bin=$launcher
start_game "$work/start" "$work/bin:$PATH"
shot "$work/mended"
quit_game
[ "$(fact "$work/mended" symbols)" = "0 1 2 3 4" ] || fail "reels after a mend: $(fact "$work/mended" symbols)"
echo "ok: the game draws its reels after a mend"

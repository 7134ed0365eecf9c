#!/usr/bin/env bash
# Records the X requests that the drawing, picture, control and game tests
# send, to show that a change of the drawing code leaves what reaches the
# server as it was.
#   bench/xrequests.sh record BUILD_DIR OUT   the tests of a build, under xtrace
#   bench/xrequests.sh diff OLD NEW           two recordings, ids made neutral
# A recording keeps the requests only, without sequence numbers and time
# stamps; resource ids are numbered in order of first use, so two runs of
# the same tree give the same file. GTEST_FILTER in the environment narrows
# the cases of every executable, e.g. to leave out a case that one of the two
# trees does not have.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=../scripts/common.sh
. "$root/scripts/common.sh"

TESTS=(graphics_test picture_test controls_test controls_textbox_test game_test)

# Requests only; the connection and sequence numbers go, as do time stamps.
# Values that name a resource (windows, pixmaps, GCs, fonts...) are renumbered
# in order of first use: the server picks their base.
normalise() {
    grep -E '^[0-9]+:<:' | grep -v ':<: Warning:' | sed -E 's/^[0-9]+:<:[0-9a-f]+: *[0-9]+: //; s/time=0x[0-9a-f]+/time=T/g' |
        awk '{
            line = $0; out = ""
            while (match(line, /(window|drawable|gc|cid|wid|parent|pid|font|fid|pixmap|cursor|mid|src-drawable|dst-drawable|src-window|dst-window|requestor|owner|focus|id)=0x[0-9a-f]+/)) {
                tok = substr(line, RSTART, RLENGTH); eq = index(tok, "=")
                val = substr(tok, eq + 1)
                if (!(val in ids)) ids[val] = "R" (++n)
                out = out substr(line, 1, RSTART - 1) substr(tok, 1, eq) ids[val]
                line = substr(line, RSTART + RLENGTH)
            }
            print out line
        }'
}

record() {
    local build=$1 out=$2 fake=60 t
    while [ -e "/tmp/.X11-unix/X$fake" ]; do fake=$((fake + 1)); done
    scratch=$(mktemp -d)
    trap 'stop_xvfb; rm -rf "$scratch"' EXIT
    start_xvfb 24 1280x1024
    : >"$out"
    for t in "${TESTS[@]}"; do
        mkdir -p "$scratch/$t"
        (cd "$scratch/$t" && xtrace -n -s -d "$DISPLAY" -D ":$fake" -o "$scratch/$t.trace" -- \
            "$build/tests/$t" >/dev/null) || {
            echo "$0: $t failed in $build" >&2
            exit 1
        }
        echo "### $t" >>"$out"
        normalise <"$scratch/$t.trace" >>"$out"
    done
    wc -l <"$out"
}

case ${1:-} in
record) record "$2" "$3" ;;
diff) diff -u "$2" "$3" && echo "identical: $(wc -l <"$2") requests" ;;
*)
    echo "usage: $0 record BUILD_DIR OUT | diff OLD NEW" >&2
    exit 2
    ;;
esac

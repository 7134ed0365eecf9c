# shellcheck shell=bash
# Shared by the commands under scripts/, the benchmarks and the end-to-end
# tests: installs what a fresh Debian machine lacks, starts a private Xvfb,
# and sets up the sandbox the game is played in, with the places in its
# windows that the scripts click and look at.

# ensure_packages PKG...: apt-get installs the packages that are missing.
ensure_packages() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The names below are read by the scripts that source this file.
# shellcheck disable=SC2034
{
# What building and testing the program needs, its checks included.
BUILD_PACKAGES=(cmake ninja-build g++ clang libx11-dev libgtest-dev zlib1g-dev xvfb xfonts-base x11-utils xdotool python3 procps
                desktop-file-utils appstream mandoc clang-format bsdutils busybox shellcheck pmccabe)
# What scripts/package needs besides: CPack's DEB generator and lintian.
PACKAGE_PACKAGES=(dpkg-dev fakeroot file lintian)

# Where the scripts click and look, as the words "x y" of an array: in the
# game window (800 x 600), and in its message box (250 x 150).
START=(300 559)    # START; in the hold phase it reads "Raises"
INFO=(450 559)
EXIT=(560 559)
BOX_YES=(185 124)  # YES, or OK when the box asks nothing
BOX_NO=(65 124)
ABOUT_WEB=(215 73)  # the About box's web link
ABOUT_MAIL=(425 73) # and its mail link
LOCK=(203 344)     # the middle of the first "Lock" cell; the other four
LOCK_STEP=99       # follow every 99 pixels to the right, like the reels
LOCK_INK=(158 335) # inside the first "Lock" cell's border: its colour
SCORE_INK=(40 70)  # in the score cell: yellow (FFFF00) once the window is painted
GAME_TITLE='^Rullomat - '
EXIT_TITLE='^Exit$' # the message box EXIT opens
}

# start_xvfb DEPTH [SIZE]: starts Xvfb on a free display, exports DISPLAY and
# XVFB_PID. The server picks the display number itself (-displayfd), so
# several scripts may start one at the same time. Fails when no server
# answers within 10 seconds.
start_xvfb() {
    local depth=${1:-24} size=${2:-1280x1024} n=""
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x${depth}" -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
        n=$(head -n 1 "$numberFile" 2>/dev/null)
        if [ -n "$n" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
            rm -f "$numberFile"
            export DISPLAY=":$n"
            return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    rm -f "$numberFile"
    echo "Could not start Xvfb" >&2
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
    return 1
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}

# sandbox [SIZE [DEPTH]]: the folder the game is played in. Makes the scratch
# folder $work with a copy of Data and bin/aplay, a stand-in for the sound
# player that plays nothing (aplay_stand_in replaces it); puts $work/bin first
# on PATH, enters $work and starts a private Xvfb (1024x768, depth 24 unless
# given). When the script ends, it kills $game and the processes listed in
# $running, stops the Xvfb and removes $work.
sandbox() {
    work=$(mktemp -d) || return 1
    game="" running=()
    trap sandbox_end EXIT
    cp -r "$(dirname "${BASH_SOURCE[0]}")/../Data" "$work/" || return 1
    mkdir "$work/bin" || return 1
    aplay_stand_in <<<'exit 0'
    export PATH="$work/bin:$PATH"
    cd "$work" || return 1
    start_xvfb "${2:-24}" "${1:-1024x768}"
}

# aplay_stand_in < BODY: the sandbox's stand-in for "aplay" runs the shell
# commands BODY, in which $sandbox names the scratch folder.
aplay_stand_in() {
    { printf "#!/bin/sh\nsandbox='%s'\n" "$work" && cat; } >"$work/bin/aplay" && chmod +x "$work/bin/aplay"
}

# Runs when a script that made a sandbox ends.
sandbox_end() {
    local p
    for p in ${game:+"$game"} "${running[@]}"; do
        { kill "$p" && wait "$p"; } 2>/dev/null || true
    done
    stop_xvfb
    cd / && rm -rf "$work"
}

# find_window TITLE: the id of the first window whose title matches (a
# regular expression), waited for up to 10 seconds.
find_window() {
    local w
    for _ in $(seq 1 100); do
        w=$(xdotool search --name "$1" 2>/dev/null | head -1) || true
        [ -n "$w" ] && echo "$w" && return 0
        sleep 0.1
    done
    return 1
}

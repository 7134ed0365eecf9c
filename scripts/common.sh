# Shared by scripts/play, scripts/test and the end-to-end tests: installs
# what a fresh Debian machine lacks, and starts a private Xvfb.

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

# What building and testing the program needs.
BUILD_PACKAGES=(cmake ninja-build g++ clang libx11-dev libgtest-dev zlib1g-dev xvfb xfonts-base x11-utils xdotool python3 procps
                desktop-file-utils appstream mandoc clang-format)
# What scripts/package needs besides: CPack's DEB generator and lintian.
PACKAGE_PACKAGES=(dpkg-dev fakeroot file lintian)

# start_xvfb DEPTH [SIZE]: starts Xvfb on a free display, exports DISPLAY and
# XVFB_PID. The server picks the display number itself (-displayfd), so
# several scripts may start one at the same time. Fails when no server
# answers within 10 seconds.
start_xvfb() {
    local depth=${1:-24} size=${2:-1280x1024} n="" i
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${size}x${depth}" -nolisten tcp -noreset 3>"$numberFile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 100); do
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
    kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=""
    return 1
}

stop_xvfb() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    fi
}

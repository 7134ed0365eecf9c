#!/usr/bin/env bash
# The picture tools as a shell sees them: pixel and screenshot read a
# private Xvfb; bmp2c writes C source for a 4-bit
# bitmap; each fails with a non-zero status on bad input.
set -u
src=$2 build=$3
# shellcheck source=../../scripts/common.sh
. "$src/scripts/common.sh"
fail() { echo "FAIL: $*"; exit 1; }
tools="$build/tools"
sandbox 640x480 || fail "no Xvfb"

# pixel: six hex digits; coordinates outside the window are refused.
p=$("$tools/pixel" root 5 7) || fail "pixel root 5 7"
[[ "$p" =~ ^[0-9A-F]{6}$ ]] || fail "pixel printed '$p'"
"$tools/pixel" root 640 0 >/dev/null 2>&1 && fail "pixel accepted x = width"
"$tools/pixel" 12abc 0 0 >/dev/null 2>&1 && fail "pixel accepted a bad window id"
echo "ok: pixel root 5 7 -> $p"

# screenshot: a PNG of the root window's size; the same window by id gives
# the same file.
"$tools/screenshot" shot.png || fail "screenshot root"
[ "$(od -An -tx1 -N8 shot.png | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "no PNG signature"
[ "$(od -An -tu1 -j16 -N8 shot.png | tr -s ' ' | sed 's/^ //')" = "0 0 2 128 0 0 1 224" ] || fail "size is not 640x480"
root=$(xdpyinfo | awk '/root window id/ {print $4}')
"$tools/screenshot" byid.png "$root" || fail "screenshot by window id $root"
cmp -s shot.png byid.png || fail "root by id differs"
"$tools/screenshot" bad.png 0x7ffffff >/dev/null 2>&1 && fail "screenshot of a missing window succeeded"
"$tools/screenshot" >/dev/null 2>&1 && fail "screenshot without arguments succeeded"
echo "ok: screenshot"

# bmp2c: a 1 x 1 4-bit bitmap whose one pixel is palette entry 1.
{
    printf 'BM\x7a\x00\x00\x00\x00\x00\x00\x00\x76\x00\x00\x00\x28\x00\x00\x00'
    printf '\x01\x00\x00\x00\x01\x00\x00\x00\x01\x00\x04\x00\x00\x00\x00\x00'
    printf '\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x10\x00\x00\x00\x00\x00\x00\x00'
    printf '\x00\x00\x00\x00\x30\x20\x10\x00'
    for _ in $(seq 14); do printf '\x00\x00\x00\x00'; done
    printf '\x10\x00\x00\x00'
} > dot.bmp
"$tools/bmp2c" dot.bmp >/dev/null || fail "bmp2c dot.bmp"
head -4 dot.bmp.c | tr '\n' '|' | grep -qx 'int wDOT = 1;|int hDOT = 1;||char imgDOT\[\] = {|' || fail "dot.bmp.c: $(head -4 dot.bmp.c)"
sed -n 5p dot.bmp.c | grep -q '^0x00,0x00,0x00,0x10,0x20,0x30,0x00,' || fail "palette line: $(sed -n 5p dot.bmp.c)"
[ "$(sed -n 6,7p dot.bmp.c)" = "$(printf '0x10,\n};')" ] || fail "rows: $(sed -n 6,7p dot.bmp.c)"
"$tools/bmp2c" missing.bmp >/dev/null 2>&1 && fail "bmp2c of a missing file succeeded"
echo "ok: bmp2c"

#!/usr/bin/env python3
"""game_shot.py SHOT.png SHEET.bin: what a screenshot of the game window
(tools/screenshot) shows, one fact a line:
  symbols S0..S4  each reel matched pixel for pixel against the reel sheet
                  ("blank": plain black, -1: no symbol matches)
  locks C0..C4    colour inside each "Lock" cell
  results R0..R4  1 where a result cell shows yellow text
  message N       white pixels on the result line
  start C SIG     START/Raises caption colour (white, grey) and a signature
  score SIG       signature of the score cell
  wager SIG       signature of the wager cell
  focus S I E W   1 where START, INFO, EXIT or the wager slider shows its
                  dashed focus frame (its top line, in the caption colour)"""
import hashlib, struct, sys, zlib

data, sheet = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
pos, idat = 8, b""
while pos < len(data):
    length, kind = struct.unpack(">I4s", data[pos:pos + 8])
    if kind == b"IHDR" and data[pos + 8:pos + 18] != struct.pack(">IIBB", 800, 600, 8, 2):
        sys.exit("not an 8-bit RGB shot of the 800 x 600 window")
    idat += data[pos + 8:pos + 8 + length] if kind == b"IDAT" else b""
    pos += 12 + length
raw = zlib.decompress(idat)
if any(raw[y * 2401] for y in range(600)):
    sys.exit("filtered rows are not read")
rows = [raw[y * 2401 + 1:(y + 1) * 2401] for y in range(600)]


def area(x, y, w, h):
    return b"".join(rows[y + j][x * 3:(x + w) * 3] for j in range(h))


def pixels(x, y, w, h):
    a = area(x, y, w, h)
    return [a[k:k + 3] for k in range(0, len(a), 3)]


symbols = [b"".join(sheet[(j * 1152 + s * 96) * 3:(j * 1152 + s * 96 + 96) * 3] for j in range(96))
           for s in range(12)] if len(sheet) == 331776 else []
reels = [area(155 + 99 * i, 235, 96, 96) for i in range(5)]
print("symbols", *["blank" if r.count(0) == len(r) else str(symbols.index(r)) if r in symbols else "-1"
                   for r in reels])
print("locks", *[area(158 + 99 * i, 335, 1, 1).hex().upper() for i in range(5)])
print("results", *["1" if b"\xff\xff\x00" in pixels(155 + 99 * i, 360, 95, 15) else "0" for i in range(5)])
print("message", pixels(250, 515, 299, 18).count(b"\xff\xff\xff"))
caption = pixels(258, 550, 84, 18)
print("start", "white" if b"\xff\xff\xff" in caption else "grey" if b"\x9b\x9b\x9b" in caption else "none",
      hashlib.md5(area(258, 550, 84, 18)).hexdigest()[:12])
print("score", hashlib.md5(area(30, 60, 200, 22)).hexdigest()[:12])
print("wager", hashlib.md5(area(30, 515, 176, 22)).hexdigest()[:12])
frames = [(254, 548, 92, b"\xff\xff\xff"), (404, 548, 92, b"\0\0\0"), (514, 548, 92, b"\0\0\0"), (30, 541, 175, b"\0\0\0")]
print("focus", *["1" if pixels(x, y, w, 1).count(ink) > 20 else "0" for x, y, w, ink in frames])

#!/usr/bin/env python3
# Brevlin's icon, drawn here pixel by pixel: a package box with a blue B on its front, as a
# 32x32 and a 16x16 image of 16 colours (4 bits per pixel) in an ordinary .ico file.
# Usage: draw.py [OUT.ico]   writes the icon (default: brevlin.ico beside this script)
#        draw.py --check     fails when brevlin.ico differs from this drawing
import os, struct, sys

# The standard 16-colour palette, as (blue, green, red) bytes.
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
# Letters of the drawings: '.' is transparent.
INK = {"K": 0, "o": 3, "Y": 11, "B": 12, "N": 4, "S": 7, "W": 15, "G": 8}

ICON_16 = """
................
.......KK.......
.....KKYYKK.....
...KKYYYYYYKK...
.KKYYYYYYYYYYKK.
.KoKKYYYYYYKKoK.
.KooooKKKKooooK.
.KoWWWWWWWoooYK.
.KoWBBBBWWoooYK.
.KoWBWWWBWoooYK.
.KoWBBBBWWoooYK.
.KoWBWWWBWoooYK.
.KoWBBBBWWooYKK.
.KoWWWWWWWoYK...
.KKKKKKKKKKK....
................
"""

ICON_32 = """
................................
..............KKKK..............
............KKYYYYKK............
..........KKYYYYYYYYKK..........
........KKYYYYYYYYYYYYKK........
......KKYYYYYYYYYYYYYYYYKK......
....KKYYYYYYYYYYYYYYYYYYYYKK....
..KKYYYYYYYYYYYYYYYYYYYYYYYYKK..
..KoKKYYYYYYYYYYYYYYYYYYYYKKoK..
..KooooKKYYYYYYYYYYYYYYKKooooK..
..KooooooKKYYYYYYYYYYKKooooooK..
..KooooooooKKYYYYYYKKooooooooK..
..KooooooooooKKKKKKooooooooooK..
..KooWWWWWWWWWWWWWWooooooooYYK..
..KooWWWWWWWWWWWWWWoooooooYYYK..
..KooWWBBBBBBBBWWWWoooooooYYYK..
..KooWWBBBBBBBBBWWWoooooooYYYK..
..KooWWBBWWWWWBBBWWoooooooYYYK..
..KooWWBBWWWWWBBBWWoooooooYYYK..
..KooWWBBBBBBBBBWWWoooooooYYYK..
..KooWWBBBBBBBBBWWWoooooooYYYK..
..KooWWBBWWWWWWBBBWoooooooYYYK..
..KooWWBBWWWWWWBBBWoooooooYYYK..
..KooWWBBBBBBBBBBWWoooooooYYYK..
..KooWWBBBBBBBBBWWWooooooYYYKK..
..KooWWWWWWWWWWWWWWoooooYYYK....
..KooWWWWWWWWWWWWWWooooYYYK.....
..KooooooooooooooooooooYYK......
..KKKKKKKKKKKKKKKKKKKKKKK.......
................................
................................
................................
"""


def image(drawing):
    rows = drawing.strip().split("\n")
    size = len(rows)
    assert all(len(r) == size for r in rows), "a drawing must be square"
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 0, 0)
    palette = b"".join(bytes([b, g, r, 0]) for b, g, r in PALETTE)
    xor, mask = b"", b""
    for row in reversed(rows):  # bottom-up
        pixels = [INK.get(c, 0) for c in row]
        line = bytes((pixels[i] << 4) | pixels[i + 1] for i in range(0, size, 2))
        xor += line + b"\0" * (-len(line) % 4)
        bits = "".join("1" if c == "." else "0" for c in row)
        line = int(bits, 2).to_bytes(size // 8, "big")
        mask += line + b"\0" * (-len(line) % 4)
    return size, header + palette + xor + mask


def icon():
    images = [image(ICON_32), image(ICON_16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(here, "brevlin.ico")
    if sys.argv[1:] == ["--check"]:
        with open(default, "rb") as f:
            if f.read() != icon():
                sys.exit("brevlin.ico differs from its drawing in draw.py: run draw.py")
        print("brevlin.ico matches its drawing")
    else:
        with open(sys.argv[1] if len(sys.argv) > 1 else default, "wb") as f:
            f.write(icon())

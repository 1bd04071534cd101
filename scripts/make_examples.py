#!/usr/bin/env python3
"""Makes the bundled examples in examples/ (committed; run again only to change them)."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "examples")


def bmp(path, width, height, bits, palette, pixel):
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(stride)
        for x in range(width):
            v = pixel(x, y)
            if bits == 8:
                row[x] = v
            elif bits == 4:
                row[x // 2] |= v << (0 if x % 2 else 4)
            else:
                row[x // 8] |= v << (7 - x % 8)
        rows.append(bytes(row))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(palette), 0)
    with open(path, "wb") as f:
        f.write(header + info + table + data)


def main():
    os.makedirs(OUT, exist_ok=True)
    # BG tiles: 16 colours, a checker of coloured 8 x 8 tiles with a frame.
    pal16 = [(0, 0, 0), (255, 255, 255)] + [(i * 17, 255 - i * 15, (i * 40) % 256) for i in range(2, 16)]
    bmp(os.path.join(OUT, "tiles.bmp"), 128, 64, 4, pal16,
        lambda x, y: 1 if x % 8 in (0, 7) or y % 8 in (0, 7) else 2 + ((x // 8 + y // 8) % 14))
    # A 16 x 16 sprite sheet of four frames of a bouncing ball.
    def ball(x, y):
        frame = x // 16
        cx, cy = 8, 4 + frame * 2
        d = (x % 16 - cx) ** 2 + (y - cy) ** 2
        return 0 if d > 36 else (3 if d > 20 else 4)
    bmp(os.path.join(OUT, "ball.bmp"), 64, 16, 4, pal16, ball)
    # A two-colour font-like picture.
    bmp(os.path.join(OUT, "mono.bmp"), 64, 16, 1, [(0, 0, 0), (255, 255, 255)],
        lambda x, y: 1 if (x // 2 + y // 2) % 3 == 0 else 0)
    # A 256-colour title page for a graphic screen.
    pal256 = [(i, (i * 2) % 256, 255 - i) for i in range(256)]
    bmp(os.path.join(OUT, "title.bmp"), 256, 192, 8, pal256, lambda x, y: (x + y) % 256)
    # A program, a MEM$ string and a BG screen as texts (Shift-JIS, CR LF).
    with open(os.path.join(OUT, "hello.txt"), "wb") as f:
        f.write(b'CLS\r\nPRINT "HELLO, WORLD"\r\nFOR I=0 TO 9:PRINT I:NEXT\r\nEND\r\n')
    with open(os.path.join(OUT, "save_mem.txt"), "wb") as f:
        f.write(b'MEM$="HI-SCORE 12345 \xb6\xde\xd9"\r\n')
    with open(os.path.join(OUT, "stage_scr.txt"), "wb") as f:
        f.write(b"'STAGE 1\r\n")
        for x in range(64):
            f.write(b"BGPUT LAYER,%3d,  0,%5d,%3d,%2d,%2d\r\n" % (x, 1 + x % 14, 0, 0, 0))
            f.write(b"BGPUT LAYER,%3d, 63,%5d,%3d,%2d,%2d\r\n" % (x, 1 + x % 14, 1, 0, 1))
    # Any other file becomes binary data.
    with open(os.path.join(OUT, "notes.dat"), "wb") as f:
        f.write(bytes((i * 7) % 256 for i in range(3000)))


if __name__ == "__main__":
    main()

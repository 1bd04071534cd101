#!/usr/bin/env python3
"""Makes the bundled examples in examples/ (committed; run again only to change them)."""
import os
import struct
import zlib

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


def png(path, width, height, palette, pixel):
    """An 8-bit indexed PNG."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + bytes(pixel(x, y) for x in range(width)) for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)
    plte = b"".join(struct.pack("BBB", *c) for c in palette)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"PLTE", plte) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def level(x, y):
    """A side-scrolling level: sky, a cloud, two hills, grass and bricks.

    Index 0 is the sky; the ground is palette 0, hills and grass palette 1, the
    cloud palette 2. Hills and the cloud are symmetric about a cell edge, so
    their right halves are mirrors of their left halves."""
    tx, ty = x % 8, y % 8
    if y >= 160:  # bricks, the joints offset every other row
        return 1 if ty == 0 or tx == (0 if (y // 8) % 2 else 4) else 2 + (tx + ty) % 2
    if y >= 152:  # grass
        return 16 + (1 if ty < 3 or (ty < 5 and tx % 3 == 0) else 2)
    for cx in (64, 200):  # hills 48 high, their sides 45 degrees
        d = abs(x - cx + 0.5)
        if y >= 104 and d <= y - 104:
            return 16 + (4 if d > y - 106 else 3)
    dx, dy = abs(x - 136 + 0.5) / 28, abs(y - 36 + 0.5) / 12  # the cloud
    if dx * dx + dy * dy <= 1:
        return 32 + (2 if y > 40 else 1)
    return 0


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
    # A level drawn as one picture, for tilewright map.
    level_palette = [(92, 148, 252), (60, 30, 10), (170, 80, 30), (200, 110, 50)] + [(0, 0, 0)] * 12
    level_palette += [(0, 0, 0), (40, 200, 40), (20, 120, 20), (30, 160, 60), (10, 90, 10)] + [(0, 0, 0)] * 11
    level_palette += [(0, 0, 0), (255, 255, 255), (200, 210, 230)] + [(0, 0, 0)] * 13
    png(os.path.join(OUT, "level.png"), 256, 192, level_palette, level)
    # Any other file becomes binary data.
    with open(os.path.join(OUT, "notes.dat"), "wb") as f:
        f.write(bytes((i * 7) % 256 for i in range(3000)))


if __name__ == "__main__":
    main()

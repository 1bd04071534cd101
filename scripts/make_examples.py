#!/usr/bin/env python3
"""Makes the bundled examples in examples/ (committed; run again only to change them).
With --qr-sheet TILEWRIGHT it makes the README's picture of a QR sheet instead,
docs/qr-sheet.png, from a package of the examples."""
import math
import os
import shutil
import struct
import subprocess
import sys
import tempfile
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


def png_rgb(path, width, height, pixel):
    """A true-colour (8-bit RGB) PNG; pixel(x, y) gives (r, g, b)."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(width)) for y in range(height))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) +
                chunk(b"IEND", b""))


def castle(x, y):
    """A castle on a hill under an evening sky, in free true colour as a paint
    program saves it: the sky's bands, the sun, stone, roofs and grass need
    more than one palette bank of 15, and map arranges them."""
    sky = [(40, 60, 140), (70, 90, 170), (110, 120, 190), (170, 140, 190), (230, 170, 160)]
    if (x - 108) ** 2 + (y - 50) ** 2 <= 64:  # the setting sun
        return (255, 230, 120) if (x - 108) ** 2 + (y - 50) ** 2 <= 30 else (255, 190, 80)
    for left in (24, 88):  # towers with red roofs
        if left <= x < left + 16:
            roof = y - 8 >= abs(x - left - 7.5) * 2 - 1 and y < 26
            if roof:
                return (200, 40, 40) if x < left + 8 else (150, 25, 35)
            if 26 <= y < 80:
                if 36 <= y < 44 and left + 6 <= x < left + 10:
                    return (250, 210, 90)  # a lit window
                return (120, 120, 135) if y % 6 == 0 or (x + (y // 6) * 4) % 8 == 0 else (165, 165, 175)
    if 40 <= x < 88 and 36 <= y < 80:  # the keep's wall, its battlements on top
        if y < 42 and x % 8 >= 4:
            return sky[y // 16] if y < 64 else (0, 0, 0)
        if 58 <= y and 56 <= x < 72 and (y >= 64 or (x - 63.5) ** 2 + (y - 64) ** 2 <= 64):
            return (70, 40, 20) if x % 4 else (50, 28, 14)  # the wooden gate
        if 46 <= y < 52 and x % 16 in (6, 7):
            return (30, 30, 60)  # arrow slits
        return (120, 120, 135) if y % 6 == 0 or (x + (y // 6) * 4) % 8 == 0 else (165, 165, 175)
    if y >= 80 - max(0, 12 - abs(x - 64) // 6) // 2 or y >= 80:
        if 58 <= x < 70 and y >= 80:
            return (170, 130, 80) if (x + y) % 5 else (140, 100, 60)  # the path to the gate
        return (70, 170, 60) if (x * 3 + y * 5) % 7 else (40, 120, 40)
    if 6 <= y < 14 and 30 <= x < 46:
        return sky[0]
    return sky[min(4, y // 16)]


def sunset(x, y):
    """A painted evening: a sky that fades from blue to orange, a glowing sun and
    a striped green hill, in far more colours than 16 palettes of 15 hold, for
    map --reduce."""
    t = y / 95
    sky = (int(40 + 190 * t), int(50 + 100 * t), int(170 - 110 * t))
    hill_top = 64 - 12 * math.cos((x - 64) / 128 * 2 * math.pi * 1.5) - 6 * math.cos(x / 21)
    if y >= hill_top:
        shade = 0.75 + 0.25 * math.sin(x / 3.0) * math.cos(x / 11.0) + 0.2 * (y - hill_top) / 40
        return (int(30 * shade), min(255, int(120 * shade + (y - hill_top))), int(40 * shade))
    d = math.hypot(x - 88, y - 40)
    glow = max(0.0, 1 - d / 17) ** 1.5
    return tuple(min(255, int(c + (g - c) * glow)) for c, g in zip(sky, (255, 235, 110)))


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
    # A true-colour picture whose palette banks map arranges itself.
    png_rgb(os.path.join(OUT, "castle.png"), 128, 96, castle)
    # A true-colour picture of too many colours, for map --reduce.
    png_rgb(os.path.join(OUT, "sunset.png"), 128, 96, sunset)
    # Any other file becomes binary data.
    with open(os.path.join(OUT, "notes.dat"), "wb") as f:
        f.write(bytes((i * 7) % 256 for i in range(3000)))


def qr_sheet(tw):
    """The sheet the README shows: a package of the examples' program, tiles and screens, as qr
    draws it at 2 pixels a module."""
    with tempfile.TemporaryDirectory() as tmp:
        for name in ("hello.txt", "level.png", "castle.png", "sunset.png"):
            shutil.copy(os.path.join(OUT, name), tmp)
        for args in (["map", "level.png", "castle.png"], ["map", "--reduce", "sunset.png"],
                     ["package", "-o", "game.ptc", "--name", "GAME", "PRG=hello.txt",
                      "BGU0=level_CHR.ptc", "BGU1=castle_CHR.ptc", "BGU2=sunset_CHR.ptc",
                      "SCR0=level_SCR.ptc", "SCR1=castle_SCR.ptc", "COL0=level_COL.ptc"],
                     ["qr", "--scale", "2", "game.ptc"]):
            subprocess.run([os.path.abspath(tw), "--lang", "en"] + args, cwd=tmp, check=True)
        shutil.copy(os.path.join(tmp, "game_qr.png"), os.path.join(HERE, "..", "docs", "qr-sheet.png"))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--qr-sheet":
        qr_sheet(sys.argv[2])
    else:
        main()

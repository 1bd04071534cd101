#!/usr/bin/env python3
"""Draws the program icon (a small picture of tiles) as resources/tilewright.ico."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "tilewright.ico")

PALETTE = [(0, 0, 0), (40, 40, 56), (248, 248, 248), (232, 64, 48), (56, 168, 72), (48, 112, 224),
           (248, 200, 48), (160, 96, 224)]


def pixel(x, y, size):
    """A 2 x 2 grid of coloured tiles with a pencil-like diagonal stroke."""
    t = size // 16  # scale of one "pixel" of the 16 x 16 design
    u, v = x // t, y // t
    if u in (0, 15) or v in (0, 15):
        return 1
    if abs(u - v) <= 0 and 3 <= u <= 12:
        return 2
    tile = (u >= 8) + 2 * (v >= 8)
    if (u % 8) in (0, 7) or (v % 8) in (0, 7):
        return 1
    return [3, 4, 5, 6][tile] if (u + v) % 4 else 7


def image(size):
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = bytearray()
        for x in range(size):
            r, g, b = PALETTE[pixel(x, y, size)]
            row += bytes((b, g, r, 255))
        rows.append(bytes(row))
    xor = b"".join(rows)
    and_stride = ((size + 31) // 32) * 4
    mask = bytes(and_stride * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(OUT, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()

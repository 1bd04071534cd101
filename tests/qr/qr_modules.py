"""The symbols of QR codes as module matrices, made without our code
(python3-qrcode) and read from pictures, and the readers (zbar, ZXing-C++)
that take codes out of pictures; programs to make sets of, through qr_oracle."""
import random
import struct
import subprocess

import qrcode
from qrcode.util import MODE_8BIT_BYTE, QRData

import qr_oracle

MODULES = 97
QUIET = 4


def program(name, text):
    """A PRG file of `text` (bytes), padded to 4 bytes as the writer pads it."""
    text += b"\0" * (-len(text) % 4)
    return qr_oracle.ptc_of(name, b"PETC0300RPRG", struct.pack("<III", 0, 0, len(text)) + text, 0)


def random_text(seed, length):
    rng = random.Random(seed)
    return bytes(rng.choice(b"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 =+-*/():\r") for _ in range(length))


def codes(ptc_bytes):
    return qr_oracle.codes_of(qr_oracle.stream_of(ptc_bytes))


def count(ptc_bytes):
    return (len(qr_oracle.stream_of(ptc_bytes)) + 629) // 630


def symbol(code, mask):
    """The module matrix (rows of booleans) of a code at version 20, level M, one byte segment."""
    q = qrcode.QRCode(version=20, error_correction=qrcode.constants.ERROR_CORRECT_M, mask_pattern=mask, border=0)
    q.add_data(QRData(code, mode=MODE_8BIT_BYTE))
    q.make(fit=False)
    return [list(row) for row in q.modules]


def modules_of(image, scale, border=QUIET):
    """The module matrix of a picture of one symbol drawn at `scale` pixels a module with
    a quiet zone of `border`; None when a module is not one colour or the zone is not light."""
    grey = image.convert("L")
    side = MODULES + 2 * border
    if grey.size != (side * scale, side * scale):
        return None
    px = grey.load()
    matrix = []
    for my in range(side):
        row = []
        for mx in range(side):
            values = {px[mx * scale + dx, my * scale + dy] for dx in range(scale) for dy in range(scale)}
            if len(values) != 1 or values.pop() not in (0, 255):
                return None
            row.append(px[mx * scale, my * scale] == 0)
        matrix.append(row)
    if any(matrix[y][x] for y in range(side) for x in range(side)
           if min(x, y) < border or max(x, y) >= border + MODULES):
        return None
    return [row[border:border + MODULES] for row in matrix[border:border + MODULES]]


def zbar(path):
    """Every code zbar reads in a picture, as raw bytes one after the other."""
    return subprocess.run(["zbarimg", "-q", "-Sbinary", "--raw", path], capture_output=True).stdout


def zxing(image):
    import zxingcpp
    return [r.bytes for r in zxingcpp.read_barcodes(image)]


def split_known(raw, expected):
    """zbar's output split into the expected codes (it runs them together); the codes in
    the order read, or None when it holds anything else."""
    found = []
    at = 0
    while at < len(raw):
        if raw[at:at + 1] == b"\n":
            at += 1
            continue
        match = next((c for c in expected if raw[at:at + len(c)] == c), None)
        if match is None:
            return None
        found.append(match)
        at += len(match)
    return found

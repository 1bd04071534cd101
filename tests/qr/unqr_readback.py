"""QR sets made by independent tools (the stream by qr_oracle.py, the symbols by
Python qrcode, the damage by ImageMagick) read back through `tilewright unqr`
to the PTC file byte for byte; refused sets fail with their reason and write
nothing.

usage: unqr_readback.py [EMULATOR...] TILEWRIGHT"""
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import qr_oracle  # noqa: E402
from qr_pictures import sheet, symbol  # noqa: E402

TOOL = sys.argv[1:-1] + [os.path.abspath(sys.argv[-1])]
rng = random.Random(27)
failures = []


def check(ok, what):
    print(("ok   " if ok else "FAIL ") + what)
    if not ok:
        failures.append(what)


def program(name, length, seed):
    r = random.Random(seed)
    words = [b"PRINT", b"FOR", b"NEXT", b"GOSUB", b"@LOOP", b"IF", b"THEN", b"X=X+1", b"BGPUT"]
    text = b""
    while len(text) < length:
        text += b" ".join(r.choice(words) for _ in range(r.randrange(1, 6)))
        text += b" %d\r" % r.randrange(100000)
    text = text[:length]
    return qr_oracle.ptc_of(name, b"PETC0300RPRG", struct.pack("<III", 0, 0, len(text)) + text, 0)


def resource(name, tag, type_code, length, seed):
    r = random.Random(seed)
    body = bytes(r.randrange(4) for _ in range(length))
    prefix = b"PETC0100R" if tag != b"MEM" else b"PETC0200R"
    return qr_oracle.ptc_of(name, prefix + tag, body, type_code)


def unqr(work, images, out="out"):
    run = subprocess.run(TOOL + ["unqr", "--lang", "en", "-o", out] + images, cwd=work,
                         capture_output=True, timeout=600)
    return run.returncode, run.stdout.decode("utf-8", "replace")


def written(work, out="out"):
    folder = os.path.join(work, out)
    return sorted(os.listdir(folder)) if os.path.isdir(folder) else []


def read(work, name, out="out"):
    with open(os.path.join(work, out, name), "rb") as f:
        return f.read()


def save(work, name, image):
    image.save(os.path.join(work, name))
    return name


def case(title):
    work = tempfile.mkdtemp(prefix="unqr_")
    print("--", title)
    return work


# Versions 20-25 at L, M and Q (666 bytes need version 25 at Q), one code an image.
work = case("versions 20-25 at L/M/Q")
ptc = program(b"BLOCKN", 12889, 1)
codes = qr_oracle.codes_of(qr_oracle.stream_of(ptc))
kinds = [(20, "L"), (21, "M"), (22, "L"), (23, "M"), (24, "L"), (25, "Q"), (25, "M"), (20, "M")]
names = [save(work, "c%02d.png" % i, symbol(c, 3, *kinds[i % len(kinds)]))
         for i, c in enumerate(codes)]
status, said = unqr(work, names)
check(status == 0 and read(work, "BLOCKN.ptc") == ptc, "read back byte for byte\n" + said)
check(said.count(" code(s)") == len(codes), "one line per image")
check(subprocess.run(TOOL + ["info", "out/BLOCKN.ptc"], cwd=work, capture_output=True).returncode
      == 0, "info calls it well formed")

# A level-6 stream with a 4 KiB window, as a sheet of 24 codes; then the single
# code of a small set at every scale from 1 to 8, and as a GIF and a JPEG.
work = case("level 6, 4 KiB window, a 24-code sheet")
ptc = resource(b"PAGE", b"GRP", 2, 49152, 2)
codes = qr_oracle.codes_of(qr_oracle.stream_of(ptc, 6, 12))
codes = codes[:24] if len(codes) >= 24 else codes
check(len(codes) == 24, "24 codes (%d)" % len(codes))
status, said = unqr(work, [save(work, "sheet.png", sheet([symbol(c, 2) for c in codes]))])
check(status == 0 and read(work, "PAGE.ptc") == ptc, "sheet read whole\n" + said)

work = case("a single code of a smaller version, N = 1 to 8")
ptc = resource(b"PAL", b"COL", 5, 512, 3)
code = qr_oracle.codes_of(qr_oracle.stream_of(ptc))
check(len(code) == 1, "one code")
for n in range(1, 9):
    status, said = unqr(work, [save(work, "n%d.png" % n, symbol(code[0], n, 15, "M"))])
    check(status == 0 and read(work, "PAL.ptc") == ptc, "N = %d\n%s" % (n, said))
symbol(code[0], 3, 15, "M").save(os.path.join(work, "c.gif"))
symbol(code[0], 3, 15, "M").convert("RGB").save(os.path.join(work, "c.jpg"), quality=70)
check(unqr(work, ["c.gif"])[0] == 0 and unqr(work, ["c.jpg"])[0] == 0, "GIF and JPEG")

# Three sets, two sharing a name, their codes shuffled over six pictures.
work = case("three sets mixed")
sets = [program(b"GAME", 6000, 4), resource(b"game", b"CHR", 3, 8192, 5),
        resource(b"TEXT", b"MEM", 1, 516, 6)]
pieces = [symbol(c, 2) for p in sets for c in qr_oracle.codes_of(qr_oracle.stream_of(p))]
pieces += pieces[:2]  # seen twice
rng.shuffle(pieces)
names = [save(work, "m%d.png" % i, sheet(pieces[i::6], 2)) for i in range(6)]
status, said = unqr(work, names)
check(status == 0 and written(work) == ["GAME_PRG.ptc", "TEXT.ptc", "game_CHR.ptc"]
      and read(work, "GAME_PRG.ptc") == sets[0] and read(work, "game_CHR.ptc") == sets[1]
      and read(work, "TEXT.ptc") == sets[2], "three sets\n" + said)

# Pictures damaged as a camera would: turned, in perspective, blurred, noisy, JPEG 70.
work = case("degraded pictures")
ptc = program(b"PHOTO", 4000, 7)
names = []
for i, c in enumerate(qr_oracle.codes_of(qr_oracle.stream_of(ptc))):
    save(work, "clean%d.png" % i, symbol(c, 4))
    names.append("photo%d.jpg" % i)
    subprocess.run(["convert", "clean%d.png" % i, "-bordercolor", "white", "-border", "40",
                    "-background", "white", "-rotate", str(2 + i),
                    "-virtual-pixel", "white", "-distort", "Perspective",
                    "0,0 8,4  500,0 490,0  0,500 0,492  500,500 500,500",
                    "-blur", "0x1", "-seed", str(i + 1), "-attenuate", "0.25", "+noise", "Gaussian",
                    "-quality", "70", names[-1]], cwd=work, check=True)
status, said = unqr(work, names)
check(status == 0 and read(work, "PHOTO.ptc") == ptc, "degraded\n" + said)

# A package of about 1 MB: over 100 codes on sheets.
work = case("a large package")
text = bytes(random.Random(8).randrange(32, 127) for _ in range(40000))
body = struct.pack("<III", 0, 1 << 18, len(text)) + text
for page in range(20):
    r = random.Random(page)
    body += b"PETC0100RGRP" + bytes(r.randrange(2) for _ in range(20480)) + bytes(28672)
ptc = qr_oracle.ptc_of(b"BIGPKG", b"PETC0300RPRG", body, 0)
codes = qr_oracle.codes_of(qr_oracle.stream_of(ptc))
check(len(ptc) > 1000000 and 100 < len(codes) <= 255, "%d bytes, %d codes" % (len(ptc), len(codes)))
names = [save(work, "s%d.png" % i, sheet([symbol(c, 2) for c in codes[i:i + 24]]))
         for i in range(0, len(codes), 24)]
status, said = unqr(work, names)
check(status == 0 and read(work, "BIGPKG.ptc") == ptc, "large package\n" + said[-300:])

# Refusals: each with its reason, nothing written.
def refused(title, codes, reason, images=None):
    work = case(title)
    names = images or [save(work, "r%d.png" % i, symbol(c, 3, 20 if len(c) <= 666 else 35, "L"))
                       for i, c in enumerate(codes)]
    status, said = unqr(work, names)
    check(status == 1 and reason in said and written(work) == [], title + "\n" + said)


ptc = program(b"BLOCKN", 12889, 1)
codes = qr_oracle.codes_of(qr_oracle.stream_of(ptc))
refused("a missing code", codes[:2] + codes[3:4] + codes[5:],
        "BLOCKN: codes 3, 5 of %d missing" % len(codes))
stream = bytearray(qr_oracle.stream_of(ptc))
stream[700] ^= 0x55
other = qr_oracle.codes_of(bytes(stream))[1]
other = other[:20] + codes[1][20:36] + other[36:]  # intact, yet not the same
refused("a corrupt code next to its intact copy", codes + [other], "two different copies of code 2")
packer = zlib.compressobj(9)
bomb = packer.compress(bytes(100 << 20)) + packer.flush()
bomb_stream = b"BOMB\0\0\0\0RPRG" + struct.pack("<II", len(bomb), 1024) + bomb
refused("a zlib bomb", qr_oracle.codes_of(bomb_stream, 1800), "inflates beyond its stated length")
for bad in (b"CON", b"A*B", b"..", b"X."):
    refused("the unsafe name %r" % bad,
            qr_oracle.codes_of(qr_oracle.stream_of(program(bad, 300, 9))), "cannot name a file")

print("unqr: %d failed" % len(failures))
sys.exit(1 if failures else 0)

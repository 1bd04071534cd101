#!/usr/bin/env python3
"""tilewright qr against oracles independent of our code: every code's PNG
holds, module for module, the symbol python3-qrcode makes of the reference
code (mask 0 for a full code, any mask for the last) and reads back through
zbar and ZXing-C++; the sheet reads back whole through zbar and through unqr
at 1, 3 and 8 pixels a module; refusals write nothing, with their reason and
exit status.

Usage: check_qr_outputs.py [EMULATOR...] TILEWRIGHT"""
import os
import subprocess
import sys
import tempfile

from PIL import Image

import qr_modules as oracle

TOOL = sys.argv[1:]
problems = []
checks = 0


def check(ok, what):
    global checks
    checks += 1
    if not ok:
        problems.append(what)


def run(*args, cwd, command="qr"):
    return subprocess.run(TOOL + ["--lang", "en", command, *args], cwd=cwd, capture_output=True, text=True)


with tempfile.TemporaryDirectory() as tmp:
    # 6000 characters of a program: nine codes, the last one short.
    game = oracle.program(b"GAME_1", oracle.random_text(1, 6000))
    with open(os.path.join(tmp, "game.ptc"), "wb") as f:
        f.write(game)
    expected = oracle.codes(game)
    check(len(expected) > 4 and len(expected[-1]) < 666, "the fixture needs several codes, the last short")
    for scale in (1, 3, 8):
        out = os.path.join(tmp, "out%d" % scale)
        result = run("-o", out, "--scale", str(scale), "game.ptc", cwd=tmp)
        check(result.returncode == 0, "qr --scale %d: exit %d %s" % (scale, result.returncode, result.stderr))
        check("GAME_1 (PRG), %d code(s)" % len(expected) in result.stdout, "summary: " + result.stdout)
        names = sorted(os.listdir(out))
        wanted = sorted(["game_qr%02d.png" % (k + 1) for k in range(len(expected))] + ["game_qr.png", "game_qr.html"])
        check(names == wanted, "files written at scale %d: %s" % (scale, names))
        for k, code in enumerate(expected):
            path = os.path.join(out, "game_qr%02d.png" % (k + 1))
            image = Image.open(path)
            check(image.mode == "1", "%s is not a 1-bit picture" % path)
            matrix = oracle.modules_of(image, scale)
            masks = [0] if len(code) == 666 else range(8)
            check(matrix is not None and any(matrix == oracle.symbol(code, m) for m in masks),
                  "%s: not the reference symbol of code %d" % (path, k + 1))
            if scale != 1:  # the readers want more than a pixel a module
                check(oracle.zbar(path) == code, "zbar reads %s wrong" % path)
                check(oracle.zxing(image) == [code], "ZXing-C++ reads %s wrong" % path)
        sheet = os.path.join(out, "game_qr.png")
        back = os.path.join(tmp, "back%d" % scale)
        result = run("-o", back, sheet, cwd=tmp, command="unqr")
        check(result.returncode == 0 and open(os.path.join(back, "GAME_1.ptc"), "rb").read() == game
              if os.path.exists(os.path.join(back, "GAME_1.ptc")) else False,
              "unqr of the sheet at scale %d: exit %d %s" % (scale, result.returncode, result.stdout))
        if scale == 1:  # as a reader takes a picture of small modules: scaled up first
            image = Image.open(sheet)
            image.resize((image.width * 3, image.height * 3), Image.NEAREST).save(sheet + ".x3.png")
            sheet += ".x3.png"
        found = oracle.split_known(oracle.zbar(sheet), expected)
        check(found is not None and sorted(found) == sorted(expected),
              "the sheet at scale %d reads %s of %d codes" % (scale, len(found or []), len(expected)))

    # Refusals: each names the file and writes nothing; the other files are still written.
    bad = os.path.join(tmp, "bad")
    os.mkdir(bad)
    big = oracle.program(b"BIG", os.urandom(170000))
    needed = oracle.count(big)
    broken = bytearray(game)
    broken[-1] ^= 1
    for name, data, words in (("big.ptc", big, str(needed)), ("device.ptc", oracle.program(b"CON", b"?1"), "CON"),
                              ("broken.ptc", bytes(broken), "broken.ptc"),
                              # few codes, yet more than unqr inflates (16 MiB)
                              ("huge.ptc", oracle.program(b"HUGE", bytes(16 << 20)), "16 MiB")):
        with open(os.path.join(bad, name), "wb") as f:
            f.write(data)
        result = run("-o", "out", name, cwd=bad)
        check(result.returncode == 1, "%s: exit %d" % (name, result.returncode))
        check(name in result.stdout and words in result.stdout, "%s: the reason lacks %s: %s" % (name, words, result.stdout))
        check(not os.path.exists(os.path.join(bad, "out")) or os.listdir(os.path.join(bad, "out")) == [],
              "%s: something was written" % name)
    with open(os.path.join(bad, "game.ptc"), "wb") as f:
        f.write(game)
    result = run("-o", "out", "device.ptc", "game.ptc", cwd=bad)
    check(result.returncode == 1 and len(os.listdir(os.path.join(bad, "out"))) == len(expected) + 2,
          "a refused file stops the others: exit %d, %s" % (result.returncode, os.listdir(os.path.join(bad, "out"))))
    for scale in ("0", "9", "x"):
        result = run("--scale", scale, "game.ptc", cwd=bad)
        check(result.returncode == 2, "--scale %s: exit %d" % (scale, result.returncode))

for p in problems:
    print(p)
print("qr outputs: %d passed, %d failed" % (checks - len(problems), len(problems)))
sys.exit(1 if problems else 0)

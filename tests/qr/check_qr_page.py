#!/usr/bin/env python3
"""The page of tilewright qr in a real browser (headless Chromium over the
DevTools protocol): "#3" shows code 3, a key press code 4; at a device pixel
ratio of 1 and 1.25 the code is drawn at a whole number of device pixels a
module, pixel for pixel; printed to PDF and rasterised, every code reads back.

Usage: check_qr_page.py TILEWRIGHT"""
import base64
import io
import json
import os
import subprocess
import sys
import tempfile
import time
import urllib.request

import websocket
from PIL import Image

import qr_modules as oracle

CHROMIUM = ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars"]
tw = sys.argv[1]
problems = []
checks = 0


def check(ok, what):
    global checks
    checks += 1
    if not ok:
        problems.append(what)


class Browser:
    def __init__(self, profile):
        self.process = subprocess.Popen(CHROMIUM + ["--remote-debugging-port=0", "--remote-allow-origins=*",
                                                    "--user-data-dir=" + profile, "about:blank"],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(profile, "DevToolsActivePort")
        for _ in range(600):
            if os.path.exists(port_file) and open(port_file).read().count("\n") >= 1:
                break
            time.sleep(0.1)
        port = open(port_file).read().split("\n")[0]
        pages = json.load(urllib.request.urlopen("http://127.0.0.1:%s/json/list" % port))
        page = next(p for p in pages if p["type"] == "page")
        self.ws = websocket.create_connection(page["webSocketDebuggerUrl"], timeout=60)
        self.next_id = 0

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                return message.get("result", {})

    def evaluate(self, expression):
        return self.call("Runtime.evaluate", expression=expression)["result"].get("value")

    def open(self, url, width, height, ratio):
        self.call("Emulation.setDeviceMetricsOverride", width=width, height=height, deviceScaleFactor=ratio,
                  mobile=False)
        self.call("Page.navigate", url="about:blank")
        self.call("Page.navigate", url=url)
        for _ in range(300):
            if self.evaluate("document.readyState") == "complete":
                break
            time.sleep(0.1)

    def key(self, name, code):
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=name, code=name, windowsVirtualKeyCode=code)

    def screenshot(self, path):
        data = base64.b64decode(self.call("Page.captureScreenshot", format="png")["data"])
        with open(path, "wb") as f:
            f.write(data)
        return Image.open(io.BytesIO(data))

    def close(self):
        self.ws.close()
        self.process.terminate()
        self.process.wait()


def drawn_whole(image, code, ratio):
    """The symbol in the screenshot: its box a whole number of device pixels a module
    and every pixel as the reference symbol has it (any mask for a short code)."""
    grey = image.convert("L")
    label = int(32 * ratio + 0.999)  # the label line above the code
    px = grey.load()
    dark = [(x, y) for y in range(label, grey.height) for x in range(grey.width) if px[x, y] < 128]
    if not dark:
        return "no code drawn"
    left, top = min(x for x, _ in dark), min(y for _, y in dark)
    width = max(x for x, _ in dark) - left + 1
    height = max(y for _, y in dark) - top + 1
    if width != height or width % oracle.MODULES:
        return "the code is %d x %d device pixels" % (width, height)
    scale = width // oracle.MODULES
    masks = [0] if len(code) == 666 else range(8)
    drawn = oracle.modules_of(grey.crop((left - 4 * scale, top - 4 * scale, left + width + 4 * scale,
                                         top + height + 4 * scale)), scale)
    if drawn is None or not any(drawn == oracle.symbol(code, m) for m in masks):
        return "not the symbol at %d device pixels a module" % scale
    return None


with tempfile.TemporaryDirectory() as tmp:
    game = oracle.program(b"GAME", oracle.random_text(2, 5000))
    expected = oracle.codes(game)
    with open(os.path.join(tmp, "game.ptc"), "wb") as f:
        f.write(game)
    subprocess.run([tw, "qr", "-o", tmp, "game.ptc"], cwd=tmp, check=True, capture_output=True)
    page = os.path.join(tmp, "game_qr.html")
    url = "file://" + page

    browser = Browser(os.path.join(tmp, "profile"))
    try:
        shot = os.path.join(tmp, "shot.png")
        browser.open(url + "#3", 800, 600, 1)
        browser.screenshot(shot)
        check(oracle.zbar(shot) == expected[2], "#3 does not show code 3")
        browser.key("ArrowRight", 39)
        browser.screenshot(shot)
        check(oracle.zbar(shot) == expected[3], "the right arrow does not show code 4")
        check(browser.evaluate("location.hash") == "#4", "the address does not follow the code shown")
        browser.key("ArrowLeft", 37)
        browser.screenshot(shot)
        check(oracle.zbar(shot) == expected[2], "the left arrow does not go back to code 3")
        for ratio, k in ((1, 1), (1.25, len(expected))):
            browser.open(url + "#%d" % k, 800, 600, ratio)
            image = browser.screenshot(shot)
            why = drawn_whole(image, expected[k - 1], ratio)
            check(why is None, "code %d at a device pixel ratio of %s: %s" % (k, ratio, why))
    finally:
        browser.close()

    pdf = os.path.join(tmp, "page.pdf")
    subprocess.run(CHROMIUM + ["--no-pdf-header-footer", "--print-to-pdf=" + pdf, url],
                   capture_output=True, timeout=120)
    subprocess.run(["pdftoppm", "-r", "150", "-gray", "-png", pdf, os.path.join(tmp, "printed")], check=True)
    read = []
    for name in sorted(os.listdir(tmp)):
        if name.startswith("printed"):
            read += oracle.split_known(oracle.zbar(os.path.join(tmp, name)), expected) or []
    check(sorted(read) == sorted(expected), "printed, %d of %d codes read back" % (len(read), len(expected)))

for p in problems:
    print(p)
print("qr page: %d passed, %d failed" % (checks - len(problems), len(problems)))
sys.exit(1 if problems else 0)

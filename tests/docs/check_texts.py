#!/usr/bin/env python3
"""The catalogue of messages, resources/texts.h: every message the command line
shows (a Text) has a Japanese and an English form with the same printf
conversions, the English one in plain ASCII; the texts without an English form
belong to the desktop program alone and the command line never names them.

Usage: check_texts.py SOURCE_DIR"""
import glob
import os
import re
import sys

root = sys.argv[1]
text = open(os.path.join(root, "resources/texts.h"), encoding="utf-8").read()


def strings(source):
    return "".join(re.findall(r'"((?:[^"\\]|\\.)*)"', source))


def conversions(s):
    return re.findall(r"%[-0-9.]*(?:ll|z)?[a-zA-Z%]", s)


problems = []
texts = re.findall(r"inline constexpr Text (\w+)\{(.*?)\};", text, re.S)
for name, body in texts:
    parts = re.findall(r'((?:"(?:[^"\\]|\\.)*"\s*)+)', body)
    if len(parts) != 2:
        problems.append("%s: needs a Japanese and an English text" % name)
        continue
    ja, en = strings(parts[0]), strings(parts[1])
    if not ja or not en:
        problems.append("%s: a language is empty" % name)
    if any(ord(c) > 127 for c in en):
        problems.append("%s: the English text is not plain ASCII" % name)
    if conversions(ja) != conversions(en):
        problems.append("%s: the conversions differ: %s / %s" % (name, conversions(ja), conversions(en)))
desktop_only = re.findall(r"inline constexpr const char\* (\w+) =", text)
cli = "".join(open(f, encoding="utf-8").read() for f in glob.glob(os.path.join(root, "cli", "*.cpp")))
for name in desktop_only:
    if re.search(r"\b%s\b" % name, cli):
        problems.append("%s: shown by the command line but has no English form" % name)
if len(texts) < 100:
    problems.append("only %d messages found: is the catalogue read right?" % len(texts))
for p in problems:
    print(p)
print("%d passed, %d failed" % (0 if problems else 1, 1 if problems else 0))
sys.exit(1 if problems else 0)

#!/usr/bin/env python3
"""Every option the command line accepts appears in its --help, in both manual
pages and in the bash completion, so that they cannot drift apart.

Usage: check_options.py TILEWRIGHT SOURCE_DIR"""
import os
import re
import subprocess
import sys

tw, root = sys.argv[1], sys.argv[2]
commands = {"convert": "cli/convert_command.cpp", "info": "cli/info_command.cpp",
            "package": "cli/package_command.cpp", "map": "cli/map_command.cpp",
            "render": "cli/render_command.cpp"}
shared = open(os.path.join(root, "cli/cli_options.cpp"), encoding="utf-8").read()


def options_of(source):
    """The option names a command's source compares its arguments with."""
    text = open(os.path.join(root, source), encoding="utf-8").read()
    found = set(re.findall(r'arg == "(-[-a-z]+)"', text))
    for call in re.findall(r'take_value\(([^;]*?)\)', text, re.S):
        found.update(re.findall(r'"(-[-a-z]+)"', call))
    return found - {"-"}


def manual(path):
    text = open(os.path.join(root, path), encoding="utf-8").read().replace("\\-", "-")
    return re.sub(r"\\f[BIRP]", "", text)  # font changes of the manual pages


pages = {"man/tilewright.1": manual("man/tilewright.1"),
         "man/ja/man1/tilewright.1": manual("man/ja/man1/tilewright.1"),
         "completion/tilewright.bash": manual("completion/tilewright.bash")}
missing = []
for command, source in commands.items():
    options = options_of(source)
    if not options:
        missing.append("%s: no options found in %s" % (command, source))
    args = [tw] + ([] if command == "convert" else [command]) + ["--help"]
    help_text = subprocess.run(args, capture_output=True, text=True).stdout
    for option in sorted(options):
        if not re.search(r"(?<![-\w])%s(?![-\w])" % re.escape(option), help_text):
            missing.append("%s --help lacks %s" % (command, option))
        for name, text in pages.items():
            if not re.search(r"(?<![-\w])%s(?![-\w])" % re.escape(option), text):
                missing.append("%s lacks %s (%s)" % (name, option, command))
for line in missing:
    print(line)
print("%d passed, %d failed" % (0 if missing else 1, 1 if missing else 0))
sys.exit(1 if missing else 0)

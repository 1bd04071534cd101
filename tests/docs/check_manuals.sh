#!/bin/sh
# Reading a manual page prints no warning of the formatter: each page in the
# locale of its language, the English one in the C locale too.
# Usage: check_manuals.sh SOURCE_DIR
root=$1
failed=0
check() {
    warnings=$(LC_ALL=$1 MANWIDTH=80 man -l "$root/$2" 2>&1 >/dev/null)
    if [ -n "$warnings" ]; then
        printf '%s (%s):\n%s\n' "$2" "$1" "$warnings"
        failed=1
    fi
}
check ja_JP.UTF-8 man/ja/man1/tilewright.1
check ja_JP.UTF-8 man/tilewright.1
check C.UTF-8 man/tilewright.1
exit $failed

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the package and source package tests: reporting, logs and clean-up.

failures=0
ok() { echo "ok: $*"; }
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
die() {
    echo "FAIL: $*" >&2
    exit 1
}
# expect_equal WHAT ACTUAL EXPECTED
expect_equal() {
    if [ "$2" = "$3" ]; then
        ok "$1: $2"
    else
        fail "$1 is '$2', expected '$3'"
    fi
}
# finish: exits with a failure when any check failed.
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
}

# show_log NAME FILE: the failures and the last lines of a log, for a diagnosis.
show_log() {
    if [ -s "$2" ]; then
        # A test suite's failures stand far above its last lines: each with what it said after.
        if grep -qE 'FAIL!|\[  FAILED  \]|^ *[0-9]* *(FAIL|ERROR):' "$2"; then
            echo "--- $1 (the failures) ---" >&2
            grep -E -A4 'FAIL!|\[  FAILED  \]|^ *[0-9]* *(FAIL|ERROR):|Traceback' "$2" | head -n 80 >&2
        fi
        echo "--- $1 (last 40 lines) ---" >&2
        tail -n 40 "$2" >&2
        echo "--- end of $1 ---" >&2
    fi
}

# on_exit CLEANUP: runs CLEANUP whichever way the script ends; a signal ends it with the usual
# status, through CLEANUP.
on_exit() {
    trap "$1" EXIT
    trap 'exit 129' HUP
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# stage WHAT: a heading with the seconds since the script started.
stage() { echo "== $* (at $SECONDS s)"; }

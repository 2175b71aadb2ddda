# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the package and clean-room tests: reporting, logs, process groups and the package.

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

# show_log NAME FILE: the last lines of a log, for a failure's diagnosis.
show_log() {
    if [ -s "$2" ]; then
        echo "--- $1 (last 40 lines) ---" >&2
        tail -n 40 "$2" >&2
        echo "--- end of $1 ---" >&2
    fi
}

# stop_group PID: ends the process group PID leads (every process the tests start runs under
# `timeout`, which leads a group of its own): TERM, then KILL after five seconds.
stop_group() {
    local pid=$1
    [ -n "$pid" ] || return 0
    if kill -TERM -- "-$pid" 2>/dev/null; then
        local tries=0
        while kill -0 -- "-$pid" 2>/dev/null && [ $tries -lt 50 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        kill -KILL -- "-$pid" 2>/dev/null || true
    fi
    wait "$pid" 2>/dev/null || true
}

# build_package CPACK BUILD_DIR OUT_DIR: makes the Debian package of a built tree with CPack and
# leaves its path in `deb`.
build_package() {
    timeout 300 "$1" -G DEB --config "$2/CPackConfig.cmake" -B "$3" \
        </dev/null >"$3.log" 2>&1 || {
        show_log cpack "$3.log"
        die "cpack failed"
    }
    local debs
    shopt -s nullglob
    debs=("$3"/*.deb)
    shopt -u nullglob
    [ ${#debs[@]} -eq 1 ] || {
        show_log cpack "$3.log"
        die "cpack made ${#debs[@]} .deb files, expected one"
    }
    deb=${debs[0]}
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

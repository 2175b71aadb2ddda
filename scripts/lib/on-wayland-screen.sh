#!/bin/sh

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a Wayland screen of its own: Debian's weston with its desktop shell, headless,
# drawing in software (pixman), 1280 x 1024 at scale 1, the counterpart of on-virtual-screen.sh.
# The command finds the compositor through WAYLAND_DISPLAY, an absolute path, so that it stays
# valid whatever XDG_RUNTIME_DIR the command gives its own children; DISPLAY is unset, so nothing
# reaches an X server by mistake. weston runs with --debug, which lets any client take a
# screenshot (weston-screenshooter). The compositor ends with the command, whose status is the
# script's.
# Usage: on-wayland-screen.sh COMMAND [ARGUMENT...]
set -eu

if [ $# -eq 0 ]; then
    echo "usage: $0 COMMAND [ARGUMENT...]" >&2
    exit 2
fi
if ! command -v weston >/dev/null; then
    echo "error: weston is not installed (Debian package weston)" >&2
    exit 1
fi

# In /tmp, as xvfb-run keeps its files, whatever TMPDIR says: the compositor's socket path must
# stay under the 108 bytes a socket's name may have.
runtime=$(mktemp -d /tmp/wayland-screen.XXXXXX)
weston_pid=
finish() {
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
    fi
    rm -rf "$runtime"
}
trap finish EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

# weston 10 (Debian 12) knows only --use-pixman; later ones take --renderer=pixman and warn about
# the old name.
renderer=--use-pixman
if weston --help 2>&1 | grep -q -- '--renderer='; then
    renderer=--renderer=pixman
fi

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so "$renderer" --width=1280 \
    --height=1024 --idle-time=0 --debug --socket=wayland-0 --log="$runtime/weston.log" \
    </dev/null >/dev/null 2>&1 &
weston_pid=$!

# The socket appears once weston listens; give up when weston has ended or after 30 seconds.
tries=0
while [ ! -S "$runtime/wayland-0" ]; do
    if ! kill -0 "$weston_pid" 2>/dev/null || [ $tries -ge 300 ]; then
        echo "error: weston did not start; its log:" >&2
        cat "$runtime/weston.log" >&2 || true
        exit 1
    fi
    tries=$((tries + 1))
    sleep 0.1
done

unset DISPLAY
export WAYLAND_DISPLAY="$runtime/wayland-0"
status=0
"$@" || status=$?
exit "$status"

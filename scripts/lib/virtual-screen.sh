# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that run the program under Xvfb. start_virtual_screen FOLDER starts a
# 1024x768 screen on a free display, exports DISPLAY and leaves the server's pid in xvfb_pid.
xvfb_pid=""

start_virtual_screen() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -dpi 96 -nolisten tcp 3>"$1/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$1/display" ] && break
        sleep 0.05
    done
    DISPLAY=":$(cat "$1/display")"
    export DISPLAY
}

stop_virtual_screen() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
}

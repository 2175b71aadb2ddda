#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures, on the virtual screen every test uses, medians of five runs: launch to the information
# window on screen, "Continua" to the main window and to the maker's page on screen; after a
# series, the memory (RSS and PSS) of the program and every process it started, against a minimal
# Qt Widgets window measured in the same run, its number of WebEngine processes and the OpenGL
# libraries it maps; with the site serving its page on loopback and with nothing listening there.
# Then, for the first program, the duration of "Nuova Serie" and the peak memory meanwhile.
# Usage: bench/measure-ui.sh [program...]   (default: build/ci/bin/quintara)
#        bench/measure-ui.sh --wayland [program]
# With --wayland, the program's memory and OpenGL libraries instead, on X11 (the virtual screen)
# and on Wayland (weston, headless: scripts/lib/on-wayland-screen.sh) side by side, runs
# alternating.
# Given two programs (say, before and after a change), their runs alternate, so that the load
# of the machine weighs on both alike. The programs must be built with the same site on loopback,
# named in QUINTARA_SITE_HOST (default the ci preset's 127.0.0.1:47251). Nothing else may serve
# that port meanwhile: on a shared machine, build with a port of your own, for example
#   cmake --preset ci -B build/measure -DQUINTARA_SITE_HOST=127.0.0.1:47389
#   cmake --build build/measure -j2 --target quintara quintara_minimal_window
#   QUINTARA_SITE_HOST=127.0.0.1:47389 bench/measure-ui.sh build/measure/bin/quintara
# The minimal window is QUINTARA_MINIMAL_WINDOW, by default quintara_minimal_window beside the
# first program, else in build/ci/bin (the ci preset builds it).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
wayland=no
if [ "${1:-}" = --wayland ]; then
    wayland=yes
    shift
fi
if [ $# -eq 0 ]; then
    set -- "$repo/build/ci/bin/quintara"
fi
export QUINTARA_SITE_HOST=${QUINTARA_SITE_HOST:-127.0.0.1:47251}
if [ -z "${QUINTARA_MINIMAL_WINDOW:-}" ]; then
    QUINTARA_MINIMAL_WINDOW=$(dirname "$1")/quintara_minimal_window
    [ -x "$QUINTARA_MINIMAL_WINDOW" ] || QUINTARA_MINIMAL_WINDOW=$repo/build/ci/bin/quintara_minimal_window
fi
export QUINTARA_MINIMAL_WINDOW

# Without the buses' chatter.
measure() {
    "$repo/scripts/lib/on-virtual-screen.sh" dbus-run-session -- \
        /usr/bin/python3 "$repo/bench/measure_ui.py" "$@" 2>&1 |
        grep --line-buffered -v -e '^dbus-daemon' -e '^SpiRegistry'
}
if [ $wayland = yes ]; then
    # The compositor inside the virtual screen's command: both up at once, the X server named
    # to the script apart, since on-wayland-screen.sh hides it from what it runs.
    "$repo/scripts/lib/on-virtual-screen.sh" sh -c 'QUINTARA_X_DISPLAY=$DISPLAY exec "$0" "$@"' \
        "$repo/scripts/lib/on-wayland-screen.sh" dbus-run-session -- \
        /usr/bin/python3 "$repo/bench/measure_ui.py" platforms "$1" 2>&1 |
        grep --line-buffered -v -e '^dbus-daemon' -e '^SpiRegistry'
    exit
fi
measure start-up "$@"
echo
measure series "$1"

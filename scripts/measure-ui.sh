#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures, under Xvfb: launch to the information window on screen, "Continua" to the main window
# on screen (medians of five runs), the duration of "Nuova Serie" and the program's peak memory.
# Usage: scripts/measure-ui.sh [program]   (default: build/ci/bin/quintara, whose site is on
# loopback; the page server of the end-to-end tests answers there)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$repo/build/ci/bin/quintara}")

# shellcheck source=scripts/lib/virtual-screen.sh
. "$repo/scripts/lib/virtual-screen.sh"
scratch=$(mktemp -d)
cleanup() {
    stop_virtual_screen
    rm -rf "$scratch"
}
trap cleanup EXIT
start_virtual_screen "$scratch"

now() { date +%s.%N; }
wait_mapped() {  # a pattern of `xwininfo -root -tree`
    until xwininfo -root -tree 2>/dev/null | grep -q "$1"; do sleep 0.005; done
}

launch=()
proceed=()
for run in 1 2 3 4 5; do
    mkdir -p "$scratch/work$run"
    start=$(now)
    (cd "$scratch/work$run" && HOME="$scratch" XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=xcb \
        QTWEBENGINE_DISABLE_SANDBOX=1 exec "$program" >/dev/null 2>&1) &
    pid=$!
    wait_mapped "492x548"
    launch+=("$(echo "$(now) - $start" | bc)")
    sleep 0.5
    xdotool mousemove 512 384 key Escape
    start=$(now)
    wait_mapped '"Quintara2.1.2".*679x'
    proceed+=("$(echo "$(now) - $start" | bc)")
    sleep 1
    kill "$pid"
    wait "$pid" 2>/dev/null || true
done
median() { printf '%s\n' "$@" | sort -n | sed -n 3p; }
printf 'Launch to the information window: %.3f s (median of 5)\n' "$(median "${launch[@]}")"
printf 'Continua to the main window: %.3f s (median of 5)\n' "$(median "${proceed[@]}")"

stop_virtual_screen
QUINTARA_PROGRAM="$program" QUINTARA_SITE_HOST=127.0.0.1:47251 \
    /usr/bin/python3 "$repo/scripts/measure_ui.py"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes docs/screenshot.png: the main window with a series shown, under a virtual screen.
# Usage: scripts/make-screenshot.sh [path-to-quintara]   (default: builds the dev preset)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

program=${1:-}
if [ -z "$program" ]; then
    scripts/setup.sh --tests
    cmake --preset dev >/dev/null
    cmake --build --preset dev -j "$(nproc)" --target quintara
    program="$repo/build/dev/bin/quintara"
fi

program=$(realpath "$program")
# The rest runs on a virtual screen of its own, which ends with it.
if [ -z "${QUINTARA_SCREENSHOT_SCREEN:-}" ]; then
    exec scripts/lib/on-virtual-screen.sh env QUINTARA_SCREENSHOT_SCREEN=1 "$0" "$program"
fi
scratch=$(mktemp -d)
program_pid=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

# The window for a given title, once it is mapped.
wait_for_window() {
    for _ in $(seq 200); do
        if id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    echo "no window named $1" >&2
    return 1
}

mkdir -p "$scratch/work" "$scratch/home"
# A bus address that leads nowhere, so that no session bus is started for the program and left
# behind.
(cd "$scratch/work" && HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/home" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-bus" \
    QT_QPA_PLATFORM=xcb QTWEBENGINE_DISABLE_SANDBOX=1 exec "$program" >/dev/null 2>&1) &
program_pid=$!

# The information window has no title: wait for a mapped window of its size, then close it with
# Escape, which behaves as "Continua".
for _ in $(seq 200); do
    xwininfo -root -tree 2>/dev/null | grep -q "492x548" && break
    sleep 0.05
done
sleep 0.5
xdotool mousemove 640 512 key Escape
main=$(wait_for_window "^Quintara2\.1\.2$")
sleep 2
# "Nuova Serie" stands at (84, 444) in the client area, below the menu bar.
menu_height=$(( $(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p') - 486 ))
xdotool mousemove --window "$main" 84 $((444 + menu_height)) click 1
sleep 3.5
import -window "$main" docs/screenshot.png
echo "wrote docs/screenshot.png"

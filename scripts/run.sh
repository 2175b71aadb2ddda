#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets everything up, builds and starts Quintara in the current directory, where it keeps its
# settings file Quintara.cfg.
set -euo pipefail

# Without a screen Qt would only abort; say what is needed instead (another QT_QPA_PLATFORM, such
# as offscreen or vnc, needs none).
case "${QT_QPA_PLATFORM:-xcb}" in
    xcb* | wayland*)
        if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
            echo "Quintara needs a graphical session (DISPLAY is not set); to look at it under Xvfb, start it with xvfb-run -n 99 -s '-ac -screen 0 1280x1024x24' $0 & and, once it is up, take a picture with DISPLAY=:99 import -window root quintara.png (Debian's packages xvfb and imagemagick)" >&2
            exit 1
        fi
        ;;
esac

here=$(pwd)
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset run
cmake --build --preset run -j "$(nproc)" --target quintara

program="$(pwd)/build/run/bin/quintara"
if [ "$(id -u)" -eq 0 ] && [ -z "${QTWEBENGINE_DISABLE_SANDBOX:-}" ]; then
    # Qt WebEngine will not start as root with its sandbox on; the program never turns it off.
    echo "Running as root: the web view's sandbox is turned off for this run." >&2
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
cd "$here"
exec "$program" "$@"

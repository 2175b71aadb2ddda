#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets everything up, builds and starts Quintara in the current directory, where it keeps its
# settings file Quintara.cfg.
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset dev
cmake --build --preset dev -j "$(nproc)" --target quintara

program="$(pwd)/build/dev/bin/quintara"
if [ "$(id -u)" -eq 0 ] && [ -z "${QTWEBENGINE_DISABLE_SANDBOX:-}" ]; then
    # Qt WebEngine will not start as root with its sandbox on; the program never turns it off.
    echo "Running as root: the web view's sandbox is turned off for this run." >&2
    export QTWEBENGINE_DISABLE_SANDBOX=1
fi
cd "$here"
exec "$program" "$@"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures, under Xvfb, medians of five runs: launch to the information window on screen,
# "Continua" to the main window and to the maker's page on screen, the whole program's memory
# after a series and its number of WebEngine processes, with the site reachable (served on
# loopback) and not; then, for the first program, the duration of "Nuova Serie" and the peak
# memory meanwhile.
# Usage: scripts/measure-ui.sh [program...]   (default: build/ci/bin/quintara)
# Given two programs (say, before and after a change), their runs alternate, so that the load
# of the machine weighs on both alike. The programs must be built with the same site on loopback,
# named in QUINTARA_SITE_HOST (default the ci preset's 127.0.0.1:47251). Nothing else may serve
# that port meanwhile: on a shared machine, build with a port of your own, for example
#   cmake --preset ci -B build/measure -DQUINTARA_SITE_HOST=127.0.0.1:47389
#   cmake --build build/measure -j2 --target quintara
#   QUINTARA_SITE_HOST=127.0.0.1:47389 scripts/measure-ui.sh build/measure/bin/quintara
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -eq 0 ]; then
    set -- "$repo/build/ci/bin/quintara"
fi
export QUINTARA_SITE_HOST=${QUINTARA_SITE_HOST:-127.0.0.1:47251}

/usr/bin/python3 "$repo/scripts/measure_ui.py" start-up "$@"
echo
/usr/bin/python3 "$repo/scripts/measure_ui.py" series "$1"

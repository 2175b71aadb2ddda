#!/bin/sh

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a command on a virtual screen of its own, the one every script and test of Quintara uses:
# Debian's xvfb-run on the first free display, 1280 x 1024 at 24 bits and 96 dpi (the dpi the
# windows are laid out for). The screen ends with the command, and its status is the command's.
# It never resets: by default Xvfb starts afresh whenever its last client leaves, and a client
# that comes meanwhile (the next program a test starts) is turned away.
# Options of xvfb-run may come first; -f FILE keeps the screen's X authority in FILE, for clients
# started from outside the command.
# Usage: on-virtual-screen.sh [xvfb-run option...] COMMAND [ARGUMENT...]
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -dpi 96 -noreset" "$@"

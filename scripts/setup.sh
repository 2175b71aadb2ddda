#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs the Debian packages Quintara needs to build and run (scripts/run.sh) or, with --tests,
# to build and run every test as well (scripts/test.sh). Does nothing when they are all present;
# uses sudo when not run as root. The names are those of Debian 12 and Debian 13 alike.
#
# Usage: scripts/setup.sh [--tests]
set -euo pipefail

packages=(
    # build
    g++ cmake make pkg-config
    # copying the access control list and the extended attributes of a file a save replaces
    libacl1-dev libattr1-dev
    # the windows
    qt6-base-dev qt6-webengine-dev libgl-dev
    # fonts metric-compatible with the ones the windows were designed with (Arial, Comic Sans MS),
    # and Qt's own texts in Italian
    fonts-liberation fonts-comic-neue qt6-translations-l10n
)
test_packages=(
    # the formatting and licence checks, which take their list of files from git
    git clang-format
    # unit tests and benchmarks
    googletest libgtest-dev libbenchmark-dev
    # window and end-to-end tests under a virtual screen and the accessibility bus
    xvfb xauth dbus-x11 at-spi2-core python3-pyatspi imagemagick poppler-utils
    # fuzzing (libFuzzer) and sanitizers: the runtime of Debian's default clang, whatever its
    # version (14 on Debian 12, 19 on Debian 13)
    clang libclang-rt-dev
    # the package's checks, and plain Debian roots in which the source package is built and tested
    # (lintian and autopkgtest run there), with a loopback of their own; Debian's install, remove
    # and purge test
    desktop-file-utils appstream dpkg-dev x11-utils reuse mmdebstrap iproute2 piuparts
    # a FAT file system mounted with FUSE, as a USB stick is, for the saves that must work there
    fusefat dosfstools
    # typing into the main window and reading the clipboard in the end-to-end tests, and the
    # README screenshot
    xdotool xclip
    # the end-to-end test on Wayland: a headless compositor and Qt's Wayland plugin
    weston qt6-wayland
    # the screen reader test: Orca itself, speaking through speech-dispatcher
    orca speech-dispatcher
    # "Stampa" on a printer of the tests' own: a CUPS server whose printer writes PDF files
    printer-driver-cups-pdf
)

case ${1:-} in
    '') ;;
    --tests) packages+=("${test_packages[@]}") ;;
    *)
        echo "usage: $0 [--tests]" >&2
        exit 2
        ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package on a plain Debian, as a new user gets it: builds the package from a built
# tree (or takes the one --deb names), makes a minimal root of the release --suite names (bookworm,
# Debian 12, unless told otherwise) with `mmdebstrap --variant=apt` (kept as a tarball in the
# build tree for the next run), installs the package into it with
# `apt-get install --no-install-recommends`, and checks inside that root, by chroot:
#   - every library the program, Qt's X11 platform plugin, its image readers and the web engine's
#     process load is there (before anything else is installed);
#   - fontconfig gives Liberation Sans for Arial and Comic Neue for Comic Sans MS;
#   - the copyright file is there, and `man -w quintara` finds the manual page (man-db is
#     installed for that check only, with xvfb, xauth and x11-utils for the next);
#   - the program, started as the menu entry says, shows its information window under Xvfb.
#
# Usage: cleanroom_test.sh --build-dir DIR [--cpack CPACK] [--webengine yes|no] [--suite SUITE]
#                          [--deb PACKAGE]
#
# Needs root (chroot, mounts) and Debian's package archive, from the mirror this machine's apt
# sources name; without root, or inside a chroot, it reports "skipped" (exit status 77), and an
# archive it cannot reach is a failure, said plainly. /proc and /dev are bound into the root
# inside a mount namespace of its own, so that they disappear with it whichever way the test ends;
# the program runs in a network namespace of its own too, so that nothing it does leaves this
# machine. Every process runs under `timeout`; the scratch root is removed at the end
# (QUINTARA_KEEP_SCRATCH=1 keeps it).
set -euo pipefail

self=$(realpath "$0")

# shellcheck source=tests/support/checks.sh
source "$(dirname "$self")/../support/checks.sh"
# shellcheck source=tests/support/debian_root.sh
source "$(dirname "$self")/../support/debian_root.sh"

# in_root COMMAND...: runs a command inside the root, in a clean environment.
in_root() {
    timeout -k 5 600 chroot "$root" /usr/bin/env -i \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}
apt_in_root() { in_root apt-get -q -y -o Dpkg::Use-Pty=0 "$@"; }

# What a phase leaves on any exit: its mounts undone, the processes it started stopped.
end_install() {
    unbind_system "$root"
    umount "$root/var/cache/apt/archives" 2>/dev/null || true
}
end_start() {
    stop_group "$program_pid"
    unbind_system "$root"
}

# --- Inside the mount namespace, with the network: install and look -------------------------------
# phase_install ROOT DEB ARCHIVES LOGS WEBENGINE
phase_install() {
    root=$1
    local deb=$2 archives=$3 logs=$4 webengine=$5
    on_exit end_install
    bind_system "$root"
    # The packages downloaded by earlier runs, and kept for the next.
    mount --bind "$archives" "$root/var/cache/apt/archives"

    apt_in_root update >"$logs/apt-update.log" 2>&1 || {
        show_log "apt-get update" "$logs/apt-update.log"
        die "apt-get update inside the root failed: Debian's package archive cannot be reached"
    }
    local name
    name=$(basename "$deb")
    if in_root sh -c "cd /tmp && apt-get -q -y -o Dpkg::Use-Pty=0 install \
        --no-install-recommends ./$name" >"$logs/apt-install.log" 2>&1; then
        local packages disk
        packages=$(grep -c '^Unpacking ' "$logs/apt-install.log" || true)
        # After this operation, 514 MB of additional disk space will be used.
        disk=$(sed -n 's/^After this operation, \(.*\) of additional disk space.*/\1/p' \
            "$logs/apt-install.log")
        ok "apt-get install --no-install-recommends ./$name: $packages packages, $disk on the disk"
    else
        show_log "apt-get install" "$logs/apt-install.log"
        die "apt-get install --no-install-recommends ./$name failed"
    fi
    apt_in_root autoclean >/dev/null 2>&1 || true

    # Nothing but the package and what it depends on is in the root yet: a library missing now is
    # a dependency the package fails to name.
    local loaded=(/usr/games/quintara
        "/usr/lib/*/qt6/plugins/platforms/libqxcb.so"
        "/usr/lib/*/qt6/plugins/xcbglintegrations/*.so"
        "/usr/lib/*/qt6/plugins/imageformats/*.so"
        "/usr/lib/*/qt6/plugins/printsupport/*.so")
    # The program loads the web engine's module only when the maker's page arrives.
    [ "$webengine" = yes ] && loaded+=(/usr/lib/quintara/modules/libquintara_web_engine.so
        /usr/lib/qt6/libexec/QtWebEngineProcess)
    local missing
    # shellcheck disable=SC2016 # expanded inside the root
    missing=$(in_root sh -c 'for pattern in "$@"; do
            for file in $pattern; do
                [ -e "$file" ] || { echo "$file is not installed"; continue; }
                ldd "$file" | sed -n "s|^[[:space:]]*\(.*\) => not found|$file needs \1|p"
            done
        done' sh "${loaded[@]}" 2>&1)
    if [ -z "$missing" ]; then
        ok "every library the program, Qt's xcb plugin, image readers and web engine load is there"
    else
        fail "missing from the root:"
        echo "$missing" >&2
    fi

    expect_equal "fc-match Arial" "$(in_root fc-match -f '%{family}\n' Arial 2>&1)" \
        "Liberation Sans"
    expect_equal "fc-match \"Comic Sans MS\"" \
        "$(in_root fc-match -f '%{family}\n' "Comic Sans MS" 2>&1)" "Comic Neue"

    local copyright="$root/usr/share/doc/quintara/copyright"
    if [ -f "$copyright" ] && grep -q '^Format: .*copyright-format/1.0' "$copyright"; then
        ok "usr/share/doc/quintara/copyright is there, in the machine-readable format"
    else
        fail "usr/share/doc/quintara/copyright is missing or not in the machine-readable format"
    fi
    # shellcheck disable=SC2016 # a dpkg-query format
    if in_root dpkg-query -W -f='${Status}' qt6-translations-l10n 2>/dev/null |
        grep -q "install ok installed"; then
        ok "Qt's Italian translations came in although only recommended"
    else
        ok "Qt's translations are not installed (only recommended): Qt's texts stay English"
    fi

    # The tools of the checks below, after the checks above.
    apt_in_root install --no-install-recommends man-db xvfb xauth x11-utils \
        >"$logs/apt-tools.log" 2>&1 || {
        show_log "apt-get install man-db xvfb xauth x11-utils" "$logs/apt-tools.log"
        die "installing the checks' tools (man-db, xvfb, xauth, x11-utils) into the root failed"
    }
    expect_equal "man -w quintara" "$(in_root man -w quintara 2>&1)" \
        /usr/share/man/man6/quintara.6.gz
    finish
}

# --- Inside the mount and network namespaces: start the program -----------------------------------
# phase_start ROOT LOGS
phase_start() {
    root=$1
    local logs=$2
    program_pid=''
    on_exit end_start
    bind_system "$root"

    # Started the way the menu entry says, with a user's search path (Debian's /etc/profile), on
    # the virtual screen every test uses, inside the root: the screen ends with the program. The
    # shell in between tells which display it got; the screen's X authority is kept in the root.
    local command
    command=$(sed -n 's/^Exec=//p' "$root"/usr/share/applications/*.desktop | head -n 1)
    mkdir -p "$root/tmp/home" "$root/tmp/runtime" "$root/tmp/work"
    chmod 700 "$root/tmp/runtime"
    install -m 0755 "$(dirname "$self")/../../scripts/lib/on-virtual-screen.sh" "$root/tmp/"
    : >"$root/tmp/display"
    # shellcheck disable=SC2086,SC2016 # the Exec line is a command and its arguments; the inner
    # shell expands its own variables
    timeout -k 5 150 chroot "$root" /usr/bin/env -i \
        PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games \
        HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime LANG=C.UTF-8 \
        DBUS_SESSION_BUS_ADDRESS=unix:path=/tmp/no-session-bus \
        QTWEBENGINE_DISABLE_SANDBOX=1 \
        /tmp/on-virtual-screen.sh -f /tmp/xauthority -e /tmp/xvfb.log \
        sh -c 'echo "$DISPLAY" >/tmp/display && cd /tmp/work && exec "$@"' sh $command \
        </dev/null >"$logs/quintara.log" 2>&1 &
    program_pid=$!
    local display deadline=$((SECONDS + 30))
    until display=$(grep -x ':[0-9][0-9]*' "$root/tmp/display"); do
        if ! kill -0 "$program_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
            show_log xvfb-run "$logs/quintara.log"
            show_log Xvfb "$root/tmp/xvfb.log"
            die "the virtual screen in the root did not start"
        fi
        sleep 0.1
    done

    local started=$SECONDS window='' id
    deadline=$((SECONDS + 90))
    while [ -z "$window" ]; do
        if ! kill -0 "$program_pid" 2>/dev/null; then
            show_log quintara "$logs/quintara.log"
            die "'$command' ended before its information window showed"
        fi
        for id in $(in_root env DISPLAY="$display" XAUTHORITY=/tmp/xauthority \
            xwininfo -root -tree 2>/dev/null |
            awk '/ 492x548\+/ { print $1 }'); do
            if in_root env DISPLAY="$display" XAUTHORITY=/tmp/xauthority \
                xwininfo -id "$id" 2>/dev/null |
                grep -q 'Map State: IsViewable'; then
                window=$id
                break
            fi
        done
        if [ -z "$window" ]; then
            if [ $SECONDS -ge $deadline ]; then
                show_log quintara "$logs/quintara.log"
                die "no 492x548 window on the root's screen within 90 s"
            fi
            sleep 0.2
        fi
    done
    ok "'$command' shows its information window (492x548) after $((SECONDS - started)) s"
}

case ${1:-} in
    --phase-install | --phase-start)
        phase=${1#--phase-}
        shift
        "phase_$phase" "$@"
        exit 0
        ;;
esac

# --- On the host ----------------------------------------------------------------------------------
build_dir=
cpack=cpack
webengine=yes
suite=bookworm
deb=
usage() {
    echo "usage: $0 --build-dir DIR [--cpack CPACK] [--webengine yes|no] [--suite SUITE]" \
        "[--deb PACKAGE]" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
        --build-dir) build_dir=$2 ;;
        --cpack) cpack=$2 ;;
        --webengine) webengine=$2 ;;
        --suite) suite=$2 ;;
        --deb) deb=$(realpath "$2") ;;
        *) usage ;;
    esac
    shift 2
done
[ -n "$build_dir" ] || usage
[ -f "$build_dir/CPackConfig.cmake" ] || die "$build_dir is not a configured build tree"
build_dir=$(realpath "$build_dir")

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the clean-room test needs root (mmdebstrap, chroot, mounts)"
    exit 77
fi
if in_chroot; then
    echo "skipped: inside a chroot, where the clean-room test makes no Debian root of its own"
    exit 77
fi
for tool in "$cpack" mmdebstrap unshare chroot mount umount tar timeout /usr/lib/apt/apt-helper; do
    command -v "$tool" >/dev/null ||
        die "$tool not found (scripts/setup.sh installs what the tests need)"
done

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quintara-cleanroom.XXXXXX")
root="$scratch/root"
phase_pid=''

# run_phase NAME NAMESPACE_OPTIONS... -- ARGUMENTS...: runs this script's phase NAME in new
# namespaces, in the background so that a signal to this script is handled at once.
run_phase() {
    local name=$1
    shift
    local options=()
    while [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    shift
    unshare --mount --propagation private "${options[@]}" -- \
        bash "$self" "--phase-$name" "$@" &
    phase_pid=$!
    local status=0
    wait "$phase_pid" || status=$?
    phase_pid=''
    return $status
}

# Ends the phase still running, if any, and whatever still runs inside the root.
stop_root_processes() {
    if [ -n "$phase_pid" ]; then
        kill -TERM "$phase_pid" 2>/dev/null || true
    fi
    local link pid
    for _ in 1 2 3; do
        for link in /proc/[0-9]*/root; do
            if [ "$(readlink "$link" 2>/dev/null)" = "$root" ]; then
                pid=${link#/proc/}
                kill -KILL "${pid%/root}" 2>/dev/null || true
            fi
        done
        [ -z "$phase_pid" ] || sleep 0.5
    done
    if [ -n "$phase_pid" ]; then
        wait "$phase_pid" 2>/dev/null || true
    fi
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    stop_root_processes
    if [ "${QUINTARA_KEEP_SCRATCH:-0}" = 1 ]; then
        echo "scratch folder kept: $scratch"
    elif grep -qF " $scratch/" /proc/self/mountinfo; then
        echo "FAIL: something is still mounted under $scratch; it is left in place" >&2
        status=1
    else
        rm -rf --one-file-system -- "$scratch"
    fi
    exit "$status"
}
on_exit cleanup

# --- 1. The archive, through this machine's apt sources ------------------------------------------
stage "Debian's package archive"
archive_sources "$suite" "$scratch/sources.d"
probe_archive "$scratch" "the clean-room test installs the package and its dependencies from it"

# --- 2. The package -------------------------------------------------------------------------------
if [ -z "$deb" ]; then
    stage "cpack -G DEB"
    build_package "$cpack" "$build_dir" "$scratch/out"
fi
ok "package $(basename "$deb"), $(stat -c %s "$deb") bytes"

# --- 3. The plain root: made once, then kept in the build tree ------------------------------------
cache="$build_dir/cleanroom"
plain_root "$suite" "$cache" "$scratch"
mkdir -p "$cache/$suite-archives"
mkdir "$root"
tar -C "$root" --numeric-owner -xpf "$tarball"
cp "$deb" "$root/tmp/"
chmod 0644 "$root/tmp/$(basename "$deb")"
# Name resolution inside the root, as on this machine.
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
mkdir -p "$scratch/logs"

# --- 4. Install and look, in a mount namespace of its own -----------------------------------------
stage "install into the root"
status=0
run_phase install -- "$root" "$deb" "$cache/$suite-archives" "$scratch/logs" "$webengine" ||
    status=$?
[ $status -eq 0 ] || failures=$((failures + 1))

# --- 5. Start it, with no network either ----------------------------------------------------------
if [ $status -eq 0 ]; then
    stage "start under Xvfb in the root"
    run_phase start --net -- "$root" "$scratch/logs" || failures=$((failures + 1))
fi

stage "done"
finish
echo "the clean-room install passed in $SECONDS s"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What a newcomer on Debian 13 (trixie) gets from the README's test command, and the package
# made there:
#   1. a plain trixie root (`mmdebstrap --variant=apt`, kept in the build tree beside the
#      clean-room test's roots, which installs into the same);
#   2. a clean copy of the checkout in it: the tracked files, as committed or as changed in the
#      work tree, in a git repository of their own;
#   3. `scripts/setup.sh --tests` there, with network: the packages the build and the tests need
#      (the downloaded packages are kept in the build tree for the next run);
#   4. `scripts/test.sh` there, without network but loopback: the build with warnings as errors,
#      every test (only the two that make Debian roots of their own may skip inside the root,
#      saying why; the package test runs lintian there) and the hardening build;
#   5. the package made there (`cpack -G DEB`), installed with --no-install-recommends into a
#      plain trixie root, and checked, by the clean-room test.
#
# Usage: debian13_test.sh --source-dir DIR --build-dir DIR [--webengine yes|no]
#
# Needs root (chroot, namespaces, mounts) and Debian's package archive, from the mirrors this
# machine's apt sources name: without root, or inside a chroot, it reports "skipped" (exit status
# 77); an archive it cannot reach is a failure, said plainly. Each phase runs in mount and process
# namespaces of its own, so that its mounts and every process it started end with it.
# QUINTARA_KEEP_SCRATCH=1 keeps the scratch folder with the roots and logs.
set -euo pipefail

self=$(realpath "$0")
here=$(dirname "$self")
suite=trixie

# shellcheck source=tests/support/checks.sh
source "$here/../support/checks.sh"
# shellcheck source=tests/support/debian_root.sh
source "$here/../support/debian_root.sh"

# in_root ROOT SECONDS COMMAND...: a command inside the root, in a clean environment, as root.
in_root() {
    local root=$1 seconds=$2
    shift 2
    timeout -k 10 "$seconds" chroot "$root" /usr/bin/env -i \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"
}

# enter_root ROOT: /proc of this process namespace and /dev (with /dev/shm, which the web engine
# needs) inside the root; they end with the mount namespace.
enter_root() {
    mount -t proc proc "$1/proc"
    mount --rbind /dev "$1/dev"
}

# stamp: each line with the seconds since the phase began, so that the log times each step.
stamp() {
    local line
    while IFS= read -r line; do
        printf '%5d %s\n' "$SECONDS" "$line"
    done
}

# --- Phases, each in namespaces of its own (see run_phase) ----------------------------------------
# phase_setup ROOT ARCHIVES LOG: the packages the build and the tests need, with the network.
phase_setup() {
    local root=$1 archives=$2 log=$3
    enter_root "$root"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    in_root "$root" 1500 bash /root/quintara/scripts/setup.sh --tests >"$log" 2>&1
}

# phase_test ROOT LOG: the README's test command, then the package, with loopback only.
phase_test() {
    local root=$1 log=$2
    ip link set lo up
    enter_root "$root"
    in_root "$root" 2400 nice bash -c 'cd /root/quintara && scripts/test.sh &&
        rm -rf /root/package && cpack -G DEB --config build/ci/CPackConfig.cmake -B /root/package' \
        2>&1 | stamp >"$log"
}

case ${1:-} in
    --phase-setup | --phase-test)
        phase=${1#--phase-}
        shift
        "phase_$phase" "$@"
        exit
        ;;
esac

# --- On the host ----------------------------------------------------------------------------------
source_dir=
build_dir=
webengine=yes
usage() {
    echo "usage: $0 --source-dir DIR --build-dir DIR [--webengine yes|no]" >&2
    exit 2
}
while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
        --source-dir) source_dir=$(realpath "$2") ;;
        --build-dir) build_dir=$(realpath "$2") ;;
        --webengine) webengine=$2 ;;
        *) usage ;;
    esac
    shift 2
done
{ [ -n "$source_dir" ] && [ -n "$build_dir" ]; } || usage

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the Debian 13 test needs root (mmdebstrap, chroot, namespaces, mounts)"
    exit 77
fi
if in_chroot; then
    echo "skipped: inside a chroot, where the Debian 13 test makes no Debian root of its own"
    exit 77
fi
for tool in mmdebstrap unshare chroot mount tar timeout git ip /usr/lib/apt/apt-helper; do
    command -v "$tool" >/dev/null ||
        die "$tool not found (scripts/setup.sh --tests installs what the tests need)"
done
git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    die "$source_dir is not a git checkout: the copy is made of its tracked files"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quintara-debian13.XXXXXX")
root="$scratch/root"
cache="$build_dir/cleanroom"
phase_pid=''

# run_phase NAME NAMESPACE_OPTIONS... -- ARGUMENTS...: this script's phase NAME in new mount and
# process namespaces (and those named), in the background so that a signal is handled at once.
# When the phase ends, so does every process it started.
run_phase() {
    local name=$1
    shift
    local options=()
    while [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    shift
    unshare --mount --propagation private --pid --fork --kill-child "${options[@]}" -- \
        bash "$self" "--phase-$name" "$@" &
    phase_pid=$!
    local status=0
    wait "$phase_pid" || status=$?
    phase_pid=''
    return $status
}

cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    if [ -n "$phase_pid" ]; then
        kill -TERM "$phase_pid" 2>/dev/null || true
        wait "$phase_pid" 2>/dev/null || true
    fi
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

# timed WHAT SECONDS_AT_START: the line that says how long a stage took.
timed() { ok "$1 in $((SECONDS - $2)) s"; }

# --- 1. The archive and the plain root ------------------------------------------------------------
stage "Debian's package archive"
archive_sources "$suite" "$scratch/sources.d"
probe_archive "$scratch" "the Debian 13 test installs the build's and the tests' packages from it"
started=$SECONDS
plain_root "$suite" "$cache" "$scratch"
mkdir "$root"
tar -C "$root" --numeric-owner -xpf "$tarball"
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
# The root is thrown away after the test: dpkg need not force every file to the disk.
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/quintara-unsafe-io"
timed "the plain root ready" "$started"

# --- 2. The copy of the checkout ------------------------------------------------------------------
stage "a clean copy of the checkout"
copy="$root/root/quintara"
mkdir -p "$copy"
# The work tree's changes to tracked files, when there are any, as a commit of no branch.
revision=$(git -C "$source_dir" stash create)
git -C "$source_dir" archive --format=tar "${revision:-HEAD}" | tar -C "$copy" -xf -
git -C "$copy" init -q
git -C "$copy" add -A
git -C "$copy" -c user.name=Quintara -c user.email=quintara@localhost commit -q \
    -m "The checkout's tracked files"
copied="$(git -C "$copy" ls-files | wc -l) files of $(git -C "$source_dir" rev-parse --short HEAD)"
ok "$copied${revision:+ with the changes in the work tree}"

# --- 3. The packages the build and the tests need -------------------------------------------------
stage "scripts/setup.sh --tests in the root"
started=$SECONDS
mkdir -p "$build_dir/debian13/archives" "$scratch/logs"
run_phase setup -- "$root" "$build_dir/debian13/archives" "$scratch/logs/setup.log" || {
    show_log "scripts/setup.sh --tests" "$scratch/logs/setup.log"
    die "scripts/setup.sh --tests failed in the Debian 13 root"
}
downloaded=$(sed -n 's/^Need to get \(.*\) of archives.*/\1/p' "$scratch/logs/setup.log")
ok "$(grep -c '^Unpacking ' "$scratch/logs/setup.log" || true) packages installed," \
    "${downloaded:-nothing} downloaded"
timed "scripts/setup.sh --tests" "$started"

# --- 4. The build and every test, then the package ------------------------------------------------
stage "scripts/test.sh in the root"
started=$SECONDS
log="$scratch/logs/test.log"
status=0
run_phase test --net -- "$root" "$log" || status=$?
if [ $status -ne 0 ]; then
    show_log "scripts/test.sh" "$log"
    die "scripts/test.sh or cpack failed in the Debian 13 root (status $status)"
fi
grep -E '^ *[0-9]+ ([0-9]+% tests passed|Total Test time|hardening: )' "$log" | cut -c7- |
    sed 's/^/   /'
# The seconds at which the build, the tests and the hardening run ended, from the stamped log.
at() { awk -v pattern="$1" '$0 ~ pattern { print $1; exit }' "$log"; }
built=$(at 'Test project /root/quintara/build/ci$')
tested=$(at 'Total Test time')
hardened=$(at 'hardening: no faults found')
ended=$(tail -n 1 "$log" | awk '{ print $1 }')
ok "in the root: build ${built} s, tests $((tested - built)) s," \
    "hardening $((hardened - tested)) s, package $((ended - hardened)) s"
# Only the tests that make Debian roots of their own may skip there.
skipped=$(grep -E '\*\*\*Skipped|Not Run' "$log" | grep -vE ' (cleanroom|debian13)\.' || true)
if [ -n "$skipped" ]; then
    fail "tests skipped in the Debian 13 root:"
    echo "$skipped" >&2
else
    ok "no test skipped in the root but those that make Debian roots of their own"
fi
timed "scripts/test.sh and cpack" "$started"

# --- 5. The package made there, on a plain Debian 13 ----------------------------------------------
stage "the package made on Debian 13, in the clean room"
shopt -s nullglob
debs=("$root"/root/package/*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || die "cpack made ${#debs[@]} .deb files in the root, expected one"
cp "${debs[0]}" "$scratch/"
started=$SECONDS
deb="$scratch/$(basename "${debs[0]}")"
bash "$here/../cleanroom/cleanroom_test.sh" --build-dir "$build_dir" --suite "$suite" \
    --deb "$deb" --webengine "$webengine" || die "the clean room failed"
timed "the clean room" "$started"

stage "done"
finish
echo "the Debian 13 test passed in $SECONDS s"

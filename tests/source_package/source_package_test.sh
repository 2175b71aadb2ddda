#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian source package as a sponsor builds and tests it, on a plain Debian of the release
# --suite names (bookworm, Debian 12; trixie, Debian 13; unstable, where an upload goes):
#   1. the release tarball of the checkout (scripts/make-release-tarball.sh), made twice, the
#      second time with another umask, time zone and locale: the same bytes; debian/ put beside
#      it and `dpkg-source -b`: the .dsc, the tarball as .orig.tar.xz and the .debian.tar.xz;
#   2. a plain root (`mmdebstrap --variant=apt`, kept in the build tree) holding those three
#      files alone: `apt-get build-dep` on the .dsc there, with network, and nothing else;
#   3. `dpkg-source -x` and `dpkg-buildpackage -us -uc` there, as a user without privileges and
#      with loopback only: the source and binary packages, and the core and window tests
#      (dh_auto_test), unless the same tests run in 4 or 6b (then `nocheck`);
#   4. with --whole-suite, the README's test command in the same root, from a git copy of the
#      checkout: `scripts/setup.sh --tests`, then `scripts/test.sh` with loopback only (without
#      the run under the sanitizers and the fuzzers, which the host's run has);
#   5. `lintian --pedantic` on the .changes (source and binary): no error, no warning, no info,
#      no pedantic note, but the tags this release's lintian is known to show (lintian_expected);
#   6b. with --without-engine, a build as on an architecture without Qt WebEngine: the program
#      alone, without the engine's module, its tests passing;
#   6. with --reproducible, a second build from the source package at another path, a year and a
#      month later (faketime), with another umask, locale, time zone, user and host name: the
#      .deb files must be the same to the byte;
#   7. the package's files, on this machine (tests/package/package_test.sh);
#   8. with --piuparts, piuparts on this machine: the package installed into a fresh plain root,
#      removed and purged, and nothing left behind;
#   9. autopkgtest with its null runner inside a fresh plain root, where the package is installed
#      as a user installs it, then what each test depends on, and nothing else.
#
# Usage: source_package_test.sh --suite SUITE --source-dir DIR --build-dir DIR [--whole-suite]
#            [--reproducible] [--piuparts] [--without-engine] -- PACKAGE_TEST_ARGUMENTS...
#
# Needs root (chroot, namespaces, mounts) and Debian's package archive, from the mirrors this
# machine's apt sources name: without root, or inside a chroot, it reports "skipped" (exit status
# 77); an archive it cannot reach is a failure, said plainly. The plain roots and the downloaded
# packages are kept in build/<preset>/cleanroom for the next run. QUINTARA_KEEP_SCRATCH=1 keeps
# the scratch folder with the roots and logs.
set -euo pipefail

self=$(realpath "$0")
here=$(dirname "$self")

# shellcheck source=tests/support/checks.sh
source "$here/../support/checks.sh"
# shellcheck source=tests/support/debian_root.sh
source "$here/../support/debian_root.sh"

# The users the packages are built by, neither of them root, and their ids.
builders=(builder:1000 rebuilder:1001)

# --- The one phase: a script run by sh in the root, in namespaces of its own ----------------------
# phase_run ROOT ARCHIVES LOG SECONDS SCRIPT: runs SCRIPT as root in the root, with the downloaded
# packages kept in ARCHIVES; each line of its output goes to LOG with the seconds since it began.
phase_run() {
    local root=$1 archives=$2 log=$3 seconds=$4 script=$5
    enter_root "$root"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    in_root "$root" "$seconds" sh -ec "$script" 2>&1 | stamp >>"$log"
    return "${PIPESTATUS[0]}"
}
stamp() {
    local line
    while IFS= read -r line; do
        printf '%5d %s\n' "$SECONDS" "$line"
    done
}

case ${1:-} in
    --phase-run)
        shift
        phase_run "$@"
        exit
        ;;
esac

# --- On the host ----------------------------------------------------------------------------------
suite=
source_dir=
build_dir=
whole_suite=no
reproducible=no
without_engine=no
piuparts=no
usage() {
    echo "usage: $0 --suite SUITE --source-dir DIR --build-dir DIR [--whole-suite]" \
        "[--reproducible] [--piuparts] [--without-engine] -- PACKAGE_TEST_ARGUMENTS..." >&2
    exit 2
}
while [ $# -gt 0 ] && [ "$1" != -- ]; do
    case $1 in
        --whole-suite) whole_suite=yes ;;
        --reproducible) reproducible=yes ;;
        --piuparts) piuparts=yes ;;
        --without-engine) without_engine=yes ;;
        --suite | --source-dir | --build-dir)
            [ $# -ge 2 ] || usage
            case $1 in
                --suite) suite=$2 ;;
                --source-dir) source_dir=$(realpath "$2") ;;
                --build-dir) build_dir=$(realpath "$2") ;;
            esac
            shift
            ;;
        *) usage ;;
    esac
    shift
done
[ $# -gt 0 ] && shift
package_test_arguments=("$@")
{ [ -n "$suite" ] && [ -n "$source_dir" ] && [ -n "$build_dir" ]; } || usage

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the source package test needs root (mmdebstrap, chroot, namespaces, mounts)"
    exit 77
fi
if in_chroot; then
    echo "skipped: inside a chroot, where the source package test makes no Debian root of its own"
    exit 77
fi
needed=(mmdebstrap unshare chroot mount tar xz timeout git ip dpkg-parsechangelog dpkg-source
    /usr/lib/apt/apt-helper)
[ "$piuparts" = yes ] && needed+=(piuparts)
for tool in "${needed[@]}"; do
    command -v "$tool" >/dev/null ||
        die "$tool not found (scripts/setup.sh --tests installs what the tests need)"
done
git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1 ||
    die "$source_dir is not a git checkout: the copy is made of its tracked files"

# The package's version (2.1.0.2-1) and the release's (2.1.0.2), which the checkout's
# CMakeLists.txt names.
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
upstream=${version#*:}
upstream=${upstream%-*}
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quintara-source-package.XXXXXX")
cache="$build_dir/cleanroom"
archives="$cache/$suite-archives"
logs="$scratch/logs"
mkdir -p "$archives" "$logs"
phase_pid=''
cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    stop_phase
    remove_scratch "$scratch" || status=1
    exit "$status"
}
on_exit cleanup

# timed WHAT SECONDS_AT_START: the line that says how long a stage took.
timed() { ok "$1 in $((SECONDS - $2)) s"; }

# step WHAT LOG [NAMESPACE_OPTION...] SECONDS SCRIPT: the phase in the root `root`, with network
# unless --net asks for loopback only; a failure shows the end of the log and stops the test.
step() {
    local what=$1 log=$2 options=() started=$SECONDS
    shift 2
    while [[ $1 == --* ]]; do
        options+=("$1")
        shift
    done
    stage "$what"
    if ! run_phase run "${options[@]}" -- "$root" "$archives" "$log" "$@"; then
        show_log "$what" "$log"
        die "$what failed in the $suite root"
    fi
    timed "$what" "$started"
}

# new_root DIR: a plain root, fresh from the kept tarball, with the two builders as users.
new_root() {
    root=$1
    mkdir "$root"
    tar -C "$root" --numeric-owner -xpf "$tarball"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    # The roots are thrown away after the test: dpkg need not force every file to the disk.
    echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/quintara-unsafe-io"
    local user name id
    for user in "${builders[@]}"; do
        name=${user%:*}
        id=${user#*:}
        echo "$name:x:$id:$id::/home/$name:/bin/sh" >>"$root/etc/passwd"
        echo "$name:x:$id:" >>"$root/etc/group"
        install -d -o "$id" -g "$id" "$root/home/$name"
    done
}
# as USER COMMAND: the shell command as USER, for a step's script.
as() { echo "setpriv --reuid=$1 --regid=$1 --init-groups env HOME=/home/$1 sh -ec '$2'"; }

# lintian_expected: the tags this release's lintian shows and that are kept, each for a reason
# docs/packaging.md gives; any other tag, of any severity, is a failure.
lintian_expected() {
    # What needs a real person: the bug that announces the package (an ITP) is filed by its
    # maintainer, whose upload then closes it; a release's signature is made with its maker's key,
    # which the watch file then checks.
    echo initial-upload-closes-no-bugs debian-watch-does-not-check-openpgp-signature
    case $suite in
        # Debian 12's and 13's lintian know Standards-Version 4.6.2 and 4.7.2 at most, not the
        # current one, which the package follows.
        bookworm | trixie) echo newer-standards-version ;;
        # What unstable's lintian asks and Debian 12 or 13 cannot do: a watch file of version 5
        # and debhelper compat 14, which their uscan and debhelper do not know; no Priority and no
        # Rules-Requires-Root, which their dpkg wants said (without the latter, Debian 12's dpkg
        # wants fakeroot for the binary packages, which a plain root lacks).
        unstable)
            echo older-debian-watch-file-standard package-uses-old-debhelper-compat-version \
                redundant-priority-optional-field redundant-rules-requires-root-no-field
            ;;
    esac
}

# --- 1. The release tarball and the source package ----------------------------------------------
stage "the release tarball and the source package"
started=$SECONDS
source="$scratch/source"
mkdir -p "$source" "$scratch/again"
bash "$source_dir/scripts/make-release-tarball.sh" "$source" >/dev/null
(umask 0077 && TZ=KIR-14 LC_ALL=C.UTF-8 \
    bash "$source_dir/scripts/make-release-tarball.sh" "$scratch/again" >/dev/null)
tarball_name="quintara-$upstream.tar.xz"
[ -f "$source/$tarball_name" ] ||
    die "scripts/make-release-tarball.sh made no $tarball_name: is $upstream the project's version?"
if cmp -s "$source/$tarball_name" "$scratch/again/$tarball_name"; then
    ok "$tarball_name made twice: the same $(stat -c %s "$source/$tarball_name") bytes"
else
    fail "$tarball_name differs between two runs of scripts/make-release-tarball.sh"
fi
# A checkout with a change not committed makes no release.
git clone -q --no-hardlinks "$source_dir" "$scratch/changed"
echo "a change not committed" >>"$scratch/changed/NEWS"
if bash "$scratch/changed/scripts/make-release-tarball.sh" "$scratch/changed" \
    >"$logs/changed.log" 2>&1; then
    fail "scripts/make-release-tarball.sh made a tarball of a checkout with a change not committed"
else
    ok "a checkout with a change not committed: $(head -n 1 "$logs/changed.log")"
fi
ln -s "$tarball_name" "$source/quintara_$upstream.orig.tar.xz"
tar -C "$source" -xJf "$source/$tarball_name"
checkout_archive "$source_dir" >"$scratch/checkout.tar"
tar -C "$source/quintara-$upstream" -xf "$scratch/checkout.tar" debian
(cd "$source" && dpkg-source -b "quintara-$upstream") >"$logs/dpkg-source.log" 2>&1 ||
    {
        show_log "dpkg-source -b" "$logs/dpkg-source.log"
        die "dpkg-source -b failed"
    }
dsc="quintara_$version.dsc"
ok "$(sed -n 's/^Format: //p' "$source/$dsc") source package $dsc:" \
    "$(sed -n '/^Files:/,/^[^ ]/ s/^ [0-9a-f]* [0-9]* //p' "$source/$dsc" | tr '\n' ' ')"
timed "the release tarball and the source package" "$started"

# --- 2, 3. A plain root with the source package alone, its build dependencies, and the build -----
stage "Debian's package archive"
archive_sources "$suite" "$scratch/sources.d"
probe_archive "$scratch" "the source package test installs the build dependencies from it"
started=$SECONDS
plain_root "$suite" "$cache" "$scratch"
new_root "$scratch/root"
first=/build/first
mkdir -p "$root$first"
cp -L "$source/$dsc" "$source/quintara_$upstream.orig.tar.xz" \
    "$source/quintara_$version.debian.tar.xz" "$root$first/"
chown -R 1000:1000 "$root/build" # builder
timed "the plain root with $dsc" "$started"

step "apt-get build-dep" "$logs/build-dep.log" 1500 "apt-get -q update
    apt-get -q -y -o Dpkg::Use-Pty=0 --no-install-recommends build-dep $first/$dsc"
ok "$(grep -c ' Unpacking ' "$logs/build-dep.log" || true) packages installed"
# Where the same tests run later in the same root, the package build leaves them out: on Debian 13
# in the whole suite, on unstable in the build without the engine's module (all but the module's
# own, which the package builds on Debian 12 run).
build_options=''
if [ "$whole_suite" = yes ] || [ "$without_engine" = yes ]; then
    build_options='DEB_BUILD_OPTIONS=nocheck'
fi
step "dpkg-source -x, dpkg-buildpackage${build_options:+ ($build_options)}" "$logs/build.log" \
    --net 2400 "$(as builder "cd $first && dpkg-source -x $dsc quintara-$upstream &&
        cd quintara-$upstream && $build_options dpkg-buildpackage -us -uc -j2")"
if [ -z "$build_options" ]; then
    grep -E ' ([0-9]+% tests passed|Total Test time)' "$logs/build.log" | cut -c7- | sed 's/^/   /'
fi

# --- 4. The README's test command in the same root ----------------------------------------------
tools="lintian"
[ "$reproducible" = yes ] && tools+=" faketime locales"
if [ "$whole_suite" = yes ]; then
    copy="$root/root/quintara"
    mkdir -p "$copy"
    tar -C "$copy" -xf "$scratch/checkout.tar"
    git -C "$copy" init -q
    git -C "$copy" add -A
    git -C "$copy" -c user.name=Quintara -c user.email=quintara@localhost commit -q \
        -m "The checkout's tracked files"
    step "scripts/setup.sh --tests" "$logs/setup.log" 1500 \
        "bash /root/quintara/scripts/setup.sh --tests"
    test_log="$logs/test.log"
    # The run under the sanitizers and the fuzzers is the host's: here, the suite on Debian 13.
    step "scripts/test.sh" "$test_log" --net 3000 \
        "cd /root/quintara && QUINTARA_HARDENING_RUN=no nice scripts/test.sh"
    grep -E '^ *[0-9]+ ([0-9]+% tests passed|Total Test time|hardening: )' "$test_log" |
        cut -c7- | sed 's/^/   /'
    at() { awk -v pattern="$1" '$0 ~ pattern { print $1; exit }' "$test_log"; }
    built=$(at 'Test project /root/quintara/build/ci$')
    tested=$(at 'Total Test time')
    ended=$(tail -n 1 "$test_log" | awk '{ print $1 }')
    ok "in the root: build ${built} s, tests $((tested - built)) s, the rest $((ended - tested)) s"
    # scripts/test.sh has ended with what did not run there, and failed on anything that
    # tests/allowed-skips.txt does not allow in a Debian root.
    grep -E '^ *[0-9]+ (== tests and rows|   skipped)' "$test_log" | cut -c7- | sed 's/^/   /'
fi

# --- 5. Lintian ----------------------------------------------------------------------------------
step "install $tools" "$logs/tools.log" 900 "apt-get -q -y -o Dpkg::Use-Pty=0 \
    --no-install-recommends install $tools"
changes="quintara_${version}_$(dpkg --print-architecture).changes"
step "lintian --pedantic" "$logs/lintian.log" --net 600 "$(as builder "cd $first &&
    lintian --pedantic --display-info --display-experimental --fail-on none $changes")"
# Lines: E: quintara source: tag-name [what it is about]
expected=" $(lintian_expected | tr '\n' ' ') "
tags=$(cut -c7- "$logs/lintian.log" | sed -nE 's/^[EWIPX]: [^:]+: ([a-z0-9+.-]+).*/\1/p' | sort -u)
unexpected=$(for tag in $tags; do [[ $expected == *" $tag "* ]] || echo "$tag"; done)
cut -c7- "$logs/lintian.log" | grep -E '^[A-Z]: ' | sed 's/^/   /' || true
if [ -n "$unexpected" ]; then
    fail "lintian --pedantic on $changes shows tags not known to be kept: ${unexpected//$'\n'/ }"
else
    ok "lintian --pedantic on $changes: no tag but those kept on $suite:" \
        "${tags//$'\n'/ }"
fi

# --- 6. The same .deb files from another build ---------------------------------------------------
if [ "$reproducible" = yes ]; then
    second=/build/second/at/another/path
    # As reprotest varies a build: path, time, umask, locale, time zone, user, host name; the
    # tests were run by the first build.
    step "a second build, varied" "$logs/rebuild.log" --net --uts 2400 "
        localedef -i it_IT -f UTF-8 it_IT.UTF-8
        install -d -o rebuilder -g rebuilder $second
        echo rebuilt.quintara.example >/proc/sys/kernel/hostname
        cd $second
        $(as rebuilder "umask 0002 && dpkg-source -x $first/$dsc &&
            cd quintara-$upstream && LC_ALL=it_IT.UTF-8 TZ=KIR-14 DEB_BUILD_OPTIONS=nocheck \
            faketime -f +398d dpkg-buildpackage -us -uc -b -j2")"
    for deb in "$root$first"/*.deb; do
        name=$(basename "$deb")
        if cmp -s "$deb" "$root$second/$name"; then
            ok "$name: the same $(stat -c %s "$deb") bytes from both builds"
        else
            fail "$name differs between the two builds; the files that differ:"
            diff <(dpkg-deb -I "$deb" md5sums) <(dpkg-deb -I "$root$second/$name" md5sums) >&2 ||
                true
        fi
    done
fi

# --- 6b. Where Qt WebEngine is not built ----------------------------------------------------------
if [ "$without_engine" = yes ]; then
    # As on an architecture without Qt WebEngine, where dh_listpackages leaves quintara-webengine
    # out: debian/rules then builds the program without the engine's module, and its tests pass.
    alone=/build/without-engine
    step "a build without the engine's module" "$logs/without-engine.log" --net 2400 "
        install -d -o builder -g builder $alone
        cd $alone
        $(as builder "dpkg-source -x $first/$dsc &&
            cd quintara-$upstream && DH_OPTIONS=-Nquintara-webengine \
            dpkg-buildpackage -us -uc -b -j2")"
    grep -E ' ([0-9]+% tests passed)' "$logs/without-engine.log" | cut -c7- | sed 's/^/   /'
    arch=$(dpkg --print-architecture)
    expect_equal "what a build without the engine makes" "$(cd "$root$alone" && echo ./*.deb)" \
        "./quintara-dbgsym_${version}_$arch.deb ./quintara_${version}_$arch.deb"
    engine_needs=$(dpkg-deb -f "$root$alone/quintara_${version}_$arch.deb" Depends |
        grep -oE 'libqt6(network|webengine)[a-z]*' || true)
    expect_equal "what of Qt Network and Qt WebEngine it depends on" "$engine_needs" ""
fi

# --- 7. The package's files ----------------------------------------------------------------------
mkdir "$scratch/debs"
cp "$root$first"/*.deb "$scratch/debs/"
deb="$scratch/debs/quintara_${version}_$(dpkg --print-architecture).deb"
# The engine's module, in a package of its own where Qt WebEngine is built.
debs=("$scratch"/debs/*.deb)
stage "the package's files"
bash "$here/../package/package_test.sh" --deb "$deb" --build-dir "$build_dir" \
    --source-dir "$source_dir" --package-version "$version" "${package_test_arguments[@]}" ||
    failures=$((failures + 1))

# --- 8. piuparts ---------------------------------------------------------------------------------
if [ "$piuparts" = yes ]; then
    # From a fresh plain root with this release's sources, kept as they are: the package installed
    # with what it depends on, removed, purged; piuparts fails on any file left behind that the
    # plain root did not have, on a process left running, on a broken link.
    new_root "$scratch/piuparts-base"
    stage "piuparts"
    started=$SECONDS
    ignored=()
    # Debian 13's debconf keeps a temporary folder of its own once any package is configured,
    # which Debian 12's piuparts does not know of (later ones ignore it themselves).
    [ "$suite" = bookworm ] || ignored+=(--ignore=/var/cache/debconf/tmp.ci/)
    if timeout 1800 piuparts --existing-chroot "$scratch/piuparts-base" --keep-sources-list \
        --distribution "$suite" --no-upgrade-test --warn-on-debsums-errors "${ignored[@]}" \
        --tmpdir "$scratch" "${debs[@]}" </dev/null >"$logs/piuparts.log" 2>&1; then
        ok "piuparts: $(grep -E 'PASS:' "$logs/piuparts.log" | head -n 1 | sed 's/^.*PASS: //')"
    else
        show_log piuparts "$logs/piuparts.log"
        fail "piuparts found the faults above"
    fi
    timed piuparts "$started"
fi

# --- 9. autopkgtest in a fresh plain root --------------------------------------------------------
new_root "$scratch/testbed"
mkdir -p "$root/build/debs"
# The tests as the source package holds them, unpacked as a sponsor's autopkgtest unpacks it.
dpkg-source -x "$source/$dsc" "$root/build/source" >/dev/null
cp "${debs[@]}" "$root/build/debs/"
# The program first, as a user installs it without its recommendations: apt then resolves its
# dependencies alone, as it does for them (autopkgtest installs it together with each test's
# dependencies); then what the engine's module would add to that, from the archive's data.
step "apt-get install ./$(basename "$deb")" "$logs/install.log" 900 "apt-get -q update
    apt-get -q -y -o Dpkg::Use-Pty=0 --no-install-recommends install /build/debs/$(basename "$deb")
    for module in /build/debs/quintara-webengine_*.deb; do
        [ -e \"\$module\" ] || continue
        echo 'The engine module on top:'
        apt-get -q -y -o Dpkg::Use-Pty=0 --no-install-recommends install \"\$module\"
        apt-get -q -y -o Dpkg::Use-Pty=0 purge --autoremove quintara-webengine
    done"
# After this operation, 514 MB of additional disk space will be used.
sizes=$(sed -n 's/.*After this operation, \(.*\) of additional disk space.*/\1/p' \
    "$logs/install.log")
ok "quintara alone: $(sed -n '/The engine module on top/q; / Unpacking /p' "$logs/install.log" |
    wc -l) packages installed, $(head -n 1 <<<"$sizes")"
# ... then what the module adds, and what its removal gives back (the same, or the root is not as
# it was for the tests).
[ "$(wc -l <<<"$sizes")" -lt 2 ] ||
    ok "quintara-webengine on top: $(sed -n '/The engine module on top/,$ { / Unpacking /p }' \
        "$logs/install.log" | wc -l) packages more, $(sed -n 2p <<<"$sizes") more;" \
        "removed, $(sed -n 's/.*After this operation, \(.*\) disk space will be freed.*/\1/p' \
            "$logs/install.log") freed"
# The tests without the engine's module come first: autopkgtest's null runner keeps what a test
# installed for the next.
step "autopkgtest" "$logs/autopkgtest.log" 1500 "
    apt-get -q -y -o Dpkg::Use-Pty=0 --no-install-recommends install autopkgtest
    autopkgtest --output-dir /build/autopkgtest /build/source /build/debs/*.deb -- null"
grep -E '^ *[0-9]+ (installed-[a-z-]+ +(PASS|FAIL|SKIP)|ok: |FAIL: |Ran |OK$)' \
    "$logs/autopkgtest.log" | cut -c7- | sed 's/^/   /'

stage "done"
finish
echo "the $suite source package passed in $SECONDS s"

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced, after checks.sh, by the tests that work in a plain Debian root of their own: the
# archive, the root made with mmdebstrap and kept in the build tree, the phases that work in it in
# namespaces of their own, and the copy of the checkout they work on.

# in_chroot: whether this shell runs inside a chroot, where roots of one's own are not made.
in_chroot() { ischroot 2>/dev/null; }

# archive_sources SUITE DIR: this machine's apt sources rewritten for SUITE, as files in DIR
# (none when this machine is no Debian: mmdebstrap then picks deb.debian.org). The same mirrors
# serve every release, so a local mirror or proxy this machine uses serves the root too; unstable
# has no -updates or -security suite, so it keeps the release's own alone. Leaves the files in
# `sources` and their "URI SUITE" lines in `mirrors`.
archive_sources() {
    local suite=$1 dir=$2 host file
    host=$(. /etc/os-release && [ "${ID:-}" = debian ] && echo "${VERSION_CODENAME:-}")
    sources=()
    mkdir -p "$dir"
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
        /etc/apt/sources.list.d/*.sources; do
        if [ -z "$host" ] || [ ! -f "$file" ] ||
            ! grep -qE "^[[:space:]]*(deb[[:space:]].*|Suites:.*)[[:space:]]$host([[:space:]-]|$)" \
                "$file"; then
            continue
        fi
        # The suite field of one-line entries (deb [options] URI SUITE ...) and of deb822 stanzas;
        # bookworm-updates becomes trixie-updates.
        awk -v host="$host" -v suite="$suite" '
            function swap(name) {
                if (name == host) return suite
                if (index(name, host "-") == 1 && suite != "unstable")
                    return suite substr(name, length(host) + 1)
                return ""
            }
            function flush() {
                if (stanza != "" && suites != "") printf "%s", stanza
                stanza = ""; suites = ""
            }
            # deb822 stanzas are held until their end, and dropped when no suite is left.
            /^[[:space:]]*$/ { flush(); print; next }
            /^[[:space:]]*Suites:/ {
                line = "Suites:"
                for (i = 2; i <= NF; i++)
                    if (swap($i) != "") { line = line " " swap($i); suites = 1 }
                stanza = stanza line "\n"; next }
            /^[[:space:]]*deb[[:space:]]/ {
                i = 2
                if ($2 ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
                if (swap($(i + 1)) != "") { $(i + 1) = swap($(i + 1)); print }
                next }
            { stanza = stanza $0 "\n" }
            END { flush() }' "$file" >"$dir/$(basename "$file")"
        sources+=("$dir/$(basename "$file")")
    done
    if [ ${#sources[@]} -gt 0 ]; then
        mirrors=$(awk -v suite="$suite" '
            /^[[:space:]]*deb[[:space:]]/ {
                i = 2
                if ($2 ~ /^\[/) { while (i < NF && $i !~ /\]$/) i++; i++ }
                print $i, $(i + 1); next }
            /^URIs:/ { uri = $2 }
            /^Suites:/ { suite_ = $2 }
            /^[[:space:]]*$/ { if (uri != "" && suite_ != "") print uri, suite_; uri = suite_ = "" }
            END { if (uri != "" && suite_ != "") print uri, suite_ }' "${sources[@]}" |
            grep -E "[[:space:]]$suite(-|$)" | sort -u)
    else
        mirrors="http://deb.debian.org/debian $suite"
    fi
}

# probe_archive SCRATCH WHY: fails, saying WHY the archive is needed, unless every mirror of
# `mirrors` answers.
probe_archive() {
    local scratch=$1 why=$2 uri dist
    while read -r uri dist; do
        if timeout 60 /usr/lib/apt/apt-helper download-file "${uri%/}/dists/$dist/InRelease" \
            "$scratch/InRelease" >"$scratch/probe.log" 2>&1; then
            ok "archive reached: ${uri%/}/dists/$dist"
        else
            show_log "apt-helper" "$scratch/probe.log"
            die "Debian's package archive cannot be reached at ${uri%/}/dists/$dist: $why"
        fi
        rm -f "$scratch/InRelease"
    done <<<"$mirrors"
}

# plain_root SUITE CACHE SCRATCH: a minimal SUITE root (mmdebstrap --variant=apt) from `sources`,
# made once and kept as CACHE/SUITE-apt.tar; it is made again when the sources change. Leaves
# the tarball's path in `tarball`. The archive this machine reaches may be a snapshot whose
# Release files are past their Valid-Until date (unstable's soon are): apt in the root is told
# not to mind, and the root keeps that setting.
plain_root() {
    local suite=$1 cache=$2 scratch=$3 made aptopt='Acquire::Check-Valid-Until "false"'
    tarball="$cache/$suite-apt.tar"
    mkdir -p "$cache"
    { echo "# --aptopt=$aptopt" && cat /dev/null "${sources[@]}"; } >"$scratch/$suite.sources"
    if [ -f "$tarball" ] && cmp -s "$scratch/$suite.sources" "$cache/$suite-apt.sources"; then
        stage "plain $suite root from the cache"
        return 0
    fi
    stage "plain root: mmdebstrap --variant=apt $suite"
    made=$SECONDS
    rm -f "$tarball"
    if timeout 900 mmdebstrap --variant=apt --aptopt="$aptopt" --format=tar "$suite" \
        "$tarball.partial" "${sources[@]}" </dev/null >"$scratch/mmdebstrap.log" 2>&1; then
        mv "$tarball.partial" "$tarball"
        cp "$scratch/$suite.sources" "$cache/$suite-apt.sources"
        ok "made $tarball in $((SECONDS - made)) s"
    else
        rm -f "$tarball.partial"
        show_log mmdebstrap "$scratch/mmdebstrap.log"
        die "mmdebstrap could not make a $suite root"
    fi
}

# run_phase NAME NAMESPACE_OPTIONS... -- ARGUMENTS...: the calling script's phase NAME (run as
# `$self --phase-NAME ARGUMENTS...`) in new mount and process namespaces, and those named (--net:
# loopback only), in the background so that a signal to the script is handled at once. Every
# process the phase started, and every mount it made, ends with it.
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

# stop_phase: ends the phase still running, if any (the script is ending).
stop_phase() {
    if [ -n "${phase_pid:-}" ]; then
        kill -TERM "$phase_pid" 2>/dev/null || true
        wait "$phase_pid" 2>/dev/null || true
    fi
}

# enter_root ROOT: inside a phase, /proc of its process namespace and /dev in the root, and the
# loopback up when the phase has a network of its own. The root is bound onto itself first, so
# that its / is a mount point as on a real system: a test that mounts a file system in a namespace
# of its own makes / private, which needs a mount there. /dev/shm (the web engine needs one) is
# the phase's own: names there are made from process ids, and those of two phases running at once
# start alike (faketime's semaphores met in one and the second build failed, "File exists").
enter_root() {
    mount --bind "$1" "$1"
    mount -t proc proc "$1/proc"
    mount --rbind /dev "$1/dev"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$1/dev/shm"
    ip link set lo up
}

# in_root ROOT SECONDS COMMAND...: a command inside the root, in a clean environment, as root.
in_root() {
    local root=$1 seconds=$2
    shift 2
    timeout -k 10 "$seconds" chroot "$root" /usr/bin/env -i \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        HOME=/root LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive QUINTARA_NO_FUSE_MOUNTS=1 "$@"
}

# checkout_archive SOURCE_DIR: the checkout's tracked files, as committed or as changed in the
# work tree, as a tar stream.
checkout_archive() {
    local revision
    revision=$(git -C "$1" stash create)
    git -C "$1" archive --format=tar "${revision:-HEAD}"
}

# remove_scratch SCRATCH: removes the scratch folder, unless something is still mounted there
# (then it is a failure) or QUINTARA_KEEP_SCRATCH=1 asks to keep it.
remove_scratch() {
    if [ "${QUINTARA_KEEP_SCRATCH:-0}" = 1 ]; then
        echo "scratch folder kept: $1"
    elif grep -qF " $1/" /proc/self/mountinfo; then
        echo "FAIL: something is still mounted under $1; it is left in place" >&2
        return 1
    else
        rm -rf --one-file-system -- "$1"
    fi
}

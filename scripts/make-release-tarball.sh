#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Makes the release tarball of this checkout, quintara-VERSION.tar.xz (VERSION as project() in
# CMakeLists.txt says), from its files as committed, without debian/: Debian's packaging is put
# beside it, not shipped in it. A checkout with changes not committed, or files git neither tracks
# nor ignores, is refused: the tarball is what a commit holds, nothing else. A release is this
# tarball made at a signed tag (docs/packaging.md).
#
# The same files give the same bytes, whoever makes it and whenever: every entry dated from the
# commit checked out, owned by 0:0 without names, in name order, with modes 0644 or 0755, and
# xz run single-threaded.
#
# Usage: scripts/make-release-tarball.sh [OUTPUT_DIR]   (default: the current folder)
set -euo pipefail

checkout=$(cd "$(dirname "$0")/.." && pwd)
output=$(realpath "${1:-.}")
[ -d "$output" ] || {
    echo "no folder $output" >&2
    exit 2
}
for tool in git tar xz; do
    command -v "$tool" >/dev/null || {
        echo "$tool not found" >&2
        exit 1
    }
done

version=$(sed -n '/^project(Quintara/,/)/ s/^ *VERSION \([0-9.]*\)$/\1/p' \
    "$checkout/CMakeLists.txt")
[ -n "$version" ] || {
    echo "no VERSION in the project() call of $checkout/CMakeLists.txt" >&2
    exit 1
}
name="quintara-$version"

changes=$(git -C "$checkout" status --porcelain=v1 --untracked-files=normal)
if [ -n "$changes" ]; then
    echo "$checkout has changes not committed; commit or remove them first:" >&2
    echo "$changes" >&2
    exit 1
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quintara-release.XXXXXX")
trap 'rm -rf -- "$scratch"' EXIT

git -C "$checkout" archive --format=tar --prefix="$name/" HEAD | tar -C "$scratch" -xf -
rm -rf -- "${scratch:?}/$name/debian"

epoch=$(git -C "$checkout" log -1 --format=%ct HEAD)
tar -C "$scratch" --sort=name --format=gnu --mtime="@$epoch" --owner=0 --group=0 \
    --numeric-owner --mode='u=rwX,go=rX' -cf - "$name" |
    xz -6 -T1 -c >"$scratch/$name.tar.xz"
mv "$scratch/$name.tar.xz" "$output/$name.tar.xz"
echo "$output/$name.tar.xz"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the Debian package made by dpkg-buildpackage holds: control fields, the exact file list, its
# time stamps, the icons, the desktop entry, the AppStream metadata, the program's release notes
# and Debian's changelog; and what a plain `cmake --install` of a built tree installs. Lintian and
# the installed program are checked where the package is built (tests/source_package).
#
# Usage: package_test.sh --deb PACKAGE --build-dir DIR --source-dir DIR --app-id ID
#            --package-version VERSION --upstream-version VERSION --release-version VERSION
#            [--cmake CMAKE] [--webengine yes|no]
# (the package's version, 2.1.0.2-1; the program's, 2.1.0.2; and the program's as shown, 2.1.2)
#
# Needs no root, display or network. The scratch folder is removed at the end
# (QUINTARA_KEEP_SCRATCH=1 keeps it).
set -euo pipefail

deb=
build_dir=
source_dir=
app_id=
package_version=
upstream_version=
release_version=
cmake=cmake
webengine=yes

usage() {
    echo "usage: $0 --deb PACKAGE --build-dir DIR --source-dir DIR --app-id ID" \
        "--package-version VERSION --upstream-version VERSION --release-version VERSION" \
        "[--cmake CMAKE] [--webengine yes|no]" >&2
    exit 2
}

while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
        --deb) deb=$2 ;;
        --build-dir) build_dir=$2 ;;
        --source-dir) source_dir=$2 ;;
        --app-id) app_id=$2 ;;
        --package-version) package_version=$2 ;;
        --upstream-version) upstream_version=$2 ;;
        --release-version) release_version=$2 ;;
        --cmake) cmake=$2 ;;
        --webengine) webengine=$2 ;;
        *) usage ;;
    esac
    shift 2
done
if [ -z "$deb" ] || [ -z "$build_dir" ] || [ -z "$source_dir" ] || [ -z "$app_id" ] ||
    [ -z "$package_version" ] || [ -z "$upstream_version" ] || [ -z "$release_version" ]; then
    usage
fi

# shellcheck source=tests/support/checks.sh
source "$(dirname "$0")/../support/checks.sh"

# notes_beyond_release FILE: the tagged lines (E:, W:, I:, P: ...) of appstreamcli's report,
# except the infos of AppStream 1.0 and later asking for <developer> in place of
# <developer_name>, which AppStream 0.16 (Debian 12) does not know: the metadata is written for
# the software centres of both releases.
notes_beyond_release() {
    grep -E '^[[:space:]]*[A-Z]: ' "$1" |
        grep -vE '^[[:space:]]*I: .*: (developer-name-tag-deprecated|developer-info-missing)' ||
        true
}

for tool in "$cmake" dpkg dpkg-deb dpkg-parsechangelog desktop-file-validate appstreamcli od \
    timeout; do
    command -v "$tool" >/dev/null ||
        die "$tool not found (scripts/setup.sh installs what the tests need)"
done
[ -f "$build_dir/cmake_install.cmake" ] || die "$build_dir is not a configured build tree"
[ -f "$deb" ] || die "no package $deb"

# --- Scratch folder, cleaned up on every exit ----------------------------------------------------
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quintara-package.XXXXXX")

cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    if [ "${QUINTARA_KEEP_SCRATCH:-0}" = 1 ]; then
        echo "scratch folder kept: $scratch"
    else
        rm -rf -- "$scratch"
    fi
    exit "$status"
}
on_exit cleanup

# The files every installation gets, below the installation prefix.
shared_files=(
    "share/applications/$app_id.desktop"
    "share/icons/hicolor/128x128/apps/$app_id.png"
    "share/icons/hicolor/16x16/apps/$app_id.png"
    "share/icons/hicolor/256x256/apps/$app_id.png"
    "share/icons/hicolor/32x32/apps/$app_id.png"
    "share/icons/hicolor/48x48/apps/$app_id.png"
    "share/icons/hicolor/64x64/apps/$app_id.png"
    "share/icons/hicolor/scalable/apps/$app_id.svg"
    "share/man/man6/quintara.6.gz"
    "share/metainfo/$app_id.metainfo.xml"
)
# The browser engine's module, which the program loads only when the maker's page arrives: in a
# plain install beside the program, in Debian in a package of its own.
module="lib/quintara/modules/libquintara_web_engine.so"
# A plain install puts the program in bin/; the Debian package puts it in games/, as Debian's
# games are, and adds what Debian asks of every package.
install_files=("bin/quintara" "${shared_files[@]}")
[ "$webengine" = yes ] && install_files+=("$module")
package_files=(
    "games/quintara"
    "${shared_files[@]}"
    "share/doc/quintara/README.Debian"
    "share/doc/quintara/changelog.Debian.gz"
    "share/doc/quintara/changelog.gz"
    "share/doc/quintara/copyright"
    "share/lintian/overrides/quintara"
)
module_package_files=(
    "$module"
    "share/doc/quintara-webengine/changelog.Debian.gz"
    "share/doc/quintara-webengine/changelog.gz"
    "share/doc/quintara-webengine/copyright"
)

# expect_file_list WHAT ACTUAL_LIST_FILE PREFIX EXPECTED...: the sorted list must be exactly the
# expected one.
expect_file_list() {
    local what=$1 actual=$2 prefix=$3
    shift 3
    local expected="$scratch/expected-files"
    printf "$prefix%s\n" "$@" | LC_ALL=C sort >"$expected"
    if LC_ALL=C sort "$actual" | diff -u "$expected" - >"$scratch/file-list.diff"; then
        ok "$what holds exactly the $# expected files"
    else
        fail "$what does not hold exactly the expected files (- missing, + unexpected):"
        tail -n +3 "$scratch/file-list.diff" | grep '^[-+]' >&2 || true
    fi
}

# --- 1. Plain install: every install rule of the build, not only the packaged component ----------
stage "cmake --install"
prefix="$scratch/prefix"
timeout 120 "$cmake" --install "$build_dir" --prefix "$prefix" \
    </dev/null >"$scratch/install.log" 2>&1 ||
    {
        show_log "cmake --install" "$scratch/install.log"
        die "cmake --install failed"
    }
(cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' >"$scratch/installed-files"
expect_file_list "cmake --install" "$scratch/installed-files" "" "${install_files[@]}"

# --- 2. The package ------------------------------------------------------------------------------
stage "the packages' fields and files"
arch=$(dpkg --print-architecture)
module_deb="$(dirname "$deb")/quintara-webengine_${package_version}_${arch}.deb"
expect_equal "package file" "$(basename "$deb")" "quintara_${package_version}_${arch}.deb"
if [ "$webengine" = yes ]; then
    [ -f "$module_deb" ] || die "no package $module_deb beside $deb"
elif [ -e "$module_deb" ]; then
    fail "a build without the web engine made $(basename "$module_deb")"
fi

# relation_named WHAT FIELD RELATION: the field names the relation, with or without a version.
# Debian 13 renamed some libraries for its 64-bit time (libqt6core6t64): the same library here.
relation_named() {
    local field
    field=$(sed -E 's/([a-z0-9.+-]+)t64( |,|$)/\1\2/g' <<<"$2")
    [[ ", $field," == *", $3 "[\(,]* || ", $field," == *", $3,"* ]]
}
expect_relation() {
    if relation_named "$@"; then ok "$1 names $3"; else fail "$1 does not name $3: '$2'"; fi
}

field() { dpkg-deb -f "$deb" "$1"; }
expect_equal "Package" "$(field Package)" quintara
expect_equal "Version" "$(field Version)" "$package_version"
expect_equal "Architecture" "$(field Architecture)" "$arch"
expect_equal "Section" "$(field Section)" games
# The libraries the program links come from dpkg-shlibdeps (libqt6gui6 brings Qt's X11 platform
# plugin); the fonts the windows are laid out for, and fontconfig that finds them, are named, and
# so is Debian's default sans, which message boxes and Qt's dialogs take. Qt's translations and
# the engine's module are recommended: the program does without either.
for relation in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 \
    "fonts-liberation | fonts-croscore" fonts-comic-neue fontconfig fonts-dejavu-core; do
    expect_relation "quintara's Depends" "$(field Depends)" "$relation"
done
for relation in qt6-translations-l10n quintara-webengine; do
    expect_relation "quintara's Recommends" "$(field Recommends)" "$relation"
done
engine_relations=$(dpkg-deb -f "$deb" Depends Pre-Depends | grep -oE 'libqt6webengine[a-z]*' || true)
expect_equal "what of Qt WebEngine quintara depends on" "$engine_relations" ""

# expect_package_files WHAT DEB EXPECTED...: the package's files, each dated from Debian's
# changelog (SOURCE_DATE_EPOCH), whenever the package was built.
changelog_date=$(date -u -d "$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Date)" \
    "+%Y-%m-%d %H:%M")
expect_package_files() {
    local what=$1 package=$2
    shift 2
    TZ=UTC dpkg-deb -c "$package" >"$scratch/contents"
    # Lines: mode owner/group size date time ./path
    awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' "$scratch/contents" \
        >"$scratch/package-files"
    expect_file_list "$what" "$scratch/package-files" "usr/" "$@"
    local other_dates
    other_dates=$(awk -v date="$changelog_date" '$4 " " $5 != date' "$scratch/contents")
    if [ -z "$other_dates" ]; then
        ok "$what: every entry dated $changelog_date UTC, from the changelog"
    else
        fail "$what: entries not dated $changelog_date UTC, the changelog's date:"
        echo "$other_dates" >&2
    fi
}
expect_package_files "quintara" "$deb" "${package_files[@]}"

if [ "$webengine" = yes ]; then
    module_field() { dpkg-deb -f "$module_deb" "$1"; }
    expect_equal "Package" "$(module_field Package)" quintara-webengine
    expect_equal "Version" "$(module_field Version)" "$package_version"
    expect_equal "Section" "$(module_field Section)" games
    for relation in "quintara (= $package_version)" libqt6webenginecore6 libqt6webenginewidgets6; do
        expect_relation "quintara-webengine's Depends" "$(module_field Depends)" "$relation"
    done
    expect_package_files "quintara-webengine" "$module_deb" "${module_package_files[@]}"
fi

# --- 3. What the package installs ----------------------------------------------------------------
stage "unpacked package"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
# Each icon must be a PNG of the size its folder names.
for size in 16 32 48 64 128 256; do
    icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
    [ -f "$icon" ] || continue # already reported with the file list
    read -r -a bytes <<<"$(od -An -v -tu1 -N24 "$icon" | tr -s ' \n' ' ')"
    if [ "${#bytes[@]}" -ne 24 ] || [ "${bytes[*]:0:8}" != "137 80 78 71 13 10 26 10" ]; then
        fail "icon ${size}x${size} is not a PNG file"
        continue
    fi
    width=$(((bytes[16] << 24) | (bytes[17] << 16) | (bytes[18] << 8) | bytes[19]))
    height=$(((bytes[20] << 24) | (bytes[21] << 16) | (bytes[22] << 8) | bytes[23]))
    expect_equal "icon ${size}x${size} size" "${width}x${height}" "${size}x${size}"
done

desktop="$root/usr/share/applications/$app_id.desktop"
[ -f "$desktop" ] || die "no desktop entry $app_id.desktop"
if validation=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$validation" ]; then
    ok "desktop-file-validate: no errors, warnings or hints"
else
    fail "desktop-file-validate:"
    echo "$validation" >&2
fi
desktop_key() { sed -n "/^\[Desktop Entry\]/,/^\[/ s/^$1=//p" "$desktop" | head -n 1; }
expect_equal "desktop entry Name" "$(desktop_key Name)" Quintara
expect_equal "desktop entry Icon" "$(desktop_key Icon)" "$app_id"
expect_equal "desktop entry Exec" "$(desktop_key Exec)" "quintara --config-folder"
expect_equal "desktop entry's offline action" \
    "$(sed -n '/^\[Desktop Action offline\]/,/^\[/ s/^Exec=//p' "$desktop")" \
    "quintara --config-folder --offline"
expect_equal "desktop entry Terminal" "$(desktop_key Terminal)" false
categories=$(desktop_key Categories)
if [[ ";$categories" == *";Game;"* ]]; then
    ok "desktop entry Categories: $categories"
else
    fail "desktop entry Categories '$categories' lacks Game"
fi
if [ -n "$(desktop_key 'GenericName\[it\]')" ] && [ -n "$(desktop_key 'Comment\[it\]')" ] &&
    [ -n "$(desktop_key 'Keywords\[it\]')" ]; then
    ok "desktop entry has Italian texts"
else
    fail "desktop entry lacks Italian GenericName, Comment or Keywords"
fi

metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
[ -f "$metainfo" ] || die "no AppStream metadata $app_id.metainfo.xml"
# The metadata alone, then with the desktop entry and icons, as a software centre reads them.
for check in "validate $metainfo" "validate-tree $root"; do
    read -r -a command <<<"$check"
    report="$scratch/appstream-${command[0]}.log"
    if appstreamcli "${command[0]}" --pedantic --no-net --no-color "${command[1]}" \
        >"$report" 2>&1 && notes=$(notes_beyond_release "$report") && [ -z "$notes" ]; then
        ok "appstreamcli ${command[0]} --pedantic: $(tail -n 1 "$report")"
    else
        fail "appstreamcli ${command[0]} --pedantic:"
        cat "$report" >&2
    fi
done
expect_tag() {
    if grep -qF -- "$2" "$metainfo"; then
        ok "metainfo $1: $2"
    else
        fail "metainfo lacks $1 $2"
    fi
}
expect_tag id "<id>$app_id</id>"
expect_tag launchable "<launchable type=\"desktop-id\">$app_id.desktop</launchable>"
expect_tag binary "<binary>quintara</binary>"
expect_tag "Italian summary" '<summary xml:lang="it">'
expect_tag "Italian description" '<p xml:lang="it">'

# The package's version is Debian's changelog's; the release's version, date and notes are the
# program's news, NEWS, which the package carries as its upstream changelog and from which the
# metadata's release and the manual page's date are made.
changelog="$scratch/changelog"
gzip -dc "$root/usr/share/doc/quintara/changelog.Debian.gz" >"$changelog" ||
    die "usr/share/doc/quintara/changelog.Debian.gz is not a gzip file"
expect_equal "Debian changelog version" "$(dpkg-parsechangelog -l "$changelog" -S Version)" \
    "$package_version"
debian_upstream=${package_version#*:}
expect_equal "the upstream part of the package's version" "${debian_upstream%-*}" \
    "$upstream_version"
if gzip -dc "$root/usr/share/doc/quintara/changelog.gz" | cmp -s - "$source_dir/NEWS"; then
    ok "usr/share/doc/quintara/changelog.gz is NEWS"
else
    fail "usr/share/doc/quintara/changelog.gz is not the program's NEWS"
fi
# Quintara 2.1.0.2 (2026-12-07)
read -r _ news_version news_date <<<"$(head -n 1 "$source_dir/NEWS")"
expect_equal "the latest release in NEWS" "$news_version" "$upstream_version"
release_date=${news_date//[()]/}
expect_tag release "<release version=\"$release_version\" date=\"$release_date\">"
if gzip -dc "$root/usr/share/man/man6/quintara.6.gz" |
    grep -qF ".TH QUINTARA 6 \"$release_date\" \"Quintara $release_version\""; then
    ok "manual page dated $release_date, version $release_version"
else
    fail "the manual page's .TH line lacks the date $release_date and version $release_version"
fi

copyright="$root/usr/share/doc/quintara/copyright"
if [ "$(head -n 1 "$copyright")" = \
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] &&
    grep -qx "Copyright: 2026 gli autori di Quintara" "$copyright" &&
    grep -qx "License: GPL-3.0-or-later" "$copyright"; then
    ok "copyright file in the machine-readable format: GPL-3.0-or-later, gli autori di Quintara"
else
    fail "usr/share/doc/quintara/copyright is not the machine-readable GPL-3.0-or-later notice"
fi

stage "done"
finish
echo "all package checks passed in $SECONDS s"

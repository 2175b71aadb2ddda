#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package from a configured and built tree, unpacks it into a scratch root and
# checks it: control fields, the exact file list and modes, the icons, the desktop entry, the
# AppStream metadata, the changelog, lintian's verdict, and the source tree's licensing with
# `reuse lint`. Then starts the unpacked program on a virtual screen of its own (xvfb-run) until
# its information window (492 x 548) is on the screen, and stops it.
#
# Usage: package_test.sh --build-dir DIR --source-dir DIR --app-id ID --package-version VERSION
#            --release-version VERSION [--cmake CMAKE] [--cpack CPACK] [--webengine yes|no]
#
# Needs no display and no input. Every process it starts runs under `timeout` in a process group
# of its own and is stopped when the script ends, whichever way it ends; the scratch folder is
# removed. Set QUINTARA_KEEP_SCRATCH=1 to keep the scratch folder for a look afterwards.
set -euo pipefail

build_dir=
source_dir=
app_id=
package_version=
release_version=
cmake=cmake
cpack=cpack
webengine=yes

usage() {
    echo "usage: $0 --build-dir DIR --source-dir DIR --app-id ID --package-version VERSION" \
        "--release-version VERSION [--cmake CMAKE] [--cpack CPACK] [--webengine yes|no]" >&2
    exit 2
}

while [ $# -gt 0 ]; do
    [ $# -ge 2 ] || usage
    case $1 in
        --build-dir) build_dir=$2 ;;
        --source-dir) source_dir=$2 ;;
        --app-id) app_id=$2 ;;
        --package-version) package_version=$2 ;;
        --release-version) release_version=$2 ;;
        --cmake) cmake=$2 ;;
        --cpack) cpack=$2 ;;
        --webengine) webengine=$2 ;;
        *) usage ;;
    esac
    shift 2
done
if [ -z "$build_dir" ] || [ -z "$source_dir" ] || [ -z "$app_id" ] || [ -z "$package_version" ] ||
    [ -z "$release_version" ]; then
    usage
fi

# shellcheck source=tests/support/checks.sh
source "$(dirname "$0")/../support/checks.sh"

# notes_beyond_reserved_host FILE: the tagged lines (E:, W:, I:, P: ...) of a checker's report,
# except infos and pedantic notes about the reserved name the maker's site has (quintara.example,
# and the application id example.quintara.quintara made from it), which only a real domain can
# silence.
notes_beyond_reserved_host() {
    grep -E '^[[:space:]]*[A-Z]: ' "$1" |
        grep -vE '^[[:space:]]*[IP]: .*(quintara\.example|example\.quintara)' || true
}

for tool in "$cmake" "$cpack" dpkg dpkg-deb dpkg-shlibdeps dpkg-parsechangelog \
    desktop-file-validate appstreamcli lintian reuse xvfb-run xauth xwininfo xprop readelf od timeout; do
    command -v "$tool" >/dev/null ||
        die "$tool not found (scripts/setup.sh installs what the tests need)"
done
[ -f "$build_dir/CPackConfig.cmake" ] || die "$build_dir is not a configured build tree"

# --- Scratch folder and the processes started; both cleaned up on every exit ---------------------
scratch=$(mktemp -d "${TMPDIR:-/tmp}/quintara-package.XXXXXX")
program_pid=

cleanup() {
    local status=$?
    trap - EXIT INT TERM HUP
    stop_group "$program_pid"
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
    "share/icons/hicolor/16x16/apps/$app_id.png"
    "share/icons/hicolor/256x256/apps/$app_id.png"
    "share/icons/hicolor/32x32/apps/$app_id.png"
    "share/icons/hicolor/48x48/apps/$app_id.png"
    "share/man/man6/quintara.6.gz"
    "share/metainfo/$app_id.metainfo.xml"
)
# The browser engine's module, which the program loads only when the maker's page arrives.
[ "$webengine" = yes ] && shared_files+=("lib/quintara/modules/libquintara_web_engine.so")
# A plain install puts the program in bin/; the Debian package puts it in games/, as Debian's
# games are, and adds what Debian asks of every package.
install_files=("bin/quintara" "${shared_files[@]}")
package_files=(
    "games/quintara"
    "${shared_files[@]}"
    "share/doc/quintara/changelog.gz"
    "share/doc/quintara/copyright"
    "share/lintian/overrides/quintara"
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
stage "cpack -G DEB"
build_package "$cpack" "$build_dir" "$scratch/out"
arch=$(dpkg --print-architecture)
expect_equal "package file" "$(basename "$deb")" "quintara_${package_version}_${arch}.deb"

field() { dpkg-deb -f "$deb" "$1"; }
expect_equal "Package" "$(field Package)" quintara
expect_equal "Version" "$(field Version)" "$package_version"
expect_equal "Architecture" "$(field Architecture)" "$arch"
expect_equal "Section" "$(field Section)" games
maintainer=$(field Maintainer)
if [[ $maintainer =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]]; then
    ok "Maintainer: $maintainer"
else
    fail "Maintainer '$maintainer' is not 'Name <address>'"
fi
description=$(field Description)
if [ "$(printf '%s\n' "$description" | wc -l)" -lt 2 ]; then
    fail "Description lacks a long description: '$description'"
elif long_lines=$(printf '%s\n' "$description" | awk 'length($0) > 80') &&
    [ -n "$long_lines" ]; then
    fail "Description has lines over 80 characters:"
    echo "$long_lines" >&2
else
    ok "Description has a synopsis and a long description, lines under 80 characters"
fi
# The libraries the program links come from dpkg-shlibdeps (libqt6gui6 brings Qt's X11 platform
# plugin); the fonts the windows are laid out for, and fontconfig that finds them, are named.
# Debian 13 renamed some of them for its 64-bit time (libqt6core6t64): the same library here.
depends=$(field Depends | sed -E 's/([a-z0-9.+-]+)t64( |,|$)/\1\2/g')
needed=(libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6
    "fonts-liberation | fonts-liberation2 | fonts-croscore" fonts-comic-neue fontconfig)
[ "$webengine" = yes ] && needed+=(libqt6webenginewidgets6)
for relation in "${needed[@]}"; do
    if [[ ", $depends," == *", $relation "[\(,]* || ", $depends," == *", $relation,"* ]]; then
        ok "Depends names $relation"
    else
        fail "Depends does not name $relation: '$depends'"
    fi
done
expect_equal "Recommends" "$(field Recommends)" qt6-translations-l10n

dpkg-deb -c "$deb" >"$scratch/contents"
# Lines: mode owner/group size date time ./path
awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' "$scratch/contents" >"$scratch/package-files"
expect_file_list "the package" "$scratch/package-files" "usr/" "${package_files[@]}"
bad_modes=$(awk -v program="./usr/games/quintara" '
    $2 != "root/root" { print; next }
    $1 ~ /^d/ { if ($1 != "drwxr-xr-x") print; next }
    $6 == program { if ($1 != "-rwxr-xr-x") print; next }
    $1 != "-rw-r--r--" { print }' "$scratch/contents")
if [ -z "$bad_modes" ]; then
    ok "owners root/root, modes 0755 for folders and the program, 0644 for the rest"
else
    fail "entries with the wrong owner or mode:"
    echo "$bad_modes" >&2
fi

# --- 3. What the package installs ----------------------------------------------------------------
stage "unpacked package"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
program="$root/usr/games/quintara"

if [ -x "$program" ] && readelf -h "$program" >/dev/null 2>&1; then
    ok "usr/games/quintara is an executable ELF file"
else
    die "usr/games/quintara is missing or not an ELF executable"
fi
runpath=$(readelf -d "$program" | grep -E '\((RUNPATH|RPATH)\)' || true)
if [ -z "$runpath" ]; then
    ok "the program has no RPATH or RUNPATH"
else
    fail "the program keeps a library path from the build: $runpath"
fi
if readelf -S -W "$program" | grep -qE ' \.(symtab|debug_info) '; then
    fail "the program in the package is not stripped"
else
    ok "the program is stripped"
fi

# Each icon must be a PNG of the size its folder names.
for size in 16 32 48 256; do
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
expect_equal "desktop entry Exec" "$(desktop_key Exec)" quintara
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
wm_class=$(desktop_key StartupWMClass)

metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
[ -f "$metainfo" ] || die "no AppStream metadata $app_id.metainfo.xml"
# The metadata alone, then with the desktop entry and icons, as a software centre reads them.
for check in "validate $metainfo" "validate-tree $root"; do
    read -r -a command <<<"$check"
    report="$scratch/appstream-${command[0]}.log"
    if appstreamcli "${command[0]}" --pedantic --no-net --no-color "${command[1]}" \
        >"$report" 2>&1 && notes=$(notes_beyond_reserved_host "$report") && [ -z "$notes" ]; then
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

# The changelog is the one place the release's version and date are written; the metadata's
# release and the manual page's date come from it.
changelog="$scratch/changelog"
gzip -dc "$root/usr/share/doc/quintara/changelog.gz" >"$changelog" ||
    die "usr/share/doc/quintara/changelog.gz is not a gzip file"
expect_equal "changelog version" "$(dpkg-parsechangelog -l "$changelog" -S Version)" \
    "$package_version"
# Date: Mon, 07 Dec 2026 12:00:00 +0100
read -r _ day month year _ <<<"$(dpkg-parsechangelog -l "$changelog" -S Date)"
release_date=$(date -d "$day $month $year" +%F)
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

# --- 4. Lintian on the package, reuse on the sources ----------------------------------------------
stage "lintian and reuse"
# Lintian says it would rather not run as root; that line goes to its error output.
if timeout 300 lintian --pedantic --display-info --display-experimental --fail-on none "$deb" \
    >"$scratch/lintian.log" 2>"$scratch/lintian.err" &&
    notes=$(notes_beyond_reserved_host "$scratch/lintian.log") && [ -z "$notes" ]; then
    ok "lintian --pedantic: no error or warning, no note beyond the reserved host"
else
    fail "lintian --pedantic:"
    cat "$scratch/lintian.log" "$scratch/lintian.err" >&2
fi
if (cd "$source_dir" && timeout 120 reuse lint) >"$scratch/reuse.log" 2>&1; then
    ok "reuse lint: every file of the sources states its copyright and licence"
else
    fail "reuse lint:"
    cat "$scratch/reuse.log" >&2
fi

# --- 5. The unpacked program starts and shows its information window ----------------------------
stage "start on a virtual screen"
home="$scratch/home"
runtime="$scratch/runtime"
work="$scratch/work"
mkdir -p "$home" "$runtime" "$work"
chmod 700 "$runtime"
# A clean environment: no desktop session, no session bus (a bus address that leads nowhere, so
# that nothing autolaunches one), settings written only under the scratch folder. The screen ends
# with the program; the shell in between tells which display it got, and its X authority is kept
# in the scratch folder for the checks below.
display_file="$scratch/display"
: >"$display_file"
# shellcheck disable=SC2016 # expanded by the shell in between
(
    cd "$work"
    exec timeout -k 5 150 env -i \
        PATH=/usr/bin:/bin \
        HOME="$home" \
        XDG_RUNTIME_DIR="$runtime" \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$scratch/no-session-bus" \
        LANG=C.UTF-8 \
        QT_QPA_PLATFORM=xcb \
        QTWEBENGINE_DISABLE_SANDBOX=1 \
        "$source_dir/scripts/lib/on-virtual-screen.sh" -f "$scratch/xauthority" \
        -e "$scratch/xvfb.log" sh -c 'echo "$DISPLAY" >"$0" && exec "$@"' "$display_file" \
        "$program"
) </dev/null >"$scratch/quintara.log" 2>&1 &
program_pid=$!
deadline=$((SECONDS + 30))
until display=$(grep -x ':[0-9][0-9]*' "$display_file"); do
    if ! kill -0 "$program_pid" 2>/dev/null || [ $SECONDS -ge $deadline ]; then
        show_log xvfb-run "$scratch/quintara.log"
        show_log Xvfb "$scratch/xvfb.log"
        die "the virtual screen did not start within 30 s"
    fi
    sleep 0.1
done
x() { DISPLAY=$display XAUTHORITY="$scratch/xauthority" timeout 10 "$@"; }
x xwininfo -root >/dev/null 2>&1 || die "the virtual screen $display does not answer"
ok "virtual screen $display"

window=
deadline=$((SECONDS + 90))
while [ -z "$window" ]; do
    if ! kill -0 "$program_pid" 2>/dev/null; then
        status=0
        wait "$program_pid" || status=$?
        program_pid=
        show_log quintara "$scratch/quintara.log"
        die "the program ended (exit status $status) before its information window showed"
    fi
    # Lines: id "name": ("instance" "class")  WIDTHxHEIGHT+X+Y  +X+Y
    for id in $(x xwininfo -root -tree 2>/dev/null | awk '/ 492x548\+/ { print $1 }'); do
        if x xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'; then
            window=$id
            break
        fi
    done
    if [ -z "$window" ]; then
        if [ $SECONDS -ge $deadline ]; then
            x xwininfo -root -tree >&2 2>&1 || true
            show_log quintara "$scratch/quintara.log"
            die "no 492x548 window on the screen within 90 s"
        fi
        sleep 0.2
    fi
done
ok "information window $window (492x548) is on the screen after $SECONDS s"

# The desktop matches the window to its entry by the window's class.
# WM_CLASS(STRING) = "instance", "class"
class=$(x xprop -id "$window" WM_CLASS 2>/dev/null |
    sed -n 's/^WM_CLASS([A-Z_]*) = "[^"]*", "\([^"]*\)"$/\1/p')
expect_equal "window class (desktop entry StartupWMClass)" "$class" "$wm_class"

stop_group "$program_pid"
program_pid=

stage "done"
finish
echo "all package checks passed in $SECONDS s"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The window-free suite under AddressSanitizer and UndefinedBehaviorSanitizer, and bounded
# fuzzing runs of the settings reader and of the reader of the site's answers.
#
# Builds the asan and fuzz presets (build/asan, build/fuzz), runs the core tests under the
# sanitizers, runs the settings fuzzer once over every file in fuzz/regressions, then fuzzes each
# reader for QUINTARA_FUZZ_SECONDS seconds (60 by default) from a temporary copy of its corpus
# (fuzz/corpus, fuzz/answers), so the repository is never modified. Any crash, sanitizer report,
# leak, time-out or memory blow-up fails the script; the input that caused it is kept in
# build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs="$(nproc)"
fuzz_seconds="${QUINTARA_FUZZ_SECONDS:-60}"

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan
cmake --build --preset asan -j "$jobs"
# scripts/test.sh reads the skips from the results, when it names a file for them.
results=()
if [ -n "${QUINTARA_TEST_RESULTS:-}" ]; then
    results=(--output-junit "$QUINTARA_TEST_RESULTS" --test-output-size-passed 100000000)
fi
ctest --preset asan -j "$jobs" "${results[@]}"

echo "== fuzzers"
cmake --preset fuzz
cmake --build --preset fuzz -j "$jobs"

artifacts="$(pwd)/build/fuzz/artifacts"
rm -rf "$artifacts"
mkdir -p "$artifacts"
work="$(mktemp -d "${TMPDIR:-/tmp}/quintara-fuzz.XXXXXX")"
trap 'rm -rf "$work"' EXIT

# Ten seconds for one input, 64 MiB in one allocation or 1 GiB in all (AddressSanitizer's
# quarantine included) mean a blow-up.
common=(
    -timeout=10
    -malloc_limit_mb=64
    -rss_limit_mb=1024
)
# A settings file is read in milliseconds within a few hundred KiB; inputs go up to 140,000
# bytes, past two fields at the 64 KiB limit.
settings=("${common[@]}" -max_len=140000 -dict=fuzz/settings_file.dict)
# An answer's bounds that matter are its lines (256) and its chunk lines (4 KiB).
answers=("${common[@]}" -max_len=16384 -dict=fuzz/answers.dict)

fail() {
    echo "hardening: $1; the input is in $artifacts:" >&2
    ls -lR "$artifacts" >&2
    exit 1
}

echo "-- every file in fuzz/regressions once"
if ! build/fuzz/bin/quintara_settings_fuzzer "${settings[@]}" -artifact_prefix="$artifacts/" \
    fuzz/regressions/* </dev/null \
    >"$work/regressions.log" 2>&1; then
    cat "$work/regressions.log" >&2
    broken="$(grep '^Running: ' "$work/regressions.log" | tail -n 1 | cut -d ' ' -f 2-)"
    echo "hardening: the settings reader fails on $broken" >&2
    exit 1
fi
grep -c '^Executed ' "$work/regressions.log" | sed 's/^/   files read: /'

# fuzz NAME FUZZER CORPUS OPTIONS...: fuzzes for the set time from a copy of CORPUS, keeping what
# it finds in an artifacts folder of its own: the two fuzzers run side by side, one a core.
fuzz() {
    local name="$1" fuzzer="$2" corpus="$3" found="$artifacts/${1// /-}"
    shift 3
    mkdir "$work/$name" "$found"
    cp "$corpus"/* "$work/$name/"
    if ! "$fuzzer" "$@" -artifact_prefix="$found/" -use_value_profile=1 \
        -max_total_time="$fuzz_seconds" -print_final_stats=1 "$work/$name" </dev/null \
        >"$work/$name.log" 2>&1; then
        echo "the fuzzer found a fault in the $name"
    elif [ -n "$(ls -A "$found")" ]; then
        echo "the fuzzer left a crash, leak or time-out behind in the $name"
    fi >"$work/$name.fault"
}

# shown NAME: what the fuzzing of NAME ended with; fails the script on a fault it found.
shown() {
    local name="$1"
    if [ -s "$work/$name.fault" ]; then
        tail -n 60 "$work/$name.log" >&2
        fail "$(cat "$work/$name.fault")"
    fi
    echo "-- the $name, fuzzed for ${fuzz_seconds} s"
    grep -E '^#[0-9]+[[:space:]]+DONE|^stat::' "$work/$name.log" | sed 's/^/   /'
}

fuzz "settings reader" build/fuzz/bin/quintara_settings_fuzzer fuzz/corpus "${settings[@]}" &
fuzz "answer reader" build/fuzz/bin/quintara_answer_fuzzer fuzz/answers "${answers[@]}" &
wait
shown "settings reader"
shown "answer reader"
echo "hardening: no faults found"

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sets everything up, builds with warnings as errors and runs every test; ends with the list of
# the tests and rows that did not run, and fails when one skipped that tests/allowed-skips.txt
# does not allow where it ran. QUINTARA_HARDENING_RUN=no leaves out the run under the sanitizers
# and the fuzzers (scripts/test-hardening.sh), for a second run of the suite whose first has had it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh --tests
cmake --preset ci
cmake --build --preset ci -j "$(nproc)"

# Each test's whole output goes into the results, where the skips inside test programs are read.
results=("$PWD/build/ci/test-results.xml" "$PWD/build/asan/test-results.xml")
rm -f "${results[@]}"
status=0
ctest --preset ci -j "$(nproc)" --output-junit "${results[0]}" \
    --test-output-size-passed 100000000 --test-output-size-failed 100000000 || status=$?
if [ "$status" -eq 0 ] && [ "${QUINTARA_HARDENING_RUN:-yes}" != no ]; then
    QUINTARA_TEST_RESULTS="${results[1]}" scripts/test-hardening.sh || status=$?
fi
existing=()
for file in "${results[@]}"; do
    [ -f "$file" ] && existing+=("$file")
done
/usr/bin/python3 scripts/lib/skipped-tests.py tests/allowed-skips.txt "${existing[@]}" ||
    status=1
exit "$status"

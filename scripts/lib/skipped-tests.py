#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Lists every test and every row of a test that skipped, and why, from the JUnit files CTest
writes; fails when one skipped that tests/allowed-skips.txt does not allow where it ran.

CTest counts as skipped only a test that ends with its skip status (77 here); a skip inside a
test program (GoogleTest's GTEST_SKIP, Qt Test's QSKIP, unittest's skipTest) passes for it. So
each test's own output is read for the skips each framework reports.

Usage: skipped-tests.py ALLOWED-SKIPS JUNIT-FILE...
"""

import fnmatch
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

# "[  SKIPPED ] Suite.Name" ends a skipped GoogleTest; its reason is printed above it, after
# "FILE:LINE: Skipped".
GTEST_SKIPPED = re.compile(r"^\[  SKIPPED \] (\S+) \(")
GTEST_REASON = re.compile(r"^\S+:\d+: Skipped$")
GTEST_TOTAL = re.compile(r"^\[  SKIPPED \] (\d+) tests?, listed below:")
# "SKIP   : Class::function(row) reason", and "Totals: 3 passed, 0 failed, 1 skipped, ..."
QTEST_SKIPPED = re.compile(r"^SKIP   : (\S+?\(.*?\)|\S+) (.*)$")
QTEST_TOTAL = re.compile(r"^Totals: \d+ passed, \d+ failed, (\d+) skipped")
# unittest -v: "test_name (module.Class.test_name) ... " and, maybe lines later when the test
# prints meanwhile, "skipped 'reason'"; at the end "OK (skipped=1)" or "FAILED (..., skipped=1)".
UNITTEST_STARTED = re.compile(r"^(test\w* \([\w.]+\)(?: \[.*?\])?) \.\.\. ")
UNITTEST_SKIPPED = re.compile(r"skipped (['\"])(.*)\1$")
UNITTEST_TOTAL = re.compile(r"^(?:OK|FAILED) \(.*?skipped=(\d+)")
# A test that ended with its skip status says why on a line of its own.
WHOLE_TEST_SKIPPED = re.compile(r"^skipped: (.*)$")


def skips_in_output(test, output):
    """(what, why) for every skip a test's output reports. The frameworks' own totals are
    counted too, so that a skip reported in words this list cannot read still shows."""
    found = []
    totals = 0
    lines = [line.rstrip() for line in output.splitlines()]
    running = None
    for number, line in enumerate(lines):
        match = GTEST_SKIPPED.match(line)
        if match:
            why = []
            for earlier in reversed(lines[:number]):
                if GTEST_REASON.match(earlier.strip()):
                    break
                why.insert(0, earlier.strip())
            found.append((match.group(1), " ".join(w for w in why if w) or "(no reason given)"))
            continue
        match = QTEST_SKIPPED.match(line)
        if match:
            found.append(("%s: %s" % (test, match.group(1)), match.group(2).strip()))
            continue
        match = UNITTEST_STARTED.match(line)
        if match:
            running = match.group(1)
        match = UNITTEST_SKIPPED.search(line)
        if match and running is not None:
            found.append(("%s: %s" % (test, running), match.group(2)))
            running = None
            continue
        for total in (GTEST_TOTAL, QTEST_TOTAL, UNITTEST_TOTAL):
            match = total.match(line)
            if match:
                totals += int(match.group(1))
    if totals > len(found):
        found.append((test, "%d more skipped than it names" % (totals - len(found))))
    return found


def skips(junit_file):
    """(what, why) for every test CTest did not run and every skip reported inside a test that
    ran. A test CTest counts as skipped by its output (a GoogleTest's "[  SKIPPED ]", as newer
    CMake has CTest see it) is named as its own output names it."""
    tree = ElementTree.parse(junit_file)
    for case in tree.iter("testcase"):
        test = case.get("name")
        output = "".join(node.text or "" for node in case.iter("system-out"))
        inside = skips_in_output(test, output)
        if inside or case.get("status") != "notrun" and case.find("skipped") is None:
            yield from inside
            continue
        reasons = [m.group(1) for m in map(WHOLE_TEST_SKIPPED.match, output.splitlines()) if m]
        yield test, reasons[-1] if reasons else "(no reason given)"


def in_a_chroot():
    """As the source package test tells it: Debian's ischroot."""
    try:
        return subprocess.run(["ischroot"], check=False).returncode == 0
    except OSError:
        return False


# Where an allowed skip may happen.
PLACES = {
    "everywhere": lambda: True,
    "not as root": lambda: os.geteuid() != 0,
    "in a Debian root": in_a_chroot,
    # A Debian package built where nobody installed the printing tests' tools (they are no build
    # dependencies); scripts/setup.sh --tests installs them wherever the README's command runs.
    "without cups-pdf": lambda: not os.path.exists("/usr/lib/cups/backend/cups-pdf"),
}


def allowed(allowed_skips):
    """(pattern, place, why) for each line 'PATTERN | PLACE | WHY' of the list."""
    entries = []
    with open(allowed_skips, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            fields = [field.strip() for field in line.split("|")]
            if len(fields) != 3 or fields[1] not in PLACES or not fields[2]:
                sys.exit("%s:%d: not 'PATTERN | PLACE | WHY' with PLACE one of %s" %
                         (allowed_skips, number, ", ".join(PLACES)))
            entries.append(tuple(fields))
    return entries


def main(allowed_skips, *junit_files):
    entries = allowed(allowed_skips)
    found = [skip for junit_file in junit_files for skip in skips(junit_file)]
    unlisted = []
    print("== tests and rows that did not run: %d" % len(found))
    for what, why in sorted(found):
        entry = next((e for e in entries if fnmatch.fnmatchcase(what, e[0])), None)
        if entry is not None and PLACES[entry[1]]():
            print("   skipped, as allowed %s: %s (%s)" % (entry[1], what, why))
        else:
            print("   SKIPPED, NOT ALLOWED HERE: %s (%s)" % (what, why))
            unlisted.append(what)
    if unlisted:
        print("%d skipped that %s does not allow here: install what they need (scripts/setup.sh"
              " --tests), or list them there with the reason" % (len(unlisted), allowed_skips))
        return 1
    return 0


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    sys.exit(main(*sys.argv[1:]))

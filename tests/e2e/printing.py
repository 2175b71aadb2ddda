# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The printing worlds a session runs in, whatever printers this machine has: none at all, or a
printer of the test's own (tests/support/printer-of-our-own.sh) whose jobs end as PDF files."""

import os
import pathlib
import re
import shutil
import subprocess
import tempfile
import time
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[1] / "support" / "printer-of-our-own.sh"
PATIENCE = 60.0


def print_through(environment, socket):
    """The environment of a program whose print jobs go to the CUPS server on `socket` alone."""
    for name in ("PRINTER", "LPDEST"):
        environment.pop(name, None)
    environment["CUPS_SERVER"] = str(socket)
    return environment


def no_printer(environment, folder):
    """The environment of a program on a machine with no printer: CUPS_SERVER names a server that
    is not there."""
    return print_through(environment, pathlib.Path(folder) / "no-printing-server.sock")


class PrinterOfOurOwn:
    """A CUPS server of the test's own, in a `with` block, with cups-pdf's printer as its
    default. Skips the test, saying why, where it cannot run (not as root)."""

    def __enter__(self):
        # Short enough for the server's socket name, whatever TMPDIR says.
        self.folder = pathlib.Path(tempfile.mkdtemp(prefix="quintara-printer-", dir="/tmp"))
        # Should the test die, the server goes with it.
        self.server = subprocess.Popen(
            ["setpriv", "--pdeathsig", "TERM", "--", str(SCRIPT), str(self.folder)],
            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        deadline = time.monotonic() + PATIENCE
        while not (self.folder / "ready").exists():
            if self.server.poll() is not None or time.monotonic() > deadline:
                said = self.server.communicate()[0].decode(errors="replace").strip()
                status = self.server.returncode
                self.__exit__(None, None, None)
                if status == 77:
                    raise unittest.SkipTest(said.removeprefix("skipped: "))
                raise RuntimeError("the printer of the test's own did not start: " + said)
            time.sleep(0.1)
        return self

    def __exit__(self, *ended):
        if self.server.poll() is None:
            self.server.terminate()
            self.server.wait(PATIENCE)
        if self.server.stdout:
            self.server.stdout.close()
        shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def environment(self, environment):
        return print_through(environment, self.folder / "cups.sock")

    def printed(self, timeout=PATIENCE):
        """The one PDF file printed, once its job has ended."""
        deadline = time.monotonic() + timeout
        environment = self.environment(dict(os.environ))
        while True:
            files = sorted((self.folder / "printed").glob("*.pdf"))
            waiting = subprocess.run(["lpstat", "-W", "not-completed", "-o"], env=environment,
                                     capture_output=True, text=True, timeout=timeout).stdout
            if files and not waiting:
                if len(files) != 1:
                    raise AssertionError("%d jobs printed: %s" % (len(files), files))
                return files[0]
            if time.monotonic() > deadline:
                raise AssertionError("nothing printed within %.0f s (waiting: %r)" %
                                     (timeout, waiting))
            time.sleep(0.2)


class Picture:
    """A picture as rows of RGB pixels, from a PPM (P6) file's bytes."""

    def __init__(self, ppm):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.pixels = ppm[header.end():]

    def colour(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.pixels[at:at + 3])

    def bounds(self, wanted, within=None):
        """(left, top, right, bottom) of the pixels for which wanted(colour) holds, inside
        `within` (left, top, right, bottom), or None."""
        left, top, right, bottom = within or (0, 0, self.width, self.height)
        found = None
        for y in range(top, bottom):
            row = self.pixels[3 * (y * self.width + left):3 * (y * self.width + right)]
            xs = [x for x in range(right - left) if wanted(tuple(row[3 * x:3 * x + 3]))]
            if xs:
                box = (left + xs[0], y, left + xs[-1] + 1, y + 1)
                found = box if found is None else (min(found[0], box[0]), found[1],
                                                   max(found[2], box[2]), box[3])
        return found

    def share(self, wanted, box):
        """The share of the pixels in box (left, top, right, bottom) for which wanted holds."""
        left, top, right, bottom = box
        hits = sum(wanted(self.colour(x, y)) for y in range(top, bottom)
                   for x in range(left, right))
        return hits / max(1, (right - left) * (bottom - top))


def pdf_page(pdf, dpi):
    """The PDF's first page at dpi dots to the inch, through pdftoppm."""
    ppm = subprocess.run(["pdftoppm", "-r", str(dpi), "-f", "1", "-l", "1", "-singlefile",
                          str(pdf)], capture_output=True, check=True, timeout=PATIENCE).stdout
    return Picture(ppm)

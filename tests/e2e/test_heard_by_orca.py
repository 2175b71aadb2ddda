# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""What Orca says as a blind user goes through the program with the keyboard alone."""

import re
import subprocess
import tempfile
import time

import harness
from orca import Orca

# A page of the maker's site with links, as the band shows it.
PAGE_WITH_LINKS = ("""<!DOCTYPE html><html lang="it"><head><meta charset="utf-8">
<title>Quintara</title></head><body><p><a href="/novita.html">Novità</a>
<a href="/programmi.html">Altri programmi</a></p></body></html>""").encode("utf-8")

BUTTON = "(push )?button"
# What the information window says as it opens.
INFORMATION = ["Informazioni su Quintara", "Continua " + BUTTON]

# Key typed (None: the window that opens), what Orca then says: regular expressions, in this order.
# {series} is the series the main window describes once its covers are open, to be heard once:
# announced after "Nuova Serie"; after the conditions dialog, once the window is active again and
# has been read out.
WITH_THE_PAGE = [
    (None, INFORMATION),
    ("Tab", ["Sito di Quintara link"]),
    ("Tab", ["Contatto diretto link"]),
    ("Tab", ["Dona link"]),
    ("Tab", ["Continua " + BUTTON]),
    ("Return", ["Esci " + BUTTON]),
    ("Tab", ["Condizioni " + BUTTON]),
    ("Tab", ["Nuova Serie " + BUTTON]),
    ("Return", ["{series}"]),
    ("Tab", ["Stampa " + BUTTON]),
    ("Tab", ["Novità link"]),
    ("Tab", ["Altri programmi link"]),
    ("Tab", ["Esci " + BUTTON]),
    ("Tab", ["Condizioni " + BUTTON]),
    ("Return", ["dialog", "Nesuna condizione, solo numeri casuali"]),
    ("Escape", ["Quintara2.1.2 frame", "{series}"]),
]
WITHOUT_THE_SITE = [
    (None, INFORMATION),
    ("Return", ["Esci " + BUTTON]),
    ("Tab Tab Tab", ["Stampa " + BUTTON]),
    ("Tab", ["Quintara — programmi gratuiti per giocare con i numeri"]),
    ("Tab", [re.escape(harness.SITE_HOST) + " link"]),
    ("Tab", ["Esci " + BUTTON]),
]

STEP_TIMEOUT = 20.0
# How long to listen after the series, to hear whether it comes twice.
ECHO_WAIT = 3.0


def type_keys(keys):
    subprocess.run(["xdotool", "key", "--delay", "200"] + keys.split(), check=True,
                   timeout=harness.STEP_TIMEOUT)


def xdotool(*arguments):
    return subprocess.run(("xdotool",) + arguments, capture_output=True, text=True,
                          timeout=harness.STEP_TIMEOUT).stdout.split()


def focus_as_a_window_manager_does(program):
    """The virtual screen has no window manager: when a window of the program closes, or the
    main window first appears, nobody gives the keyboard to the window left on view."""
    shown = xdotool("search", "--onlyvisible", "--pid", str(program.pid))
    if shown and not set(xdotool("getwindowfocus")) & set(shown):
        xdotool("windowfocus", "--sync", shown[-1])


class HeardByOrcaTest(harness.QuintaraTestCase):
    def setUp(self):
        super().setUp()
        self.folder = tempfile.TemporaryDirectory(prefix="quintara-orca-")
        self.orca = Orca(self.folder.name)
        self.orca.__enter__()
        self.addCleanup(self.folder.cleanup)
        self.addCleanup(self.orca.__exit__, None, None, None)

    def walk(self, session, steps):
        for number, (keys, expected) in enumerate(steps):
            mark = self.orca.mark()
            if keys:
                type_keys(keys)
            series = ""
            if "{series}" in expected:
                main = session.main_window()
                series = main.session.wait("the series", lambda: focus_as_a_window_manager_does(
                    session.app) or main.description())
            pattern = ".*".join(p.replace("{series}", re.escape(series)) for p in expected)
            heard = self.orca.wait_to_hear(
                pattern, mark, STEP_TIMEOUT, lambda: focus_as_a_window_manager_does(session.app))
            if series and heard:
                time.sleep(ECHO_WAIT)
                heard = self.orca.speech_since(mark)
                self.assertEqual(1, heard.count(series), "the series once: %r" % heard)
            self.assertIsNotNone(heard, "step %d, %s: expected %r, Orca said %r\n%s" % (
                number, keys, pattern, self.orca.speech_since(mark),
                self.orca.logs()))
            # What was heard, for the log of a run that passes too.
            print("%-12s %s" % (keys or "(opens)", heard), flush=True)

    def test_with_the_page(self):
        with harness.Session(page=PAGE_WITH_LINKS) as s:
            self.walk(s, WITH_THE_PAGE)

    def test_without_the_site(self):
        with harness.Session(site=False) as s:
            self.walk(s, WITHOUT_THE_SITE)

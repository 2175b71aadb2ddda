# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Quintara as Qt's Wayland plugin runs it, under a compositor of its own (weston, headless;
scripts/lib/on-wayland-screen.sh): start-up, a series, the conditions dialog and a refusal,
"Esci"; which window the compositor is told each dialog belongs to; without the site, no OpenGL;
with it, the maker's page.

Wayland shows no client where the others are on the screen, so the series is read as a screen
reader hears it (the main window's description, and the boxes' names) rather than seen."""

import os
import re
import subprocess

import harness
from test_conditions_dialog import TENS, TENS_MESSAGE

MAIN_TITLE = "Quintara2.1.2"
DIALOG_TITLE = "Condition form"

# What the program asks of the compositor, in its log: each window's role, title and owner.
os.environ["WAYLAND_DEBUG"] = "client"


class WaylandSession(harness.Session):
    platform = "wayland"


def series_of(main, unlike=""):
    """The series on view, as the main window's description tells it once the covers are open
    ("Colonna 1: 3 14 ... - Colonna 2: ... - Jolly: 52"), checked against the boxes' names."""
    description = main.session.wait(
        "the series to be told", lambda: main.description() not in ("", unlike) and
        main.description())
    found = re.fullmatch(r"Colonna 1: ([\d ]+) - Colonna 2: ([\d ]+) - Jolly: (\d+)",
                         description)
    if found is None:
        raise AssertionError("not a series: %r" % description)
    column1, column2 = found.group(1).split(), found.group(2).split()
    ordinals = ("primo", "secondo", "terzo", "quarto", "quinto", "sesto")
    boxes = ["Colonna %d, %s numero: %s" % (c + 1, ordinal, number)
             for c, numbers in enumerate((column1, column2))
             for ordinal, number in zip(ordinals, numbers)]
    boxes.append("Numero Jolly: " + found.group(3))
    tree = main.tree()
    missing = [name for name in boxes if not tree.has("label", name)]
    if missing:
        raise AssertionError("no boxes %r for the series %r" % (missing, description))
    return type("Series", (), {"column1": column1, "column2": column2, "jolly": found.group(3)})


def new_series(main):
    """The press answers at once: the series is the first description unlike the one before."""
    before = main.description()
    main.press("push button", "Nuova Serie", wait=True)
    return series_of(main, unlike=before)


def toplevels(log):
    """The program's windows in the order they were mapped, as (title, owner's title) pairs:
    the owner is the window the compositor is told a dialog belongs to (xdg_toplevel.set_parent),
    None for a window of its own. Objects are written xdg_toplevel@16 by libwayland 1.21
    (Debian 12), xdg_toplevel#16 by 1.23 (Debian 13)."""
    current, mapped = {}, []
    for line in log.splitlines():
        made = re.search(r"-> xdg_surface[@#]\d+\.get_toplevel\(new id xdg_toplevel[@#](\d+)\)",
                         line)
        if made:
            current[made.group(1)] = window = {"title": None, "owner": None}
            mapped.append(window)
            continue
        request = re.search(r"-> xdg_toplevel[@#](\d+)\.(set_parent|set_title)\((.*)\)", line)
        if request and request.group(1) in current:
            window = current[request.group(1)]
            if request.group(2) == "set_title":
                window["title"] = request.group(3).strip('"')
            else:
                owner = re.fullmatch(r"xdg_toplevel[@#](\d+)", request.group(3))
                window["owner"] = current.get(owner.group(1)) if owner else None
    return [(w["title"], w["owner"]["title"] if w["owner"] else None) for w in mapped]


class DesktopSession(harness.Session):
    """A Wayland desktop that offers X11 too (XWayland), with no platform named."""
    platform = None

    def __enter__(self):
        self.x_server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"],
                                         stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        display = self.x_server.stdout.readline().decode().strip()
        os.environ.update(DISPLAY=":" + display, XDG_SESSION_TYPE="wayland")
        return super().__enter__()

    def __exit__(self, *ended):
        try:
            return super().__exit__(*ended)
        finally:
            for name in ("DISPLAY", "XDG_SESSION_TYPE"):
                os.environ.pop(name, None)
            self.x_server.terminate()
            self.x_server.wait()


def qt_version(pid):
    """The version of Qt's Wayland plugin the program runs on, from the library it mapped."""
    with open("/proc/%d/maps" % pid) as maps:
        found = re.search(r"libQt6WaylandClient\.so\.(\d+)\.(\d+)", maps.read())
    return (int(found.group(1)), int(found.group(2))) if found else None


def opengl_mapped(pid):
    return sorted(m for m in harness.mapped_files(pid)
                  if any(name in m for name in harness.OPENGL_IMPLEMENTATION))


class WaylandTest(harness.QuintaraTestCase):
    def session(self, settings=None, site=True):
        return WaylandSession(settings=settings, site=site)

    def test_series_conditions_refusal_and_esci(self):
        with self.session(site=False) as s:
            info = s.info_window(harness.START_TIMEOUT)
            self.assertIn("Version 2.1.2", info.labels())
            info.proceed()
            main = s.main_window()
            self.assertEqual(MAIN_TITLE, main.title)
            self.assertEqual("", main.description(), "no series before the first")
            self.assertSeries(new_series(main), 1, 49)

            dialog = main.open_conditions()
            self.assertEqual(DIALOG_TITLE, dialog.title)
            dialog.choose(TENS)
            dialog.type("Seme", "9")
            dialog.save()
            box = s.message_box()
            self.assertEqual(("Quintara", TENS_MESSAGE), (box.title, box.text))
            box.ok()
            self.assertTrue(dialog.tree().find("push button", "Salva e Esci").showing)
            dialog.cancel()
            dialog.wait_closed()
            # Closed, the dialog has the main window draw a series anew, nothing saved.
            self.assertSeries(series_of(main), 1, 49)
            self.assertEqual([], s.files())

            main.about().proceed()
            main.quit()
            self.assertEndedCleanly(s)

            # The information window at start-up comes before the main window has one; the
            # dialog, its message box and the information window from the menu (the last window
            # opened; the menu itself may come as one before it) each belong to the window they
            # were opened from, so the compositor keeps them over it.
            windows = toplevels(s.program_log())
            self.assertEqual([("Quintara", None), (MAIN_TITLE, None), (DIALOG_TITLE, MAIN_TITLE),
                              ("Quintara", DIALOG_TITLE)], windows[:4])
            self.assertEqual(("Quintara", MAIN_TITLE), windows[-1])

    def test_without_the_site_no_engine_and_no_opengl_of_ours(self):
        with self.session(site=False) as s:
            s.info_window(harness.START_TIMEOUT)
            version = qt_version(s.app.pid)
            self.assertIsNotNone(version, "not on Qt's Wayland plugin")
            # Qt 6.4's plugin sets up OpenGL as the first window opens, for its title bars,
            # whatever the program does; 6.8's waits until something draws with it. Nothing of
            # the program's own may add to it.
            from_qt = []
            if version < (6, 8):
                from_qt = s.wait("Qt's title bars to set up OpenGL",
                                 lambda: opengl_mapped(s.app.pid))
            main = s.start()
            self.assertSeries(new_series(main), 1, 49)
            self.assertEqual(from_qt, opengl_mapped(s.app.pid))
            self.assertEqual([], s.child_processes())
            main.quit()
            self.assertEndedCleanly(s)

    def test_a_desktop_offering_x11_too_maps_no_opengl_either(self):
        with DesktopSession(site=False) as s:
            main = s.start()
            self.assertSeries(new_series(main), 1, 49)
            plugins = sorted(os.path.basename(m) for m in harness.mapped_files(s.app.pid)
                             if "/plugins/platforms/" in m)
            # Where Qt's Wayland plugin would load OpenGL for its title bars, the program
            # takes X11; where it would not, Wayland, as Qt chooses in a Wayland session.
            wayland = qt_version(s.app.pid)
            self.assertEqual(["libqwayland-generic.so"] if wayland else ["libqxcb.so"], plugins)
            self.assertTrue(wayland is None or wayland >= (6, 8), wayland)
            self.assertNoOpenGL(s)
            main.quit()
            self.assertEndedCleanly(s)

    def test_the_maker_s_page_shows(self):
        with self.session() as s:
            main = s.start()
            s.wait("the engine to show the maker's page",
                   lambda: main.tree().has("document web", None, showing=True),
                   harness.START_TIMEOUT)
            self.assertEqual(1, s.page_requests().count("/riq-quintara.html"))
            self.assertSeries(new_series(main), 1, 49)
            main.quit()
            self.assertEndedCleanly(s)

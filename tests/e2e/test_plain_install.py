# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The program as a user meets it once installed, on a plain system as on a full one: start-up,
a series, a message box in Debian's default sans, Qt's file dialog in Italian, "Esci".

The package's autopkgtest runs it against the installed program, on a system that holds only
the package, what it depends on and the tools of the test (debian/tests/control).
"""

import pathlib
import shutil
import subprocess

import harness

TENS = "Almeno due numeri con questo seme"
TENS_MESSAGE = "Inserire un seme valido, numeri da 1 a 8"
NO_PRINTER = ("Non è installata nessuna stampante. Salvare l'immagine della finestra in un file "
              "PDF?")

# Width and height of the refusal box set in DejaVu Sans, Debian's default sans, as on a full
# install; in Comic Neue, which fontconfig falls back to when DejaVu is missing, it is 252 px wide.
REFUSAL_BOX_SIZE = (287, 72)


DESKTOP_ENTRY = (pathlib.Path(__file__).resolve().parents[2] / "packaging" / "linux"
                 / "org.example.quintara.desktop")


def window_class(title):
    """The class part of a window's WM_CLASS: WM_CLASS(STRING) = "instance", "class"."""
    answer = subprocess.run(["xprop", "-name", title, "WM_CLASS"], capture_output=True,
                            text=True, timeout=30).stdout
    return answer.rstrip().rpartition(", ")[2].strip('"')


def has_default_printer():
    if shutil.which("lpstat") is None:
        return False
    answer = subprocess.run(["lpstat", "-d"], capture_output=True, text=True, timeout=30)
    return "system default destination:" in answer.stdout


class PlainInstallTest(harness.QuintaraTestCase):
    def test_start_draw_refuse_offer_a_pdf_and_exit(self):
        with self.session(site=False) as s:
            info = s.info_window(harness.START_TIMEOUT)
            self.assertIn("Version 2.1.2", info.labels())
            info.proceed()
            main = s.main_window()
            # The desktop matches the window to its menu entry by the window's class.
            self.assertIn("StartupWMClass=%s\n" % window_class(main.title),
                          DESKTOP_ENTRY.read_text())
            self.assertSeries(main.new_series(), 1, 49)

            dialog = main.open_conditions()
            dialog.choose(TENS)
            dialog.type("Seme", "9")
            dialog.save()
            box = s.message_box()
            self.assertEqual(("Quintara", TENS_MESSAGE, REFUSAL_BOX_SIZE),
                             (box.title, box.text, (box.window.width, box.window.height)))
            box.ok()
            dialog.cancel()
            dialog.wait_closed()
            main.settled_board("the series drawn after Esci")

            if has_default_printer():
                self.skipTest("this machine has a default printer: Stampa would print")
            main.press("push button", "Stampa")
            question, tree = s.wait_window("the offer of a PDF file", "alert",
                                           ("push button", "Salva come PDF"))
            self.assertEqual(NO_PRINTER, tree.find("label", NO_PRINTER).name)
            s.press(tree.find("push button", "Salva come PDF"))
            chooser = s.wait("Qt's file dialog", lambda: next(
                (w for w in s.windows()
                 if w.role == "dialog" and w.name == "Salva come PDF" and w.showing), None))
            tree = harness.Tree(chooser)
            shown = {(n.role, n.name) for n in tree.nodes if n.showing}
            for words in (("push button", "Salva"), ("push button", "Annulla"),
                          ("label", "Nome del file:")):
                self.assertIn(words, shown, "Qt's file dialog does not speak Italian")
            s.press(tree.find("push button", "Annulla"))
            s.wait_closed("Qt's file dialog", chooser)

            main.quit()
            self.assertEndedCleanly(s)
            self.assertEqual([], s.files(), "nothing saved")

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The program as a user meets it once installed, on a plain system as on a full one: start-up,
a series, a message box in Debian's default sans, Qt's file dialog in Italian, "Esci".

The package's autopkgtest runs it against the installed program, on a system that holds only
the package, what it depends on and the tools of the test (debian/tests/control).
"""

import pathlib
import subprocess

import harness

TENS = "Almeno due numeri con questo seme"
TENS_MESSAGE = "Inserire un seme valido, numeri da 1 a 8"
NO_PRINTER = ("Non è installata nessuna stampante. Salvare l'immagine della finestra in un file "
              "PDF?")

# The refusal box must be set in Debian's default sans, the family fontconfig gives for
# "sans-serif", and not in Comic Neue, which fontconfig falls back to when that is missing; and
# show its text whole. Nothing a correct upload of Qt or of a font may change is named (sizes,
# pixels, paths): the words as the box shows them are measured against the same text drawn in
# the same run with each of the two fonts, as fontconfig finds them. Each word's place along the
# line, as a share of the line's width, is nearly the same at any size: in Comic Neue a word
# starts up to 1.5 % of the line away from where it starts in DejaVu Sans; a text cut short
# stretches every share.
COMIC = "Comic Neue"
INKED = 96  # how far a pixel must be from the ground to be ink, in any of its three channels


def _image(ppm):
    """Width, height and pixels of ImageMagick's PPM: "P6", "W H" and "255", a line each."""
    _, size, _, pixels = ppm.split(b"\n", 3)
    width, height = size.split()
    return int(width), int(height), pixels


def _words(width, pixels, area, ground):
    """The shares of the line's width where each word of the text in `area` (left, top, right,
    bottom) starts and ends, the line being the ink's extent; words are runs of inked columns
    apart by more than a quarter of the ink's height."""
    left, top, right, bottom = area

    def inked(x, y):
        at = 3 * (y * width + x)
        return max(abs(pixels[at + k] - ground[k]) for k in range(3)) > INKED

    columns = [x for x in range(left, right) if any(inked(x, y) for y in range(top, bottom))]
    rows = [y for y in range(top, bottom) if any(inked(x, y) for x in columns)]
    if not columns:
        return []
    gap = max(2, round(0.25 * (rows[-1] + 1 - rows[0])))
    line = columns[-1] + 1 - columns[0]
    runs = [[columns[0], columns[0]]]
    for x in columns[1:]:
        if x - runs[-1][1] > gap:
            runs.append([x, x])
        runs[-1][1] = x
    return [((a - columns[0]) / line, (z + 1 - columns[0]) / line) for a, z in runs]


def drawn_words(family, text):
    """The words of `text` drawn large with the font fontconfig gives for `family`."""
    font = subprocess.run(["fc-match", "-f", "%{file}", family], capture_output=True,
                          text=True, check=True, timeout=30).stdout
    drawing = ["-font", font, "-pointsize", "64", "-background", "white", "-fill", "black",
               "label:" + text, "-depth", "8", "ppm:-"]
    try:  # ImageMagick 7 (Debian 13) names it magick, 6 (Debian 12) convert
        ppm = subprocess.run(["magick"] + drawing, capture_output=True, check=True,
                             timeout=60).stdout
    except FileNotFoundError:
        ppm = subprocess.run(["convert"] + drawing, capture_output=True, check=True,
                             timeout=60).stdout
    width, height, pixels = _image(ppm)
    return _words(width, pixels, (0, 0, width, height), (255, 255, 255))


def apart(words, other):
    """How far two lines' words are apart: the largest difference of a share, or 1 when they do
    not hold as many words."""
    if len(words) != len(other):
        return 1.0
    return max(max(abs(a - c), abs(b - d)) for (a, b), (c, d) in zip(words, other))


DESKTOP_ENTRY = (pathlib.Path(__file__).resolve().parents[2] / "packaging" / "linux"
                 / "org.example.quintara.desktop")


def window_class(title):
    """The class part of a window's WM_CLASS: WM_CLASS(STRING) = "instance", "class"."""
    answer = subprocess.run(["xprop", "-name", title, "WM_CLASS"], capture_output=True,
                            text=True, timeout=30).stdout
    return answer.rstrip().rpartition(", ")[2].strip('"')


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
            self.assertEqual(("Quintara", TENS_MESSAGE), (box.title, box.text))
            sans = subprocess.run(["fc-match", "-f", "%{family}", "sans-serif"],
                                  capture_output=True, text=True, timeout=30).stdout
            self.assertNotIn(COMIC, sans, "fontconfig's sans-serif is Comic Neue")
            label = next(n for n in box.tree().all("label", showing=True) if n.name)
            screen = harness.Screen()
            shown = _words(screen.width, screen.pixels,
                           (label.x, label.y, label.x + label.width, label.y + label.height),
                           screen.colour(label.x, label.y))
            in_sans, in_comic = drawn_words("sans-serif", box.text), drawn_words(COMIC, box.text)
            self.assertEqual(len(box.text.split()), len(in_sans))
            # Nearer the default sans than half the way to Comic Neue.
            self.assertLess(apart(shown, in_sans), apart(in_sans, in_comic) / 2,
                            "the refusal box's words %r, in %s %r, in Comic Neue %r"
                            % (shown, sans, in_sans, in_comic))
            box.ok()
            dialog.cancel()
            dialog.wait_closed()
            main.settled_board("the series drawn after Esci")

            # A machine with no printer at all, whatever this one has (the session's own world).
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

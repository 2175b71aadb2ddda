# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The main window as a screen reader hears it after a series, and the series on the clipboard;
without the maker's site, the program maps no OpenGL library and starts no browser engine."""

import harness
from harness import settings_bytes

ORDINALS = ("primo", "secondo", "terzo", "quarto", "quinto", "sesto")

# The Jolly box's ball colours on screen and as they are named.
BALLS = {(0, 128, 0): "verde", (255, 0, 0): "rossa", (0, 0, 255): "blu",
         (255, 255, 0): "gialla", (192, 0, 192): "viola", (255, 128, 0): "arancione"}

# Name, settings file, whether the Jolly box shows its number.
JOLLY_MODES = [
    ("the Jolly number", settings_bytes("none"), True),
    ("a random colour for the Jolly", settings_bytes("none", jolly_number=False,
                                                     random_colour=True), False),
]


def jolly_words(board, jolly_number):
    """What the Jolly box holds, in the words of the series: its number, or the colour of the
    ball it shows on screen."""
    if jolly_number:
        return board.jolly
    box = board.jolly_box
    return "pallina " + BALLS[harness.Screen().colour(box.x + box.width // 2,
                                                      box.y + box.height // 2)]


class ScreenReaderTest(harness.QuintaraTestCase):
    def test_the_series_as_heard_and_copied(self):
        for name, settings, jolly_number in JOLLY_MODES:
            with self.subTest(name), self.session(settings) as s:
                main = s.start()
                self.assertEqual("", main.description())
                copied, board = main.copy_then_new_series()
                self.assertIsNone(copied, "no series yet, nothing to copy")

                jolly = jolly_words(board, jolly_number)
                tree = main.tree()
                surface = [n for n in tree.nodes if n.role == "filler" and n.name == ""][0]
                order = [n.name for n in map(harness.Node, harness._children(surface.accessible))]
                columns = [[("Colonna %d, %s numero: %s" % (c + 1, ORDINALS[k], number))
                            for k, number in enumerate(numbers)]
                           for c, numbers in enumerate((board.column1, board.column2))]
                self.assertEqual(
                    ["Ci sono altri software da scoprire sul nostro sito!", harness.SITE_HOST,
                     "Pagina del sito di Quintara", "Colonna 1"] + columns[0] + ["Colonna 2"] +
                    columns[1] +
                    ["Numero Jolly", ("Numero Jolly: " if jolly_number else
                                      "Numero Jolly nascosto: ") + jolly,
                     "Nuova Serie", "Condizioni", "Stampa", "Esci"], order)

                unnamed = [n for n in tree.nodes if n.showing and not n.name
                           and not harness._children(n.accessible)]
                self.assertEqual([], unnamed, "unnamed objects a screen reader would stop at")

                series = "Colonna 1: %s - Colonna 2: %s - Jolly: %s" % (
                    " ".join(board.column1), " ".join(board.column2), jolly)
                self.assertEqual(series, main.description())
                self.assertEqual(series, main.copy())
                main.quit()
                self.assertEndedCleanly(s)

    def test_without_the_site_no_opengl_and_no_engine(self):
        with self.session(site=False) as s:
            main = s.start()
            main.new_series()
            band = main.tree().find("filler", "Pagina del sito di Quintara")
            self.assertTrue(band.showing)
            self.assertNoOpenGL(s)
            main.quit()
            self.assertEndedCleanly(s)

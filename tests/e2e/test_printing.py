# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

""""Stampa" on a machine whose default printer is a real one: a CUPS server of the test's own whose
printer writes each job as a PDF file, whatever printers this machine has. The page is read back
against the window on the screen in the same run."""

import harness
import printing

# The band's own background (resources/web_offline.html), and the red of the window's frames.
BAND = (0xF4, 0xF7, 0xFB)
BAND_WORDS = "Quintara — programmi gratuiti per giocare con i numeri"


def near(colour, tolerance=12):
    return lambda pixel: all(abs(a - b) <= tolerance for a, b in zip(pixel, colour))


def dark(pixel):
    return max(pixel) < 128


red = near((255, 0, 0), 40)


class PrintingTest(harness.QuintaraTestCase):
    def test_stampa_prints_the_window_at_its_real_size_band_included(self):
        with printing.PrinterOfOurOwn() as printer, \
                self.session(site=False, printer=printer) as s:
            main = s.start()
            main.new_series()
            bands = [n for n in main.tree().all(showing=True) if n.name.startswith(BAND_WORDS)]
            self.assertEqual(1, len(bands), "the offline band on view")
            band = bands[0]
            frame = main.window
            screen = harness.Screen()
            on_screen = screen.bounds(red, (frame.x, frame.y, frame.x + frame.width,
                                             frame.y + frame.height))
            self.assertIsNotNone(on_screen, "no red frame on the screen")

            main.press("push button", "Stampa")
            # 96 dots to the inch on paper are the window's 96 logical pixels to the inch.
            page = printing.pdf_page(printer.printed(), 96)
            self.assertEqual([], [w.name for w in s.windows() if w.role == "alert"],
                             "a real printer prints unasked")
            on_paper = page.bounds(red)
            self.assertIsNotNone(on_paper, "no red frame on the page")
            for what, a, b in (("width", on_screen[2] - on_screen[0], on_paper[2] - on_paper[0]),
                               ("height", on_screen[3] - on_screen[1],
                                on_paper[3] - on_paper[1])):
                self.assertAlmostEqual(a, b, delta=2, msg="the frame's %s on paper" % what)

            # The band where it is on the screen, as it looks there: its background and words.
            left, top = band.x - on_screen[0] + on_paper[0], band.y - on_screen[1] + on_paper[1]
            box = (left + 4, top + 4, left + band.width - 4, top + band.height - 4)
            screen_box = (band.x + 4, band.y + 4, band.x + band.width - 4,
                          band.y + band.height - 4)
            for what, wanted in (("background", near(BAND)), ("words", dark)):
                self.assertAlmostEqual(screen.share(wanted, screen_box), page.share(wanted, box),
                                       delta=0.05, msg="the band's %s on paper" % what)
            self.assertGreater(page.share(dark, box), 0.01, "the band's words on paper")

            main.quit()
            self.assertEndedCleanly(s)

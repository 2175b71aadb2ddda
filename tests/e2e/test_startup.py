# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Start-up, the information window from the menu, and leaving the program."""

import harness


class StartupTest(harness.QuintaraTestCase):
    def test_start_draw_about_and_exit_without_a_settings_file(self):
        with self.session() as s:
            info = s.info_window(harness.START_TIMEOUT)
            labels = info.labels()
            self.assertIn("Quintara", labels)
            self.assertIn("Version 2.1.2", labels)
            continua = info.tree().find("push button", "Continua")
            self.assertIn("Press", continua.actions)
            # The main window waits behind the information window.
            self.assertFalse(any(w.showing for w in s.windows() if w.role == "frame"
                                 and w.name.startswith("Quintara")))

            info.proceed()
            main = s.main_window()
            self.assertEqual("Quintara2.1.2", main.title)
            tree = main.tree()
            for button in ("Nuova Serie", "Condizioni", "Stampa", "Esci"):
                self.assertTrue(tree.has("push button", button, showing=True), button)
            board = main.board()
            self.assertEqual(["00"] * 13, board.numbers())
            self.assertTrue(board.all_closed, board)

            # The band asks for the page, then shows it in the browser engine, handing it the
            # page it has rather than asking the site again.
            s.wait("the engine to show the maker's page",
                   lambda: main.tree().has("document web", None, showing=True))
            s.wait("the engine to ask for the page's icon",
                   lambda: "/favicon.ico" in s.page_requests())
            self.assertEqual(1, s.page_requests().count("/riq-quintara.html"))

            # Without a settings file the numbers run from 1 to 49, and each press draws anew.
            drawn = []
            for _ in range(3):
                board = main.new_series()
                drawn.append(tuple(map(tuple, self.assertSeries(board, 1, 49))))
            self.assertEqual(3, len(set(drawn)), drawn)
            self.assertEqual([], s.files(), "a draw writes nothing")

            info = main.about()
            self.assertIn("Version 2.1.2", info.labels())
            info.proceed()
            self.assertEqual(board, main.board(), "the information window changed the series")

            main.quit()
            self.assertEndedCleanly(s)
            self.assertEqual([], s.files())


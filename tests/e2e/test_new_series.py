# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

""""Nuova Serie" under each kind of condition, read from a settings file left by an earlier run."""

import sys

import harness
from harness import settings_bytes

# Two draws a run: the first opens the covers from start-up, the second closes them first.
DRAWS = 2


class NewSeriesTest(harness.QuintaraTestCase):
    def draw(self, settings, low, high, jolly_number=True):
        """Starts with this settings file, draws DRAWS series and checks what every series
        must be; returns the columns drawn. The file is never changed by drawing."""
        columns = []
        with self.session(settings) as s:
            main = s.start()
            for _ in range(DRAWS):
                board = main.new_series()
                columns.extend(self.assertSeries(board, low, high, jolly_number))
            self.assertEqual(settings, s.settings())
            self.assertEqual([harness.SETTINGS_FILE], s.files())
        return columns

    def test_must_contain_one_number(self):
        for column in self.draw(settings_bytes("must_contain", first="7", range_to="60"), 1, 60):
            self.assertIn(7, column)

    def test_must_contain_the_number_of_the_second_box(self):
        for column in self.draw(settings_bytes("must_contain", second="45", range_to="49"),
                                1, 49):
            self.assertIn(45, column)

    def test_must_contain_two_numbers(self):
        settings = settings_bytes("must_contain", first="12", second="34")
        for column in self.draw(settings, 1, 90):
            self.assertIn(12, column)
            self.assertIn(34, column)

    def test_phrase(self):
        self.draw(settings_bytes("phrase", phrase="Quintara 2026"), 1, 90)

    def test_no_condition_over_a_short_range(self):
        self.draw(settings_bytes("none", range_to="30"), 1, 30)

    def test_even_numbers_only(self):
        for column in self.draw(settings_bytes("even"), 1, 90):
            self.assertEqual([], [n for n in column if n % 2], column)

    def test_odd_numbers_only_with_a_random_colour_for_the_jolly(self):
        settings = settings_bytes("odd", jolly_number=False, random_colour=True)
        for column in self.draw(settings, 1, 90, jolly_number=False):
            self.assertEqual([], [n for n in column if n % 2 == 0], column)

    def test_at_least_two_numbers_in_the_tens_of_the_digit(self):
        for column in self.draw(settings_bytes("tens", tens="3"), 1, 90):
            self.assertGreaterEqual(len([n for n in column if 30 <= n <= 39]), 2, column)

    def test_a_short_file_is_read_as_far_as_it_goes(self):
        # Cut after the kind lines and a range of 1..90 never reached: even numbers from 1 to 49.
        settings = settings_bytes("even", range_to="90").split(b"\r\n")
        settings = b"\r\n".join(settings[:8]) + b"\r\n"
        for column in self.draw(settings, 1, 49):
            self.assertEqual([], [n for n in column if n % 2], column)

    def assertReported(self, settings, message):
        """ "Nuova Serie" answers with the message and the covers stay closed."""
        with self.session(settings) as s:
            main = s.start()
            main.press("push button", "Nuova Serie")
            box = s.message_box()
            self.assertEqual(("Quintara", message), (box.title, box.text))
            box.ok()
            board = main.board()
            self.assertTrue(board.all_closed, board)
            self.assertEqual(settings, s.settings())
            return board

    def test_a_range_of_fewer_than_seven_numbers_is_reported(self):
        board = self.assertReported(
            settings_bytes("none", range_to="6"),
            "Intervallo dei numeri non valido in Quintara.cfg: servono almeno 7 numeri, a "
            "partire da 1.")
        self.assertEqual(["00"] * 13, board.numbers())

    def test_a_condition_no_column_can_meet_is_reported(self):
        # No number from 1 to 49 has 8 for its tens digit.
        self.assertReported(settings_bytes("tens", tens="8", range_to="49"),
                            "Nessuna serie soddisfa le condizioni scelte. Modificare le "
                            "condizioni.")


if __name__ == "__main__":
    sys.exit(harness.main())

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

""""Nuova Serie" under each kind of condition, read from a settings file left by an earlier run."""

import harness
from harness import settings_bytes

# Two draws a run: the first opens the covers from start-up, the second closes them first.
DRAWS = 2


def each_column(check):
    """A check of one column made a check of all the columns drawn in a run."""
    def check_all(test, columns):
        for column in columns:
            check(test, column)
    return check_all


def holds(*numbers):
    @each_column
    def check(test, column):
        for number in numbers:
            test.assertIn(number, column)
    return check


@each_column
def only_even(test, column):
    test.assertEqual([], [n for n in column if n % 2], column)


@each_column
def only_odd(test, column):
    test.assertEqual([], [n for n in column if n % 2 == 0], column)


@each_column
def two_in_the_thirties(test, column):
    test.assertGreaterEqual(len([n for n in column if 30 <= n <= 39]), 2, column)


def all_different(test, columns):
    """No column repeats another: by pure chance, or from a phrase, which is mixed into the
    chance, not the chance itself (seeded from the same phrase, the two columns differ, and so
    does the next series)."""
    test.assertEqual(len(columns), len({tuple(column) for column in columns}), columns)


# Cut after the kind lines and a range of 1..90 never reached: even numbers from 1 to 49.
SHORT_FILE = b"\r\n".join(settings_bytes("even", range_to="90").split(b"\r\n")[:8]) + b"\r\n"

# Name, settings file, the range drawn from, whether the Jolly is a number, what the columns
# drawn hold.
SERIES = [
    ("must contain one number", settings_bytes("must_contain", first="7", range_to="60"),
     (1, 60), True, holds(7)),
    ("must contain the number of the second box",
     settings_bytes("must_contain", second="45", range_to="49"), (1, 49), True, holds(45)),
    ("must contain two numbers", settings_bytes("must_contain", first="12", second="34"),
     (1, 90), True, holds(12, 34)),
    ("phrase", settings_bytes("phrase", phrase="Quintara 2026"), (1, 90), True, all_different),
    ("no condition over a short range", settings_bytes("none", range_to="30"), (1, 30), True,
     all_different),
    ("even numbers only", settings_bytes("even"), (1, 90), True, only_even),
    ("odd numbers only, a random colour for the Jolly",
     settings_bytes("odd", jolly_number=False, random_colour=True), (1, 90), False, only_odd),
    ("at least two numbers in the tens of the digit", settings_bytes("tens", tens="3"),
     (1, 90), True, two_in_the_thirties),
    ("a short file is read as far as it goes", SHORT_FILE, (1, 49), True, only_even),
]

# Name, settings file, the message "Nuova Serie" answers with instead of a series.
REPORTED = [
    ("a range of fewer than seven numbers", settings_bytes("none", range_to="6"),
     "Intervallo dei numeri non valido in Quintara.cfg: servono almeno 7 numeri, a partire "
     "da 1."),
    # No number from 1 to 49 has 8 for its tens digit.
    ("a condition no column can meet", settings_bytes("tens", tens="8", range_to="49"),
     "Nessuna serie soddisfa le condizioni scelte. Modificare le condizioni."),
]


class NewSeriesTest(harness.QuintaraTestCase):
    def test_every_series_meets_the_condition_of_the_file(self):
        """Starts with each settings file and draws DRAWS series; the file is never changed by
        drawing."""
        for name, settings, (low, high), jolly_number, columns_check in SERIES:
            with self.subTest(name), self.session(settings) as s:
                main = s.start()
                columns = []
                for _ in range(DRAWS):
                    board = main.new_series()
                    columns += self.assertSeries(board, low, high, jolly_number)
                columns_check(self, columns)
                self.assertEqual(settings, s.settings())
                self.assertEqual([harness.SETTINGS_FILE], s.files())

    def test_a_file_no_series_can_come_from_is_reported(self):
        """ "Nuova Serie" answers with the message and the covers stay closed over no numbers."""
        for name, settings, message in REPORTED:
            with self.subTest(name), self.session(settings) as s:
                main = s.start()
                main.press("push button", "Nuova Serie")
                box = s.message_box()
                self.assertEqual(("Quintara", message), (box.title, box.text))
                box.ok()
                board = main.board()
                self.assertTrue(board.all_closed, board)
                self.assertEqual(["00"] * 13, board.numbers())
                self.assertEqual(settings, s.settings())

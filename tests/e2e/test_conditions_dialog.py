# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

""""Condizioni": choosing a condition, saving Quintara.cfg, refused entries and "Esci"."""

import harness
from harness import settings_bytes

MUST_CONTAIN = "La serie DEVE contenere il / i numero / i"
PHRASE = "Utilizza questa frase o nome"
NONE = "Nesuna condizione, solo numeri casuali"
EVEN = "Solo numeri pari"
TENS = "Almeno due numeri con questo seme"

NUMBERS_MESSAGE = "Prego di specificare numeri da 1 a 90."
PHRASE_MESSAGE = "Inserire un testo o un nome o una data...."
TENS_MESSAGE = "Inserire un seme valido, numeri da 1 a 8"
QUOTE_MESSAGE = 'Il testo della frase non può contenere virgolette (").'

# In turn, on one dialog: the condition chosen, what is typed into which box, the message
# "Salva e Esci" answers with.
REFUSED = [
    (MUST_CONTAIN, [("Primo numero", "95")], NUMBERS_MESSAGE),
    (MUST_CONTAIN, [("Primo numero", ""), ("Secondo numero", "91")], NUMBERS_MESSAGE),
    (PHRASE, [], PHRASE_MESSAGE),
    # The file cannot hold a text that begins with a double quote.
    (PHRASE, [("Frase o nome", '"Ciao"')], QUOTE_MESSAGE),
    (TENS, [("Seme", "9")], TENS_MESSAGE),
    (TENS, [("Seme", "0")], TENS_MESSAGE),
    (TENS, [("Seme", "x")], TENS_MESSAGE),
]

# The kinds are chosen with the accessible Toggle action, as a screen reader does; it shows and
# hides the entry boxes as a mouse click does (showing_boxes checks it after each choice).


class ConditionsDialogTest(harness.QuintaraTestCase):
    def save_and_wait(self, main, dialog):
        dialog.save()
        dialog.wait_closed()
        return main.settled_board("the series drawn after saving")

    def refused(self, session, dialog, message):
        """ "Salva e Esci" answers with a message box; the dialog stays open."""
        dialog.save()
        box = session.message_box()
        self.assertEqual(("Quintara", message), (box.title, box.text))
        box.ok()
        self.assertTrue(dialog.tree().find("push button", "Salva e Esci").showing)

    def test_first_save_then_a_phrase_with_a_comma_and_an_accent(self):
        with self.session() as s:
            main = s.start()
            dialog = main.open_conditions()
            self.assertEqual("Condition form", dialog.title)
            self.assertEqual([NONE], dialog.checked_kinds())
            self.assertEqual(list(dialog.BOXES), dialog.showing_boxes())
            for box in dialog.BOXES:
                self.assertEqual("", dialog.box_text(box), box)

            dialog.choose(MUST_CONTAIN)
            dialog.type("Primo numero", "12")
            dialog.type("Secondo numero", "34")
            board = self.save_and_wait(main, dialog)
            # The first save writes the dialog's own range, 1 to 90.
            self.assertEqual(settings_bytes("must_contain", first="12", second="34"),
                             s.settings())
            self.assertEqual([harness.SETTINGS_FILE], s.files())
            for column in self.assertSeries(board, 1, 90):
                self.assertIn(12, column)
                self.assertIn(34, column)

            dialog = main.open_conditions()
            self.assertEqual([MUST_CONTAIN], dialog.checked_kinds())
            self.assertEqual("12", dialog.box_text("Primo numero"))
            self.assertEqual("34", dialog.box_text("Secondo numero"))
            self.assertEqual(["Primo numero", "Secondo numero"], dialog.showing_boxes())
            dialog.choose(PHRASE)
            self.assertEqual(["Frase o nome"], dialog.showing_boxes())
            dialog.type("Frase o nome", "Niccolò, 1990")
            board = self.save_and_wait(main, dialog)
            # A comma asks for quotes; the file is in Windows-1252; the numbers stay as typed.
            self.assertEqual(settings_bytes("phrase", first="12", second="34",
                                            phrase='"Niccolò, 1990"'), s.settings())
            self.assertSeries(board, 1, 90)

            dialog = main.open_conditions()
            self.assertEqual([PHRASE], dialog.checked_kinds())
            self.assertEqual("Niccolò, 1990", dialog.box_text("Frase o nome"))
            dialog.cancel()
            dialog.wait_closed()

    def test_refused_entries_and_esci_write_nothing(self):
        with self.session() as s:
            main = s.start()
            dialog = main.open_conditions()

            for kind, entries, message in REFUSED:
                dialog.choose(kind)
                for box, text in entries:
                    dialog.type(box, text)
                self.refused(s, dialog, message)
            self.assertEqual([], s.files())

            dialog.cancel()
            dialog.wait_closed()
            # Nothing saved: the series is drawn as without a file, from 1 to 49.
            board = main.settled_board("the series drawn after Esci")
            self.assertSeries(board, 1, 49)
            self.assertEqual([], s.files())

    def test_refusal_and_esci_leave_an_existing_file_untouched(self):
        settings = settings_bytes("tens", tens="3", range_to="60", jolly_number=False,
                                  random_colour=True)
        with self.session(settings) as s:
            main = s.start()
            main.new_series()
            dialog = main.open_conditions()
            self.assertEqual([TENS], dialog.checked_kinds())
            self.assertEqual("3", dialog.box_text("Seme"))
            self.assertEqual(["Seme"], dialog.showing_boxes())

            dialog.type("Seme", "9")
            self.refused(s, dialog, TENS_MESSAGE)
            self.assertEqual(settings, s.settings())

            dialog.cancel()
            dialog.wait_closed()
            board = main.settled_board("the series drawn after Esci")
            self.assertEqual(settings, s.settings())
            self.assertEqual([harness.SETTINGS_FILE], s.files())
            for column in self.assertSeries(board, 1, 60, jolly_number=False):
                self.assertGreaterEqual(len([n for n in column if 30 <= n <= 39]), 2, column)

    def test_saving_keeps_the_range_the_jolly_choice_and_the_other_boxes(self):
        settings = settings_bytes("must_contain", first="7", range_to="60", jolly_number=False,
                                  random_colour=True)
        with self.session(settings) as s:
            main = s.start()
            dialog = main.open_conditions()
            self.assertEqual([MUST_CONTAIN], dialog.checked_kinds())
            self.assertEqual(["Primo numero", "Secondo numero"], dialog.showing_boxes())
            dialog.choose(EVEN)
            self.assertEqual([], dialog.showing_boxes())
            board = self.save_and_wait(main, dialog)
            self.assertEqual(settings_bytes("even", first="7", range_to="60", jolly_number=False,
                                            random_colour=True), s.settings())
            for column in self.assertSeries(board, 1, 60, jolly_number=False):
                self.assertEqual([], [n for n in column if n % 2], column)

            dialog = main.open_conditions()
            self.assertEqual([EVEN], dialog.checked_kinds())
            self.assertEqual([], dialog.showing_boxes())
            dialog.choose(TENS)
            self.assertEqual(["Seme"], dialog.showing_boxes())
            dialog.type("Seme", "5")
            board = self.save_and_wait(main, dialog)
            self.assertEqual(settings_bytes("tens", first="7", range_to="60", tens="5",
                                            jolly_number=False, random_colour=True), s.settings())
            for column in self.assertSeries(board, 1, 60, jolly_number=False):
                self.assertGreaterEqual(len([n for n in column if 50 <= n <= 59]), 2, column)

    def test_from_the_menu_the_conditions_live_in_the_configuration_folder(self):
        # An earlier version, started from the menu, left its file in the home folder.
        earlier = settings_bytes("even", range_to="60")
        with self.session(arguments=["--config-folder"], home_settings=earlier) as s:
            main = s.start()
            dialog = main.open_conditions()
            self.assertEqual([EVEN], dialog.checked_kinds())
            dialog.choose(TENS)
            dialog.type("Seme", "5")
            self.save_and_wait(main, dialog)
            self.assertEqual(settings_bytes("tens", range_to="60", tens="5"),
                             s.settings_in("config"))
            self.assertEqual(earlier, s.settings_in("home"), "the home folder's file changed")
            self.assertEqual([], s.files(), "the folder it was started in")
            main.quit()
            self.assertEndedCleanly(s)


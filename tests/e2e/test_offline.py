# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""The maker's page is the user's choice: started offline, by option or by the user's options
file, or without the engine's module, the program asks the site for nothing at all."""

import os
import shutil
import tempfile

import harness

# The first words of our own band, resources/web_offline.html.
OUR_BAND = "Quintara — programmi gratuiti per giocare con i numeri"

ASKS = True
NEVER_ASKS = False

# Where the program finds the engine's module, built or installed (Debian's quintara-webengine).
MODULE = os.path.join("..", "lib", "quintara", "modules", "libquintara_web_engine.so")

# What the user did, the command line, the options file, whether the engine's module lies
# beside the program, and whether the site is then asked: only with the module there.
ROWS = (
    ("--offline", ["--offline"], None, True, NEVER_ASKS),
    ("--offline in the options file", [], "# never the page\n--offline\n", True, NEVER_ASKS),
    ("--online over the options file", ["--online"], "--offline\n", True, ASKS),
    ("the module removed", [], None, False, NEVER_ASKS),
)


class OfflineTest(harness.QuintaraTestCase):
    def test_the_site_is_asked_only_when_the_user_lets_the_program_and_it_can_show_the_page(self):
        built = os.environ["QUINTARA_PROGRAM"]
        installed = os.path.exists(os.path.join(os.path.dirname(built), MODULE))
        for what, arguments, options, module, asks in ROWS:
            asks = asks and installed
            with self.subTest(what, module_installed=installed):
                program = None
                if not module:
                    # The program alone in a folder of its own: its module is found from there.
                    alone = self.enterContext(tempfile.TemporaryDirectory(prefix="quintara-"))
                    program = os.path.join(alone, "quintara")
                    shutil.copy(built, program)
                with self.session(arguments=arguments, options=options, program=program) as s:
                    main = s.start()
                    if asks:
                        s.wait("the engine to show the maker's page",
                               lambda: main.tree().has("document web", None, showing=True))
                        self.assertEqual(1, s.page_requests().count("/riq-quintara.html"))
                    else:
                        # The band is ours at once; a series later, still nobody has called.
                        main.new_series()
                        self.assertTrue([n for n in main.tree().all(showing=True)
                                         if n.name.startswith(OUR_BAND)], "our band on view")
                        self.assertFalse(main.tree().has("document web", None))
                        self.assertEqual([], s.pages.connections, "connections to the site")
                        self.assertNoOpenGL(s)
                    main.quit()
                    self.assertEndedCleanly(s)

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the built quintara program the way a person with a screen reader does.

The tests run on the virtual screen and the session bus CTest gives them
(scripts/lib/on-virtual-screen.sh and dbus-run-session); the session bus starts the
accessibility bus when first asked. A Session starts the program in a temporary folder of its
own, with the maker's page served on loopback, and ends it when its `with` block ends.

The environment names the program (QUINTARA_PROGRAM) and the maker's site built into it
(QUINTARA_SITE_HOST, on loopback). By hand, from this folder, with Debian's /usr/bin/python3:
  QUINTARA_PROGRAM=../../build/ci/bin/quintara QUINTARA_SITE_HOST=127.0.0.1:47251 \\
      ../../scripts/lib/on-virtual-screen.sh dbus-run-session -- \\
      /usr/bin/python3 -m unittest -v test_startup
"""

import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402

from page_server import PageServer  # noqa: E402
import printing  # noqa: E402

# The maker's site as built into the program; the web view asks it for /riq-quintara.html after
# start-up. The tests run only against a build that puts it on loopback, as the ci preset does.
SITE_HOST = os.environ.get("QUINTARA_SITE_HOST", "")
SETTINGS_FILE = "Quintara.cfg"

# Patience: a phase of the cover animation takes about a second, and other builds may be running
# on the same two cores.
STEP_TIMEOUT = 30.0
START_TIMEOUT = 60.0
POLL_INTERVAL = 0.15
Atspi.set_timeout(int(STEP_TIMEOUT * 1000), int(STEP_TIMEOUT * 1000))

# Web content is not ours to test and can be large.
WEB_CONTENT = {"document web", "document frame"}

# AT-SPI 2.56 (Debian 13) calls a push button "button", as ARIA does; the tests use the name
# every release knows.
RENAMED_ROLES = {"button": "push button"}


def site_port():
    host, _, port = SITE_HOST.rpartition(":")
    if host not in ("127.0.0.1", "localhost") or not port.isdigit():
        raise RuntimeError("QUINTARA_SITE_HOST must name the program's site on loopback, "
                           "not %r" % SITE_HOST)
    return int(port)


# --------------------------------------------------------------------------------------------
# Settings files as a user or an earlier run leaves them.

KIND_LINES = ("must_contain", "phrase", "none", "even", "odd", "tens")


def settings_bytes(kind, first="", second="", phrase="", range_to="90", range_from="1",
                   tens="", jolly_number=True, random_colour=False):
    """Fourteen CR LF lines in Windows-1252. Texts are written as given (no quoting)."""
    if kind is not None and kind not in KIND_LINES:
        raise ValueError(kind)
    lines = ["1" if kind == name else "0" for name in KIND_LINES]
    lines += [first, second, phrase, range_to, range_from, tens]
    lines += ["1" if jolly_number else "0", "1" if random_colour else "0"]
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


# --------------------------------------------------------------------------------------------
# What the accessibility bus shows.

class Node:
    """One accessible object as read at one moment: role, name, states, actions, rectangle."""

    def __init__(self, accessible):
        self.accessible = accessible
        self.id = (accessible.app.bus_name, accessible.path)
        role = accessible.get_role_name()
        self.role = RENAMED_ROLES.get(role, role)
        self.name = accessible.get_name() or ""
        states = accessible.get_state_set()
        self.showing = states.contains(Atspi.StateType.SHOWING)
        self.checked = states.contains(Atspi.StateType.CHECKED)
        interfaces = accessible.get_interfaces()
        self.actions = tuple(accessible.get_action_name(i)
                             for i in range(accessible.get_n_actions())) \
            if "Action" in interfaces else ()
        self.x, self.y, self.width, self.height = (0, 0, 0, 0)
        if "Component" in interfaces:
            rect = accessible.get_extents(Atspi.CoordType.SCREEN)
            self.x, self.y, self.width, self.height = rect.x, rect.y, rect.width, rect.height

    def __repr__(self):
        return "[%s %r%s]" % (self.role, self.name, " showing" if self.showing else "")


def _children(accessible):
    count = accessible.get_child_count()
    return [child for child in map(accessible.get_child_at_index, range(count)) if child]


class Tree:
    """A window's accessible objects, read in one go."""

    def __init__(self, window):
        self.nodes = []
        pending = [window.accessible]
        while pending:
            node = Node(pending.pop(0))
            self.nodes.append(node)
            if node.role not in WEB_CONTENT:
                pending.extend(_children(node.accessible))

    def all(self, role=None, name=None, showing=None):
        return [n for n in self.nodes
                if (role is None or n.role == role) and (name is None or n.name == name)
                and (showing is None or n.showing == showing)]

    def find(self, role, name, showing=None):
        matches = self.all(role, name, showing)
        if len(matches) != 1:
            raise LookupError("%d objects %s %r (of %s)" % (
                len(matches), role, name, sorted({repr(n) for n in self.all(role)})))
        return matches[0]

    def has(self, role, name, showing=None):
        return bool(self.all(role, name, showing))


_accessibility_bus = None


def _send_without_reply(node, index):
    """Runs a node's action index without waiting for the answer, which comes only after a modal
    window closes, or never when the program ends: sent on a connection of our own, flushed."""
    global _accessibility_bus
    if _accessibility_bus is None:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync(
            "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
            GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, -1, None).unpack()[0]
        _accessibility_bus = Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
    message = Gio.DBusMessage.new_method_call(
        node.id[0], node.id[1], "org.a11y.atspi.Action", "DoAction")
    message.set_body(GLib.Variant("(i)", (index,)))
    message.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
    _accessibility_bus.send_message(message, Gio.DBusSendMessageFlags.NONE)
    _accessibility_bus.flush_sync(None)


# --------------------------------------------------------------------------------------------
# The session.

class Session:
    """One run of the program, in a temporary folder of its own.

    settings: bytes to put in Quintara.cfg before the start, or None for no file.
    site: whether the maker's page is served; without it the site cannot be reached.
    page: the page served, when not page_server's own.
    printer: a printing.PrinterOfOurOwn the program prints on; without one, the machine has no
    printer at all for it, whatever printers it has.
    arguments: the program's command line after its name.
    options: the text of the user's options file, or None for none; the user's configuration
    folder is the session's own, whatever the machine's user has in theirs.
    program: the program to start, when not QUINTARA_PROGRAM.
    home_settings: bytes to put in Quintara.cfg in a home folder of the session's own, as an
    earlier version started from the desktop's menu left it; None leaves the home as it is.
    """

    # Qt's platform plugin; the Wayland tests use "wayland", and None leaves the choice to the
    # program and Qt, as a desktop session does.
    platform = "xcb"

    def __init__(self, settings=None, site=True, page=None, printer=None, arguments=(),
                 options=None, program=None, home_settings=None):
        self.program = program or os.environ.get("QUINTARA_PROGRAM", "")
        if not os.access(self.program, os.X_OK):
            raise RuntimeError("QUINTARA_PROGRAM must name the built quintara program")
        self.initial_settings = settings
        self.arguments = list(arguments)
        self.options = options
        self.home_settings = home_settings
        self.pages = PageServer(site_port() if site else None, page)
        self.printer = printer

    def __enter__(self):
        self.pages.__enter__()
        self.root = pathlib.Path(tempfile.mkdtemp(prefix="quintara-e2e-"))
        self.workdir = self.root / "work"
        self.workdir.mkdir()
        if self.initial_settings is not None:
            self.settings_path.write_bytes(self.initial_settings)
        runtime = self.root / "runtime"
        runtime.mkdir(mode=0o700)
        config = self.root / "config"
        (config / "quintara").mkdir(parents=True)
        if self.options is not None:
            (config / "quintara" / "options").write_text(self.options)
        home = self.root / "home"
        home.mkdir()
        if self.home_settings is not None:
            (home / SETTINGS_FILE).write_bytes(self.home_settings)
        self.log = open(self.root / "quintara.log", "wb")
        try:
            # Started by its bare name, as from a shell's PATH: a "pkill -f bin/quintara" meant
            # for someone else's run on this machine then leaves ours alone.
            environment = dict(os.environ, LC_ALL="C.UTF-8", XDG_RUNTIME_DIR=str(runtime),
                               XDG_CONFIG_HOME=str(config),
                               QT_QPA_PLATFORM=self.platform or "",
                               QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                               QTWEBENGINE_DISABLE_SANDBOX="1")
            if self.platform is None:
                del environment["QT_QPA_PLATFORM"]
            if self.home_settings is not None:
                environment["HOME"] = str(home)
            if self.printer is None:
                printing.no_printer(environment, self.root)
            else:
                self.printer.environment(environment)
            self.app = subprocess.Popen(
                ["quintara"] + self.arguments, executable=os.path.abspath(self.program),
                cwd=self.workdir,
                stdin=subprocess.DEVNULL, stdout=self.log, stderr=subprocess.STDOUT,
                env=environment)
        except BaseException:
            self.log.close()
            self.pages.__exit__(None, None, None)
            shutil.rmtree(self.root, ignore_errors=True)
            raise
        return self

    def __exit__(self, kind, value, traceback):
        if self.app.poll() is None:
            self.app.terminate()
            try:
                self.app.wait(STEP_TIMEOUT)
            except subprocess.TimeoutExpired:
                self.app.kill()
                self.app.wait()
        self.log.close()
        self.pages.__exit__(kind, value, traceback)
        if kind is not None:
            tail = "\n".join(self.program_log().strip().splitlines()[-25:])
            sys.stderr.write("---- the program's output (last lines)\n%s\n" % tail)
        if kind is not None and os.environ.get("QUINTARA_E2E_KEEP"):
            sys.stderr.write("kept %s\n" % self.root)
        else:
            shutil.rmtree(self.root, ignore_errors=True)
        return False

    def page_requests(self):
        """The paths asked of our page server so far."""
        return list(self.pages.requests)

    # -- files ---------------------------------------------------------------------------------

    @property
    def settings_path(self):
        return self.workdir / SETTINGS_FILE

    def settings(self):
        """The settings file's bytes, or None when there is none."""
        try:
            return self.settings_path.read_bytes()
        except FileNotFoundError:
            return None

    def settings_in(self, folder):
        """The bytes of Quintara.cfg in the session's "home" or "config" folder, or None."""
        path = self.root / folder / SETTINGS_FILE if folder == "home" else \
            self.root / "config" / "quintara" / SETTINGS_FILE
        try:
            return path.read_bytes()
        except FileNotFoundError:
            return None

    def files(self):
        return sorted(p.name for p in self.workdir.iterdir())

    # -- waiting -------------------------------------------------------------------------------

    def wait(self, what, probe, timeout=STEP_TIMEOUT):
        """Polls probe() until it returns something true, and returns that.

        The accessibility bus goes quiet while the covers move, and objects come and go with
        their windows: a probe that raises GLib.Error or LookupError is simply tried again.
        """
        deadline = time.monotonic() + timeout
        last = None
        while True:
            if self.app.poll() is not None:
                raise AssertionError("quintara ended (status %s) while waiting for %s" %
                                     (self.app.returncode, what))
            try:
                value = probe()
                if value:
                    return value
                last = value
            except (GLib.Error, LookupError) as e:
                last = e
            if time.monotonic() >= deadline:
                raise AssertionError("timed out after %.0f s waiting for %s (last: %s)" %
                                     (timeout, what, last))
            time.sleep(POLL_INTERVAL)

    def program_log(self):
        return (self.root / "quintara.log").read_text(errors="replace")

    def child_processes(self):
        """The names of the processes the program started and that still run."""
        names = []
        for stat in pathlib.Path("/proc").glob("[0-9]*/stat"):
            try:
                fields = stat.read_text()
            except OSError:
                continue
            # pid (name) state ppid ...: the name may hold blanks, so read after its ')'.
            name = fields[fields.index("(") + 1:fields.rindex(")")]
            if fields[fields.rindex(")") + 2:].split()[1] == str(self.app.pid):
                names.append(name)
        return names

    def exit_status(self, timeout=STEP_TIMEOUT):
        try:
            return self.app.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("quintara still runs %.0f s later" % timeout) from None

    # -- windows -------------------------------------------------------------------------------

    def windows(self):
        """The program's top-level windows, as the accessibility bus lists them."""
        return [Node(window) for app in _children(Atspi.get_desktop(0))
                if app.get_process_id() == self.app.pid for window in _children(app)]

    def wait_window(self, what, role, containing, timeout=STEP_TIMEOUT):
        """The showing top-level window of that role that holds the object `containing`
        (a (role, name) pair). Returns (window node, its tree)."""

        def probe():
            for window in self.windows():
                if window.role == role and window.showing:
                    tree = Tree(window)
                    if tree.has(*containing):
                        return window, tree
            return None

        return self.wait(what, probe, timeout)

    def wait_closed(self, what, window, timeout=STEP_TIMEOUT):
        def probe():
            return all(w.id != window.id or not w.showing for w in self.windows())

        self.wait(what + " to close", probe, timeout)

    def press(self, node, action="Press", wait=False):
        """Runs an accessible action. wait=False does not wait for the program's answer, which
        comes only after a modal window closes (or never, when the program ends)."""
        if action not in node.actions:
            raise LookupError("%r has no action %r (it has %r)" % (node, action, node.actions))
        index = node.actions.index(action)
        if wait:
            node.accessible.do_action(index)
        else:
            _send_without_reply(node, index)

    def set_text(self, node, text):
        if not node.accessible.set_text_contents(text):
            raise AssertionError("%r refused the text %r" % (node, text))

    def text(self, node):
        # Through the interface by name: AT-SPI 2.56 gives the accessible a get_text of its own.
        return Atspi.Text.get_text(node.accessible, 0,
                                   Atspi.Text.get_character_count(node.accessible))

    # -- Quintara's windows --------------------------------------------------------------------

    def info_window(self, timeout=STEP_TIMEOUT):
        window, tree = self.wait_window("the information window", "dialog",
                                        ("push button", "Continua"), timeout)
        return InfoWindow(self, window, tree)

    def main_window(self, timeout=STEP_TIMEOUT):
        window, tree = self.wait_window("the main window", "frame",
                                        ("push button", "Nuova Serie"), timeout)
        return MainWindow(self, window, tree)

    def start(self):
        """From launch to the main window: the information window, then "Continua"."""
        info = self.info_window(START_TIMEOUT)
        info.proceed()
        return self.main_window()

    def message_box(self, timeout=STEP_TIMEOUT):
        window, tree = self.wait_window("a message box", "alert", ("push button", "OK"),
                                        timeout)
        return MessageBox(self, window, tree)


def clipboard():
    """The text on the X clipboard, "" when nobody holds it."""
    return subprocess.run(["xclip", "-selection", "clipboard", "-o"], capture_output=True,
                          timeout=STEP_TIMEOUT).stdout.decode("utf-8")


def set_clipboard(text):
    subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode("utf-8"),
                   check=True, timeout=STEP_TIMEOUT)


def mark_clipboard():
    """Puts a text nobody else copies on the clipboard, and returns it: whatever a copy puts
    there afterwards differs from it."""
    marker = "segnaposto %d" % time.monotonic_ns()
    set_clipboard(marker)
    return marker


class Screen(printing.Picture):
    """The virtual screen as a sighted user sees it, taken in one go."""

    def __init__(self):
        super().__init__(subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                                        capture_output=True, check=True).stdout)


# The covers' fill colours: silver over the twelve numbers, light red over the Jolly box.
COVER_COLOURS = ((192, 192, 192), (255, 128, 128))


def _number_of(box):
    """What a number box shows, read from its name ("Colonna 1, primo numero: 9"); the Jolly
    box in the random-colour mode shows no number ("Numero Jolly nascosto: pallina verde")."""
    if box.name.startswith("Numero Jolly nascosto"):
        return ""
    return box.name.rpartition(": ")[2]


class Board:
    """The numbers as the main window shows them, and which of them are covered.

    Found as a person finds them: six boxes under "Colonna 1", six under "Colonna 2" (left to
    right), one under "Numero Jolly". Covers are no objects for a screen reader: whether a box is
    covered is seen on the screen, as the cover's colour across the box.
    """

    def __init__(self, tree, screen):
        labels = tree.all("label")
        first = tree.find("label", "Colonna 1")
        second = tree.find("label", "Colonna 2")
        jolly = tree.find("label", "Numero Jolly")
        captions = {first.id, second.id, jolly.id}
        boxes = [n for n in labels if n.id not in captions and n.y > first.y]

        def row(top, bottom):
            return sorted((n for n in boxes if top <= n.y < bottom and n.x < jolly.x),
                          key=lambda n: n.x)

        self.column1_boxes = row(first.y, second.y)
        self.column2_boxes = row(second.y, 1 << 30)
        jolly_boxes = [n for n in boxes if n.x >= jolly.x and n.y > jolly.y]
        if len(self.column1_boxes) != 6 or len(self.column2_boxes) != 6 or len(jolly_boxes) != 1:
            raise LookupError("number boxes not where expected: %s / %s / %s" % (
                self.column1_boxes, self.column2_boxes, jolly_boxes))
        self.jolly_box = jolly_boxes[0]
        self.column1 = [_number_of(n) for n in self.column1_boxes]
        self.column2 = [_number_of(n) for n in self.column2_boxes]
        self.jolly = _number_of(self.jolly_box)

        self.covers = []
        for box in self.column1_boxes + self.column2_boxes + [self.jolly_box]:
            # Across the lower half of the box, below the number, left to right.
            samples = [screen.colour(box.x + box.width * k // 8, box.y + box.height * 3 // 4)
                       for k in range(1, 8)]
            covered = sum(colour in COVER_COLOURS for colour in samples)
            self.covers.append("closed" if covered == len(samples) else
                               "open" if covered == 0 else "moving")

    @property
    def all_closed(self):
        return self.covers == ["closed"] * 13

    @property
    def all_open(self):
        return self.covers == ["open"] * 13

    def numbers(self):
        return self.column1 + self.column2 + [self.jolly]

    def __eq__(self, other):
        return (self.numbers(), self.covers) == (other.numbers(), other.covers)

    def __repr__(self):
        return "Board(%s | %s | jolly %r, covers %s)" % (
            " ".join(self.column1), " ".join(self.column2), self.jolly,
            "".join(c[0] for c in self.covers))


class _Window:
    """A top-level window of the program, read afresh from the accessibility bus on demand."""

    def __init__(self, session, window, tree):
        self.session = session
        self.window = window
        self.title = window.name

    def tree(self):
        return Tree(self.window)


class InfoWindow(_Window):
    def labels(self):
        return [n.name for n in self.tree().all("label", showing=True)]

    def proceed(self):
        self.session.press(self.tree().find("push button", "Continua"))
        self.session.wait_closed("the information window", self.window)


class MessageBox(_Window):
    def __init__(self, session, window, tree):
        super().__init__(session, window, tree)
        self.text = "\n".join(n.name for n in tree.all("label", showing=True) if n.name)

    def ok(self):
        self.session.press(self.tree().find("push button", "OK"))
        self.session.wait_closed("the message box", self.window)


class MainWindow(_Window):
    def board(self):
        return Board(self.tree(), Screen())

    def press(self, role, name, action="Press", wait=False):
        self.session.press(self.tree().find(role, name), action, wait)

    def settled_board(self, what, timeout=STEP_TIMEOUT, unlike=None):
        """Waits until every cover is open and two readings agree, on numbers other than
        `unlike` when given."""
        previous = []

        def probe():
            board = self.board()
            # A bool, not the list itself, which the append below would make true.
            stable = (board.all_open and bool(previous) and previous[-1] == board
                      and board.numbers() != unlike)
            previous.append(board)
            return board if stable else None

        return self.session.wait(what, probe, timeout)

    def new_series(self):
        """ "Nuova Serie", and the new series once it stands behind open covers: the button
        answers at once, and the window goes on answering while the covers move, so the series
        is told from the one before by its numbers (two series alike are as likely as winning
        the lottery twice)."""
        before = self.board().numbers()
        self.press("push button", "Nuova Serie", wait=True)
        return self.settled_board("a new series", unlike=before)

    def open_conditions(self):
        self.press("push button", "Condizioni")
        window, tree = self.session.wait_window("the conditions dialog", "dialog",
                                                ("push button", "Salva e Esci"))
        return ConditionsDialog(self.session, window, tree)

    def about(self):
        """Opens the menu "Informazioni sul programma" and picks "About"."""
        self.press("menu item", "Informazioni sul programma", action="ShowMenu")
        about = self.session.wait(
            "the menu to open",
            lambda: self.tree().find("menu item", "About", showing=True))
        self.session.press(about)
        return self.session.info_window()

    def quit(self):
        self.press("push button", "Esci")

    def description(self):
        return self.window.accessible.get_description() or ""

    def x_window(self):
        """The main window's X window, found by its title once. A search that meets a window
        closing meanwhile (the clipboard's owner before a marker) fails, and is tried again."""
        if getattr(self, "_x_window", None) is None:
            def search():
                found = subprocess.run(["xdotool", "search", "--name",
                                        "^" + re.escape(self.title) + "$"], capture_output=True)
                return found.returncode == 0 and found.stdout.split()[0].decode()

            self._x_window = self.session.wait("the main window's X window", search)
        return self._x_window

    def type_keys(self, *keys):
        """Keys typed on the keyboard into the main window, in order."""
        subprocess.run(["xdotool", "windowfocus", "--sync", self.x_window(), "key"] + list(keys),
                       check=True)

    def copy(self):
        """Ctrl+C, typed into the main window; the text it puts on the clipboard, once there.
        The window may copy only once a command before it has ended (the covers moving)."""
        marker = mark_clipboard()
        self.type_keys("ctrl+c")

        def copied():
            text = clipboard()
            return text if text != marker else None

        return self.session.wait("the copy on the clipboard", copied)

    def copy_then_new_series(self):
        """Ctrl+C, then "Nuova Serie" pressed from the keyboard, which the window runs only once
        what the copy does has been done: the text the copy put on the clipboard (None when it put
        nothing there), and the new series once it stands behind open covers."""
        marker = mark_clipboard()
        before = self.board().numbers()
        self.session.press(self.tree().find("push button", "Nuova Serie"), "SetFocus", wait=True)
        self.type_keys("ctrl+c", "Return")
        board = self.settled_board("a new series", unlike=before)
        copied = clipboard()
        return None if copied == marker else copied, board


class ConditionsDialog(_Window):
    KINDS = ("Solo numeri pari", "Solo numeri dispari",
             "La serie DEVE contenere il / i numero / i", "Utilizza questa frase o nome",
             "Almeno due numeri con questo seme", "Nesuna condizione, solo numeri casuali")
    BOXES = ("Primo numero", "Secondo numero", "Frase o nome", "Seme")

    def checked_kinds(self):
        return [n.name for n in self.tree().all("radio button") if n.checked]

    def box(self, name):
        return self.tree().find("text", name)

    def box_text(self, name):
        return self.session.text(self.box(name))

    def showing_boxes(self):
        tree = self.tree()
        return [name for name in self.BOXES if tree.find("text", name).showing]

    def choose(self, kind):
        option = self.tree().find("radio button", kind)
        if not option.checked:
            self.session.press(option, action="Toggle")
        self.session.wait("%r to be chosen" % kind,
                          lambda: self.tree().find("radio button", kind).checked)

    def type(self, box, text):
        node = self.box(box)
        self.session.set_text(node, text)
        got = self.session.text(node)
        if got != text:
            raise AssertionError("%s holds %r after typing %r" % (box, got, text))

    def save(self):
        """ "Salva e Esci", not waited for: it may answer with a message box."""
        self.session.press(self.tree().find("push button", "Salva e Esci"))

    def cancel(self):
        self.session.press(self.tree().find("push button", "Esci"))

    def wait_closed(self):
        self.session.wait_closed("the conditions dialog", self.window)


# --------------------------------------------------------------------------------------------
# Checks shared by the test files.

# OpenGL as a driver brings it: the vendor libraries, the DRI drivers and the compiler behind
# them. The dispatch libraries (libGLX, libEGL, libOpenGL, libGLdispatch) are linked by Qt's own
# GUI library, so any Qt window maps them; they load no driver by themselves.
OPENGL_IMPLEMENTATION = ("libGLX_mesa", "libEGL_mesa", "_dri.so", "libgallium", "libglapi",
                         "libLLVM", "libGL.so")


def mapped_files(pid):
    with open("/proc/%d/maps" % pid) as maps:
        return {line.split()[-1] for line in maps if "/" in line}


class QuintaraTestCase(unittest.TestCase):
    maxDiff = None

    def setUp(self):
        # The only call libatspi 2.46 has for an action's name is marked deprecated; the test
        # runner's own warning filters are in place only once the tests run.
        warnings.filterwarnings("ignore", r"Atspi\.Action\.get_action_name", DeprecationWarning)

    def session(self, settings=None, site=True, printer=None, **more):
        return Session(settings=settings, site=site, printer=printer, **more)

    def assertSeries(self, board, low, high, jolly_number=True):
        """Two columns of six distinct numbers, ascending, from low to high; the Jolly either a
        number in the range outside column 1, or no number at all. Returns the two columns."""
        columns = []
        for name, texts in (("column 1", board.column1), ("column 2", board.column2)):
            for text in texts:
                self.assertRegex(text, r"^[1-9][0-9]*$", "%s of %r" % (name, board))
            numbers = [int(t) for t in texts]
            self.assertEqual(sorted(set(numbers)), numbers,
                             "%s not distinct and ascending: %r" % (name, board))
            for n in numbers:
                self.assertTrue(low <= n <= high, "%s: %d outside %d..%d in %r" %
                                (name, n, low, high, board))
            columns.append(numbers)
        if jolly_number:
            self.assertRegex(board.jolly, r"^[1-9][0-9]*$", repr(board))
            jolly = int(board.jolly)
            self.assertTrue(low <= jolly <= high, "Jolly outside the range: %r" % board)
            self.assertNotIn(jolly, columns[0], "Jolly repeats column 1: %r" % board)
        else:
            self.assertEqual("", board.jolly, "a random colour shows no number: %r" % board)
        return columns

    def assertNoOpenGL(self, session):
        """No OpenGL driver mapped, and no process (a browser engine's) started."""
        self.assertEqual([], sorted(m for m in mapped_files(session.app.pid)
                                    if any(name in m for name in OPENGL_IMPLEMENTATION)))
        self.assertEqual([], session.child_processes())

    def assertEndedCleanly(self, session):
        """The program ended by itself with status 0."""
        status = session.exit_status()
        self.assertEqual(0, status, "exit status; the program's output ends with:\n" +
                         session.program_log()[-2000:])

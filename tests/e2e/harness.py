# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Drives the built quintara program the way a person with a screen reader does.

Each Session owns, in a fresh temporary folder: an Xvfb display, a D-Bus session bus, the
AT-SPI accessibility bus, the loopback page server for the web view, the program (started in
its own working directory) and an accessibility agent (a11y_agent.py) that talks to the
program over the accessibility bus. Leaving the session stops all of them, also when a test
fails or the test process is told to stop.

The environment names the program (QUINTARA_PROGRAM) and the maker's site built into it
(QUINTARA_SITE_HOST, which must be on loopback). CTest sets both; by hand, for example:
  QUINTARA_PROGRAM=build/ci/bin/quintara QUINTARA_SITE_HOST=127.0.0.1:47251 \
      /usr/bin/python3 tests/e2e/test_startup.py
Run the test files with Debian's /usr/bin/python3.
"""

import ctypes
import json
import os
import pathlib
import selectors
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import uuid

HERE = pathlib.Path(__file__).resolve().parent
SYSTEM_PYTHON = "/usr/bin/python3"
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
# The maker's site as built into the program (QUINTARA_SITE_HOST); the web view asks it for
# /riq-quintara.html after start-up. The tests run only against a build that puts it on
# loopback, as the ci preset does, so that nothing leaves the machine.
SITE_HOST = os.environ.get("QUINTARA_SITE_HOST", "")
LOOPBACK_HOSTS = ("127.0.0.1", "localhost")


def _site_port():
    """The site's port when the site is on loopback, else None."""
    if not SITE_HOST:
        return None
    host, _, port = SITE_HOST.rpartition(":")
    if not host:
        host, port = port, "80"
    if host not in LOOPBACK_HOSTS or not port.isdigit():
        return None
    return int(port)


SITE_PORT = _site_port()
SETTINGS_FILE = "Quintara.cfg"

# Patience: a phase of the cover animation takes about a second and the program answers nobody
# meanwhile; other builds may be running on the same two cores.
STEP_TIMEOUT = 30.0
START_TIMEOUT = 60.0
POLL_INTERVAL = 0.15

MARKER = "QUINTARA_E2E_SESSION"


class SessionError(RuntimeError):
    """The test environment itself failed (not the program under test)."""


class AgentError(RuntimeError):
    """The accessibility agent could not do what was asked (yet)."""


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
# Processes.

def _become_subreaper():
    """Orphans of our children (daemons, helpers) are re-parented to us, so we can end them."""
    try:
        libc = ctypes.CDLL(None, use_errno=True)
        libc.prctl(36, 1, 0, 0, 0)  # PR_SET_CHILD_SUBREAPER
    except (OSError, AttributeError):
        pass


def _raise_interrupt(signum, frame):
    raise KeyboardInterrupt("signal %d" % signum)


class Process:
    """A child in a process group of its own, ended with its group."""

    def __init__(self, name, argv, log_path, env, cwd=None, stdin=None, stdout=None,
                 pass_fds=(), executable=None):
        self.name = name
        self.log_path = log_path
        self.log = open(log_path, "ab")
        try:
            self.popen = subprocess.Popen(
                argv, executable=executable, cwd=cwd, env=env, stdin=stdin,
                stdout=self.log if stdout is None else stdout, stderr=self.log,
                pass_fds=pass_fds, start_new_session=True)
        except BaseException:
            self.log.close()
            raise
        self.pid = self.popen.pid

    def alive(self):
        return self.popen.poll() is None

    def stop(self, grace=5.0):
        try:
            if self.popen.poll() is None:
                self._signal_group(signal.SIGTERM)
                try:
                    self.popen.wait(grace)
                except subprocess.TimeoutExpired:
                    pass
            # Helpers left in the group go too.
            self._signal_group(signal.SIGKILL)
            if self.popen.poll() is None:
                self.popen.wait(grace)
        finally:
            for pipe in (self.popen.stdin, self.popen.stdout):
                if pipe is not None:
                    pipe.close()
            self.log.close()

    def _signal_group(self, signum):
        try:
            os.killpg(self.pid, signum)
        except (ProcessLookupError, PermissionError):
            pass


def _read_line(fd, timeout, what):
    """One line from a pipe, or SessionError when none comes in time."""
    deadline = time.monotonic() + timeout
    data = b""
    while not data.endswith(b"\n"):
        remaining = deadline - time.monotonic()
        if remaining <= 0:
            raise SessionError("no answer from %s within %.0f s" % (what, timeout))
        with selectors.DefaultSelector() as selector:
            selector.register(fd, selectors.EVENT_READ)
            if not selector.select(remaining):
                continue
        chunk = os.read(fd, 1)
        if not chunk:
            raise SessionError("%s closed its output (got %r)" % (what, data))
        data += chunk
    return data.decode("utf-8").rstrip("\n")


def _sweep(marker_value):
    """Ends every process still carrying this session's marker, and reaps what it can."""
    needle = ("%s=%s" % (MARKER, marker_value)).encode()
    found = []
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == os.getpid():
            continue
        try:
            with open("/proc/%s/environ" % entry, "rb") as f:
                if needle in f.read().split(b"\0"):
                    found.append(int(entry))
        except OSError:
            continue
    for pid in found:
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    for pid in found:
        try:
            os.waitpid(pid, 0)
        except ChildProcessError:
            pass
    return found


def _reap_orphans():
    """Collects daemons' helpers re-parented to us (we are their subreaper) once they end.
    Called when every child the session started has been waited for."""
    while True:
        try:
            pid, _ = os.waitpid(-1, os.WNOHANG)
        except ChildProcessError:
            return
        if pid == 0:
            return


# --------------------------------------------------------------------------------------------
# What the accessibility bus shows.

class Node:
    """One accessible object as last read: role, name, states, actions, screen rectangle."""

    def __init__(self, data):
        self.id = data["id"]
        self.parent = data["parent"]
        self.role = data["role"]
        self.name = data["name"]
        self.states = frozenset(data["states"])
        self.actions = tuple(data["actions"])
        self.extents = tuple(data["extents"]) if data["extents"] else (0, 0, 0, 0)

    @property
    def showing(self):
        return "showing" in self.states

    @property
    def checked(self):
        return "checked" in self.states

    @property
    def x(self):
        return self.extents[0]

    @property
    def y(self):
        return self.extents[1]

    @property
    def width(self):
        return self.extents[2]

    @property
    def height(self):
        return self.extents[3]

    def __repr__(self):
        return "[%s %r%s]" % (self.role, self.name, " showing" if self.showing else "")


class Tree:
    """A window's accessible objects, read in one go."""

    def __init__(self, nodes):
        self.nodes = nodes

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


class Agent:
    """The test side of a11y_agent.py."""

    def __init__(self, process):
        self.process = process
        self.stdin = process.popen.stdin
        self.stdout = process.popen.stdout.fileno()
        self.broken = False

    def request(self, op, timeout=2 * STEP_TIMEOUT, **arguments):
        if self.broken or not self.process.alive():
            raise SessionError("the accessibility agent no longer answers (see %s)" %
                               self.process.log_path)
        self.stdin.write((json.dumps(dict(op=op, **arguments)) + "\n").encode())
        self.stdin.flush()
        try:
            line = _read_line(self.stdout, timeout, "the accessibility agent")
        except SessionError:
            # A late reply would be taken for the next request's.
            self.broken = True
            raise
        reply = json.loads(line)
        if "error" in reply:
            raise AgentError("%s: %s" % (op, reply["error"]))
        return reply["result"]


# --------------------------------------------------------------------------------------------
# The session.

class Session:
    """One run of the program with everything it needs, in its own temporary folder.

    settings: bytes to put in Quintara.cfg before the start, or None for no file.
    """

    def __init__(self, program=None, settings=None):
        program = program or os.environ.get("QUINTARA_PROGRAM")
        if not program or not os.access(program, os.X_OK):
            raise SessionError("QUINTARA_PROGRAM must name the built quintara program")
        # The program starts in a working directory of its own.
        self.program = os.path.abspath(program)
        if SITE_PORT is None:
            raise SessionError("QUINTARA_SITE_HOST must name the program's site on loopback")
        self.initial_settings = settings
        self.processes = []
        self._page_output = b""
        self.owns_site_port = False
        self.marker = uuid.uuid4().hex
        self.root = None
        self.agent = None
        self.app = None

    # -- life cycle ----------------------------------------------------------------------------

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self._stop(failed=True)
            raise
        return self

    def __exit__(self, kind, value, traceback):
        self._stop(failed=kind is not None)
        return False

    def _start(self):
        self.root = pathlib.Path(tempfile.mkdtemp(prefix="quintara-e2e-"))
        self.workdir = self.root / "work"
        self.workdir.mkdir()
        runtime = self.root / "runtime"
        runtime.mkdir(mode=0o700)
        self.logs = self.root / "logs"
        self.logs.mkdir()
        if self.initial_settings is not None:
            self.settings_path.write_bytes(self.initial_settings)

        self.env = {
            "PATH": "/usr/local/bin:/usr/bin:/bin",
            "HOME": os.environ.get("HOME", str(self.root)),
            "LC_ALL": "C.UTF-8",
            "XDG_RUNTIME_DIR": str(runtime),
            MARKER: self.marker,
        }
        self._start_display()
        self._start_session_bus()
        self.processes.append(Process(
            "at-spi-bus-launcher", [BUS_LAUNCHER, "--launch-immediately"],
            self.logs / "at-spi.log", self.env))
        self._start_agent()
        self._start_page_server()
        # Started by its bare name, as from a shell's PATH: a "pkill -f bin/quintara" meant for
        # someone else's run on this machine then leaves ours alone.
        self.app = Process(
            "quintara", ["quintara"], self.logs / "quintara.log",
            dict(self.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                 QTWEBENGINE_DISABLE_SANDBOX="1"),
            cwd=self.workdir, executable=self.program)
        self.processes.append(self.app)

    def _start_display(self):
        read_end, write_end = os.pipe()
        try:
            self.processes.append(Process(
                "Xvfb", ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                         "-nolisten", "tcp"],
                self.logs / "xvfb.log", self.env, pass_fds=(write_end,)))
            os.close(write_end)
            write_end = None
            display = _read_line(read_end, START_TIMEOUT, "Xvfb")
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.env["DISPLAY"] = ":" + display.strip()

    def _start_session_bus(self):
        read_end, write_end = os.pipe()
        try:
            self.processes.append(Process(
                "dbus-daemon",
                ["dbus-daemon", "--session", "--nofork", "--nopidfile",
                 "--address=unix:path=%s" % (self.root / "session-bus"),
                 "--print-address=%d" % write_end],
                self.logs / "dbus.log", self.env, pass_fds=(write_end,)))
            os.close(write_end)
            write_end = None
            address = _read_line(read_end, START_TIMEOUT, "dbus-daemon")
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address.strip()

    def _start_agent(self):
        process = Process(
            "a11y-agent", [SYSTEM_PYTHON, str(HERE / "a11y_agent.py")],
            self.logs / "agent.log", dict(self.env, ATSPI_NO_CACHE="1"),
            stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.processes.append(process)
        ready = json.loads(_read_line(process.popen.stdout.fileno(), START_TIMEOUT,
                                      "the accessibility agent"))
        if not ready["ready"]:
            raise SessionError("the accessibility bus did not answer: %s" % ready["error"])
        self.agent = Agent(process)

    def _start_page_server(self):
        process = Process("page-server", [SYSTEM_PYTHON, "-u", str(HERE / "page_server.py"),
                                          str(SITE_PORT)],
                          self.logs / "page-server.log", self.env, stdout=subprocess.PIPE)
        self.processes.append(process)
        self.page_server = process
        first = _read_line(process.popen.stdout.fileno(), START_TIMEOUT, "the page server")
        # Someone else serving the port is harmless: it is on loopback all the same.
        self.owns_site_port = first == "listening"
        if not self.owns_site_port:
            sys.stderr.write("note: port %d is taken; the web view is served by another "
                             "process\n" % SITE_PORT)

    def page_requests(self):
        """The paths asked of our page server so far (empty when another process serves the
        port)."""
        if not self.owns_site_port:
            return []
        fd = self.page_server.popen.stdout.fileno()
        os.set_blocking(fd, False)
        try:
            while True:
                chunk = os.read(fd, 65536)
                if not chunk:
                    break
                self._page_output += chunk
        except BlockingIOError:
            pass
        lines = self._page_output.decode("utf-8", "replace").splitlines()
        return [line[4:] for line in lines if line.startswith("GET ")]

    def _stop(self, failed):
        # A second request to stop must not cut the cleaning up short.
        previous = signal.signal(signal.SIGTERM, signal.SIG_IGN)
        try:
            self._stop_all(failed)
        finally:
            signal.signal(signal.SIGTERM, previous)

    def _stop_all(self, failed):
        for process in reversed(self.processes):
            try:
                process.stop()
            except Exception as e:  # keep ending the others
                sys.stderr.write("could not stop %s: %s\n" % (process.name, e))
        leftovers = _sweep(self.marker)
        if leftovers:
            sys.stderr.write("ended leftover processes %s\n" % leftovers)
        _reap_orphans()
        if self.root is None:
            return
        if failed:
            self._dump_logs()
        if failed and os.environ.get("QUINTARA_E2E_KEEP"):
            sys.stderr.write("kept %s\n" % self.root)
        else:
            shutil.rmtree(self.root, ignore_errors=True)

    def _dump_logs(self):
        for log in sorted(self.logs.glob("*.log")):
            text = log.read_text(errors="replace").strip()
            if text:
                tail = "\n".join(text.splitlines()[-25:])
                sys.stderr.write("---- %s (last lines)\n%s\n" % (log.name, tail))

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

    def files(self):
        return sorted(p.name for p in self.workdir.iterdir())

    # -- waiting -------------------------------------------------------------------------------

    def wait(self, what, probe, timeout=STEP_TIMEOUT):
        """Polls probe() until it returns something true, and returns that.

        The accessibility bus goes quiet while the covers move, and objects come and go with
        their windows: a probe that raises AgentError or LookupError is simply tried again.
        """
        deadline = time.monotonic() + timeout
        last = None
        while True:
            if not self.app.alive():
                raise AssertionError("quintara ended (status %s) while waiting for %s" %
                                     (self.app.popen.returncode, what))
            try:
                value = probe()
                if value:
                    return value
                last = value
            except (AgentError, LookupError) as e:
                last = e
            if time.monotonic() >= deadline:
                raise AssertionError("timed out after %.0f s waiting for %s (last: %s)" %
                                     (timeout, what, last))
            time.sleep(POLL_INTERVAL)

    def program_log(self):
        return (self.logs / "quintara.log").read_text(errors="replace")

    def exit_status(self, timeout=STEP_TIMEOUT):
        try:
            return self.app.popen.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError("quintara still runs %.0f s later" % timeout) from None

    # -- windows -------------------------------------------------------------------------------

    def windows(self):
        return [Node(n) for n in self.agent.request("windows", pid=self.app.pid)]

    def tree(self, node):
        return Tree([Node(n) for n in self.agent.request("tree", id=node.id)])

    def wait_window(self, what, role, containing, timeout=STEP_TIMEOUT):
        """The showing top-level window of that role that holds the object `containing`
        (a (role, name) pair). Returns (window node, its tree)."""

        def probe():
            for window in self.windows():
                if window.role == role and window.showing:
                    tree = self.tree(window)
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
        self.agent.request("action", id=node.id, name=action, wait=wait)

    def set_text(self, node, text):
        if not self.agent.request("set_text", id=node.id, text=text):
            raise AssertionError("%r refused the text %r" % (node, text))

    def text(self, node):
        return self.agent.request("text", id=node.id)

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


class InfoWindow:
    def __init__(self, session, window, tree):
        self.session = session
        self.window = window
        self.tree = tree

    def labels(self):
        return [n.name for n in self.tree.all("label", showing=True)]

    def proceed(self):
        continua = self.tree.find("push button", "Continua")
        self.session.press(continua)
        self.session.wait_closed("the information window", self.window)


class MessageBox:
    def __init__(self, session, window, tree):
        self.session = session
        self.window = window
        self.title = window.name
        self.text = "\n".join(n.name for n in tree.all("label", showing=True) if n.name)
        self.tree = tree

    def ok(self):
        self.session.press(self.tree.find("push button", "OK"))
        self.session.wait_closed("the message box", self.window)


class Board:
    """The numbers as the main window shows them, and which of them are covered.

    Found as a person finds them: six boxes under "Colonna 1", six under "Colonna 2" (left to
    right), one under "Numero Jolly"; a cover is the shape lying on a box's rectangle.
    """

    def __init__(self, tree):
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
        self.column1 = [n.name for n in self.column1_boxes]
        self.column2 = [n.name for n in self.column2_boxes]
        self.jolly = self.jolly_box.name

        shapes = tree.all("filler")
        self.covers = []
        for box in self.column1_boxes + self.column2_boxes + [self.jolly_box]:
            on_box = [s for s in shapes if abs(s.x - box.x) <= 1 and abs(s.y - box.y) <= 1
                      and abs(s.height - box.height) <= 1]
            if len(on_box) != 1:
                raise LookupError("%d covers on %r" % (len(on_box), box))
            cover = on_box[0]
            if not cover.showing or cover.width <= 2:
                self.covers.append("open")
            elif cover.width >= box.width - 2:
                self.covers.append("closed")
            else:
                self.covers.append("moving")

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
        return self.session.tree(self.window)


class MainWindow(_Window):
    def board(self):
        return Board(self.tree())

    def press(self, role, name, action="Press", wait=False):
        self.session.press(self.tree().find(role, name), action, wait)

    def settled_board(self, what, timeout=STEP_TIMEOUT):
        """Waits until every cover is open and two readings agree."""
        previous = []

        def probe():
            board = self.board()
            stable = board.all_open and previous and previous[-1] == board
            previous.append(board)
            return board if stable else None

        return self.session.wait(what, probe, timeout)

    def new_series(self):
        """ "Nuova Serie", waited for: the button's action answers once the draw is done and
        the covers are open again."""
        try:
            self.press("push button", "Nuova Serie", wait=True)
        except AgentError as e:
            # Only a late answer is acceptable: the press was delivered all the same.
            if "reply" not in str(e) and "Timeout" not in str(e):
                raise
        return self.settled_board("a new series")

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

class QuintaraTestCase(unittest.TestCase):
    maxDiff = None

    def session(self, settings=None):
        return Session(settings=settings)

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

    def assertEndedCleanly(self, session):
        """The program ended by itself with status 0."""
        status = session.exit_status()
        self.assertEqual(0, status, "exit status; the program's output ends with:\n" +
                         session.program_log()[-2000:])


def main():
    """Runs the calling test file's tests; exit status 77 (skipped) when the machine lacks
    what the tests need."""
    missing = [tool for tool in ("Xvfb", "dbus-daemon") if shutil.which(tool) is None]
    missing += [path for path in (SYSTEM_PYTHON, BUS_LAUNCHER) if not os.path.exists(path)]
    if not missing:
        probe = subprocess.run(
            [SYSTEM_PYTHON, "-c", "import gi; gi.require_version('Atspi', '2.0'); "
                                  "from gi.repository import Atspi"],
            capture_output=True)
        if probe.returncode != 0:
            missing.append("the AT-SPI Python bindings (python3-pyatspi)")
    if missing:
        sys.stderr.write("skipped: missing %s\n" % ", ".join(missing))
        return 77
    if SITE_PORT is None:
        sys.stderr.write("skipped: the program's site %r is not on loopback (configure with "
                         "QUINTARA_SITE_HOST=127.0.0.1:PORT, as the ci preset does)\n" % SITE_HOST)
        return 77
    _become_subreaper()
    signal.signal(signal.SIGTERM, _raise_interrupt)
    program = unittest.main(module="__main__", exit=False, verbosity=2)
    return 0 if program.result.wasSuccessful() else 1

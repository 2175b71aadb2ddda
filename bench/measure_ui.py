# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Measures the program as a user meets it. Run by bench/measure-ui.sh, on the virtual screen
every test uses and with a session bus of its own, with Debian's /usr/bin/python3 (which has the
AT-SPI bindings).

  measure_ui.py start-up PROGRAM...   launch to the information window, "Continua" to the main
      window and to the maker's page (or our offline page) on screen; three seconds after one
      series, the memory of the program's whole process tree (resident and proportional set
      sizes of the program and every process it started), its number of WebEngine processes and
      the OpenGL libraries the program maps. With the site serving its page on loopback, and
      with nothing listening there. Each round also shows a minimal Qt Widgets window (a label
      and a button, QUINTARA_MINIMAL_WINDOW) and measures it alike: the program's memory as a
      multiple of it means the same on every machine. The programs' runs are interleaved, so
      that the load of the machine weighs on each alike.
  measure_ui.py series PROGRAM        how long "Nuova Serie" takes, driven through the
      accessibility bus, the longest the main window keeps the bus waiting meanwhile, and the
      peak memory.
  measure_ui.py platforms PROGRAM     the same program on X11 and on Wayland, runs alternating:
      three seconds after one series, the memory of its process tree and the OpenGL libraries it
      maps, with the site unreachable and with it serving its page. Both driven through the
      accessibility bus (Wayland lets no other client type or click into a window), which costs
      both alike; on the X server named by QUINTARA_X_DISPLAY and the Wayland compositor named by
      WAYLAND_DISPLAY.

The environment names the site built into the programs (QUINTARA_SITE_HOST, on loopback; the
ci preset's 127.0.0.1:47251 by default) and the number of rounds (QUINTARA_MEASURE_RUNS, 5).
"""

import contextlib
import ctypes
import os
import re
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402
import page_server  # noqa: E402

ENGINE_PROCESS = "QtWebEngineProcess"
OFFLINE_BACKGROUND = (0xF4, 0xF7, 0xFB)  # resources/web_offline.html
MINIMAL_WINDOW_TITLE = "Quintara minimal window"  # bench/minimal_window.cpp
PATIENCE = 30.0
# The OpenGL stack: its dispatch libraries, Mesa's drivers and the compiler they bring.
OPENGL_LIBRARY = re.compile(
    r"/((?:libGL|libEGL|libOpenGL|libLLVM|libgallium)[^/]*|[^/]*_dri\.so)$")


def process_tree(root):
    """The pid and every descendant of it."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                with open("/proc/%s/stat" % entry) as stat:
                    parent = int(stat.read().rsplit(")", 1)[1].split()[1])
            except OSError:
                continue
            children.setdefault(parent, []).append(int(entry))
    pids, stack = [], [root]
    while stack:
        pid = stack.pop()
        pids.append(pid)
        stack.extend(children.get(pid, []))
    return pids


def memory_kib(pids):
    """The resident and the proportional set sizes of these processes together, in KiB."""
    totals = {"Rss:": 0, "Pss:": 0}
    for pid in pids:
        try:
            with open("/proc/%d/smaps_rollup" % pid) as rollup:
                for line in rollup:
                    field = line.split()
                    if field and field[0] in totals:
                        totals[field[0]] += int(field[1])
        except OSError:
            pass
    return totals["Rss:"], totals["Pss:"]


def opengl_libraries(pid):
    """The OpenGL libraries the process maps, each with the KiB of it resident."""
    found = {}
    library = None
    with open("/proc/%d/smaps" % pid) as smaps:
        for line in smaps:
            field = line.split()
            if not field[0].endswith(":"):  # a mapping: range, mode, offset, device, inode, path
                match = OPENGL_LIBRARY.search(field[5]) if len(field) > 5 else None
                library = match.group(1) if match else None
            elif library and field[0] == "Rss:":
                found[library] = found.get(library, 0) + int(field[1])
    return found


def engine_processes(pids):
    count = 0
    for pid in pids:
        try:
            with open("/proc/%d/cmdline" % pid, "rb") as cmdline:
                # The engine rewrites its processes' command lines as one blank-separated text.
                program = cmdline.read().replace(b"\0", b" ").split()[0]
        except (OSError, IndexError):
            continue
        count += os.path.basename(program).decode(errors="replace") == ENGINE_PROCESS
    return count


def measure_memory(pid, figures):
    """Adds the memory of the process tree under pid to figures; returns its OpenGL libraries."""
    pids = process_tree(pid)
    rss, pss = memory_kib(pids)
    figures["tree RSS (MiB)"] = rss / 1024
    figures["tree PSS (MiB)"] = pss / 1024
    figures["WebEngine processes"] = engine_processes(pids)
    return opengl_libraries(pid)


# --------------------------------------------------------------------------------------------
# The screen, read directly from the X server: fast enough to poll every few milliseconds.

class _XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Screen:
    Z_PIXMAP = 2

    def __init__(self):
        x11 = self.x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XDisplayWidth.argtypes = x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XGetImage.restype = ctypes.POINTER(_XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = x11.XOpenDisplay(None)  # DISPLAY and XAUTHORITY, from xvfb-run
        if not self.display:
            raise RuntimeError("cannot open the display %s" % os.environ.get("DISPLAY"))
        self.root = x11.XDefaultRootWindow(self.display)
        self.width = x11.XDisplayWidth(self.display, 0)
        self.height = x11.XDisplayHeight(self.display, 0)

    def count(self, colour):
        """How many pixels of the screen have this (red, green, blue) colour."""
        image = self.x11.XGetImage(self.display, self.root, 0, 0, self.width, self.height,
                                   0xFFFFFFFF, self.Z_PIXMAP)
        try:
            pixels = ctypes.string_at(image.contents.data,
                                      image.contents.bytes_per_line * self.height)
        finally:
            self.x11.XDestroyImage(image)
        red, green, blue = colour
        # 32 bits a pixel, least significant byte first; the top byte is unused
        return sum(pixels.count(bytes((blue, green, red, top))) for top in (0, 0xFF))

    def close(self):
        self.x11.XCloseDisplay(self.display)


# --------------------------------------------------------------------------------------------
# Start-up, page and memory, without the accessibility bus.

def _port_answers(port):
    with socket.socket() as probe:
        probe.settimeout(0.5)
        return probe.connect_ex(("127.0.0.1", port)) == 0


def _wait(what, probe, timeout=PATIENCE, interval=0.005):
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise RuntimeError("no %s within %.0f s" % (what, timeout))
        time.sleep(interval)


def _mapped(pattern, env):
    tree = subprocess.run(["xwininfo", "-root", "-tree"], env=env, capture_output=True,
                          text=True).stdout
    return [line.split()[0] for line in tree.splitlines() if pattern(line)]


def _environment(work):
    """A plain user's, on our screen but without a session bus (an address that leads nowhere,
    so that nothing starts one)."""
    return {"PATH": "/usr/bin:/bin", "HOME": work, "XDG_RUNTIME_DIR": work,
            "DISPLAY": os.environ["DISPLAY"], "XAUTHORITY": os.environ.get("XAUTHORITY", ""),
            "LANG": "C.UTF-8", "QT_QPA_PLATFORM": "xcb",
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=%s/no-bus" % work,
            "QTWEBENGINE_DISABLE_SANDBOX": "1"}


def _start(argv, work):
    wait_until_alone()
    return subprocess.Popen(argv, cwd=work, env=_environment(work), stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)


def _end(process):
    for pid in reversed(process_tree(process.pid)):
        try:
            os.kill(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
    process.wait()


def other_qt_programs():
    """Processes of others that map Qt's GUI library. Pages a library shares with them count only
    in part towards our proportional set size, which would make the figures depend on who else
    runs what on a shared machine."""
    ours = set(process_tree(os.getpid()))
    found = []
    for entry in os.listdir("/proc"):
        if entry.isdigit() and int(entry) not in ours:
            try:
                with open("/proc/%s/maps" % entry, "rb") as maps:
                    if b"libQt6Gui" in maps.read():
                        found.append(int(entry))
            except OSError:
                pass
    return found


def wait_until_alone(limit=300.0):
    """Waits, within `limit` seconds, until no one else runs a Qt program; says so otherwise."""
    deadline = time.monotonic() + limit
    while other_qt_programs():
        if time.monotonic() > deadline:
            print("note: other Qt programs run meanwhile (%s); memory figures come out lower"
                  % other_qt_programs(), flush=True)
            return
        time.sleep(2)


def one_start(program, screen, reachable, work):
    """One run from launch to a series drawn. Returns the figures and the OpenGL libraries."""
    env = _environment(work)
    figures = {}
    app = _start([program], work)
    started = time.monotonic()
    try:
        _wait("information window", lambda: _mapped(lambda l: " 492x548+" in l, env))
        figures["launch to information window (s)"] = time.monotonic() - started
        time.sleep(0.5)
        subprocess.run(["xdotool", "mousemove", str(screen.width // 2), str(screen.height // 2),
                        "key", "Escape"], env=env, check=True)
        continued = time.monotonic()
        is_main = lambda l: '"Quintara2.1.2"' in l and " 679x" in l  # noqa: E731
        main = _wait("main window", lambda: _mapped(is_main, env))[-1]
        figures["Continua to main window (s)"] = time.monotonic() - continued
        colour = page_server.BACKGROUND if reachable else OFFLINE_BACKGROUND
        # Most of the band, 649 x 105 pixels, in the page's background colour.
        _wait("page on screen", lambda: screen.count(colour) > 30000)
        figures["Continua to page on screen (s)"] = time.monotonic() - continued
        # "Nuova Serie" stands at (84, 444) in the client area, below the menu bar.
        main = _mapped(is_main, env)[-1]
        height = int(subprocess.run(["xwininfo", "-id", main], env=env, capture_output=True,
                                    text=True).stdout.split("Height:")[1].split()[0])
        subprocess.run(["xdotool", "mousemove", "--window", main, "84",
                        str(444 + height - 486), "click", "1"], env=env, check=True)
        time.sleep(3.0)  # the series right after start-up takes about 1.1 s
        return figures, measure_memory(app.pid, figures)
    finally:
        _end(app)


def one_minimal_window(minimal, work):
    """The minimal window, measured as the program is: three seconds after it shows."""
    env = _environment(work)
    figures = {}
    window = _start([minimal], work)
    try:
        _wait("minimal window",
              lambda: _mapped(lambda l: '"%s"' % MINIMAL_WINDOW_TITLE in l, env))
        time.sleep(3.0)
        return figures, measure_memory(window.pid, figures)
    finally:
        _end(window)


@contextlib.contextmanager
def site(port, reachable, limit=600.0):
    """The maker's site serving its page on loopback, or nothing listening at its port. Waits,
    within `limit` seconds, until no one else serves the port (others' tests, on a shared
    machine)."""
    deadline = time.monotonic() + limit
    while _port_answers(port):
        if time.monotonic() > deadline:
            sys.exit("port %d stays taken by someone else: build the programs with another "
                     "QUINTARA_SITE_HOST to measure" % port)
        time.sleep(1)
    if not reachable:
        yield
        if _port_answers(port):
            print("note: someone served port %d meanwhile; the last figures are not those of "
                  "an unreachable site" % port, flush=True)
        return
    # A port taken meanwhile is an error of the page server's, which says so.
    with page_server.PageServer(port):
        yield


def start_up(programs, minimal):
    rounds = int(os.environ.get("QUINTARA_MEASURE_RUNS", "5"))
    try:
        port = harness.site_port()
    except RuntimeError as e:
        sys.exit(str(e))
    scratch = tempfile.mkdtemp(prefix="quintara-measure-")
    screen = Screen()
    results, libraries = {}, {}

    def record(round_, what, run):
        figures, libraries[what] = run(tempfile.mkdtemp(dir=scratch))
        results.setdefault(what, []).append(figures)
        print("round %d, %s: %s" % (round_, what, ", ".join(
            "%s %.3f" % item for item in figures.items())), flush=True)

    try:
        for round_ in range(1, rounds + 1):
            for program in programs:
                for reachable in (True, False):
                    what = "%s, %s" % (program, "site serving its page on loopback"
                                       if reachable else "site unreachable")
                    with site(port, reachable):
                        record(round_, what,
                               lambda work: one_start(program, screen, reachable, work))
            record(round_, "minimal window",
                   lambda work: one_minimal_window(minimal, work))
    finally:
        screen.close()
        shutil.rmtree(scratch, ignore_errors=True)

    medians = {what: {name: statistics.median(run[name] for run in runs) for name in runs[0]}
               for what, runs in results.items()}
    baseline = medians["minimal window"]
    print("\nMedians of %d runs (the minimal window: %s):" % (rounds, minimal))
    for what, figures in medians.items():
        print("%s:" % what)
        for name, value in figures.items():
            print("  %-40s %8.3f" % (name, value))
        for size in ("RSS", "PSS") if figures is not baseline else ():
            name = "tree %s (MiB)" % size
            print("  %-40s %8.2f" % ("%s, times the minimal window's" % size,
                                     figures[name] / baseline[name]))
        print("  OpenGL libraries mapped (resident): %s" % (", ".join(
            "%s %.1f MiB" % (name, kib / 1024) for name, kib in sorted(libraries[what].items()))
            or "none"))


# --------------------------------------------------------------------------------------------
# "Nuova Serie" through the accessibility bus.

class MemoryWatch(threading.Thread):
    def __init__(self, pid):
        super().__init__(daemon=True)
        self.pid, self.peak, self.processes, self.running = pid, 0, 0, True

    def run(self):
        while self.running:
            pids = process_tree(self.pid)
            self.processes = max(self.processes, len(pids))
            self.peak = max(self.peak, memory_kib(pids)[1])
            time.sleep(0.1)


def series(program):
    """Six series: each one's duration from the press to its description, and meanwhile the
    longest the main window took to answer a question of the accessibility bus (its
    description, asked again as soon as answered)."""
    os.environ["QUINTARA_PROGRAM"] = program
    with harness.Session() as session:
        watch = MemoryWatch(session.app.pid)
        watch.start()
        main_window = session.start()
        durations, longest_answers = [], []
        accessible = main_window.window.accessible
        for _ in range(6):
            before = accessible.get_description() or ""
            started = time.monotonic()
            main_window.press("push button", "Nuova Serie")
            longest = 0.0
            while True:
                asked = time.monotonic()
                told = accessible.get_description() or ""
                longest = max(longest, time.monotonic() - asked)
                if told and told != before:
                    break
                if asked - started > PATIENCE:
                    sys.exit("no series within %.0f s" % PATIENCE)
            durations.append(time.monotonic() - started)
            longest_answers.append(longest)
            main_window.settled_board("the series")
        watch.running = False
        watch.join()
        main_window.quit()
    print("Nuova Serie, covers closed (first series): %.2f s" % durations[0])
    print("Nuova Serie, covers open (median of %d): %.2f s"
          % (len(durations) - 1, statistics.median(durations[1:])))
    print("Longest wait for an answer of the accessibility bus during a series: %.1f ms "
          "(median of %d series; longest of all %.1f ms)"
          % (1000 * statistics.median(longest_answers), len(longest_answers),
             1000 * max(longest_answers)))
    print("Peak memory, all %d processes (proportional set size): %d MiB"
          % (watch.processes, watch.peak // 1024))


# --------------------------------------------------------------------------------------------
# X11 and Wayland side by side, through the accessibility bus.

PLATFORMS = ("xcb", "wayland")


def one_platform_run(program, platform, reachable):
    """One run from launch to a series drawn on `platform`; the figures and OpenGL libraries."""
    os.environ["QUINTARA_PROGRAM"] = program
    if platform == "xcb":
        os.environ["DISPLAY"] = os.environ["QUINTARA_X_DISPLAY"]
    else:
        os.environ.pop("DISPLAY", None)
    session_type = type("PlatformSession", (harness.Session,), {"platform": platform})
    wait_until_alone()
    # Others' tests on a shared machine may serve the port a while.
    _wait("the site's port to be free", lambda: not _port_answers(harness.site_port()), 600.0,
          interval=1.0)
    with session_type(site=reachable) as session:
        main_window = session.start()
        if reachable:
            session.wait("the maker's page",
                         lambda: main_window.tree().has("document web", None, showing=True),
                         harness.START_TIMEOUT)
        main_window.press("push button", "Nuova Serie", wait=True)
        session.wait("the series", main_window.description)
        time.sleep(3.0)
        figures = {}
        libraries = measure_memory(session.app.pid, figures)
        main_window.quit()
        session.exit_status()
    return figures, libraries


def platforms(program):
    rounds = int(os.environ.get("QUINTARA_MEASURE_RUNS", "5"))
    if "QUINTARA_X_DISPLAY" not in os.environ or "WAYLAND_DISPLAY" not in os.environ:
        sys.exit("QUINTARA_X_DISPLAY and WAYLAND_DISPLAY must name an X server and a compositor")
    results, libraries = {}, {}
    for round_ in range(1, rounds + 1):
        for reachable in (False, True):
            for platform in PLATFORMS:
                what = "%s, %s" % (platform, "site serving its page on loopback"
                                   if reachable else "site unreachable")
                figures, libraries[what] = one_platform_run(program, platform, reachable)
                results.setdefault(what, []).append(figures)
                print("round %d, %s: %s" % (round_, what, ", ".join(
                    "%s %.3f" % item for item in figures.items())), flush=True)
    print("\nMedians of %d runs (%s):" % (rounds, program))
    for what, runs in results.items():
        print("%s:" % what)
        for name in runs[0]:
            print("  %-40s %8.3f" % (name, statistics.median(run[name] for run in runs)))
        print("  OpenGL libraries mapped (resident): %s" % (", ".join(
            "%s %.1f MiB" % (name, kib / 1024) for name, kib in sorted(libraries[what].items()))
            or "none"))


def main():
    minimal = os.environ.get("QUINTARA_MINIMAL_WINDOW", "")
    if len(sys.argv) >= 3 and sys.argv[1] == "start-up":
        if not os.access(minimal, os.X_OK):
            sys.exit("QUINTARA_MINIMAL_WINDOW must name the built quintara_minimal_window")
        start_up([os.path.realpath(p) for p in sys.argv[2:]], os.path.realpath(minimal))
    elif len(sys.argv) == 3 and sys.argv[1] == "series":
        series(os.path.realpath(sys.argv[2]))
    elif len(sys.argv) == 3 and sys.argv[1] == "platforms":
        platforms(os.path.realpath(sys.argv[2]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()

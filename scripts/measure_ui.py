# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Measures the program as a user meets it, under Xvfb. Run by scripts/measure-ui.sh with
Debian's /usr/bin/python3, which has pyatspi.

  measure_ui.py start-up PROGRAM...   launch to the information window, "Continua" to the main
      window and to the maker's page (or our offline page) on screen, and after one series the
      memory of the whole program (proportional set size of every process it started) and its
      number of WebEngine processes; with the site reachable (served on loopback) and not. The
      programs' runs are interleaved, so that the load of the machine weighs on each alike.
  measure_ui.py series PROGRAM        how long "Nuova Serie" takes, driven through the
      accessibility bus, and the peak memory meanwhile.

The environment names the site built into the programs (QUINTARA_SITE_HOST, on loopback; the
ci preset's 127.0.0.1:47251 by default) and the number of rounds (QUINTARA_MEASURE_RUNS, 5).
"""

import ctypes
import os
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e")
sys.path.insert(0, E2E)
import harness  # noqa: E402
import page_server  # noqa: E402

ENGINE_PROCESS = "QtWebEngineProcess"
OFFLINE_BACKGROUND = (0xF4, 0xF7, 0xFB)  # resources/web_offline.html
PATIENCE = 30.0


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


def proportional_set_size_kib(pids):
    total = 0
    for pid in pids:
        try:
            with open("/proc/%d/smaps_rollup" % pid) as rollup:
                for line in rollup:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total


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

    def __init__(self, display):
        self.x11 = ctypes.CDLL("libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XGetImage.restype = ctypes.POINTER(_XImage)
        self.x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                       ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                       ctypes.c_ulong, ctypes.c_int]
        self.x11.XDestroyImage.argtypes = [ctypes.POINTER(_XImage)]
        self.x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.display = self.x11.XOpenDisplay(display.encode())
        if not self.display:
            raise RuntimeError("cannot open display %s" % display)
        self.root = self.x11.XDefaultRootWindow(self.display)

    def count(self, colour, width=1024, height=768):
        """How many pixels of the screen have this (red, green, blue) colour."""
        image = self.x11.XGetImage(self.display, self.root, 0, 0, width, height,
                                   0xFFFFFFFF, self.Z_PIXMAP)
        try:
            pixels = ctypes.string_at(image.contents.data,
                                      image.contents.bytes_per_line * height)
        finally:
            self.x11.XDestroyImage(image)
        red, green, blue = colour
        # 32 bits a pixel, least significant byte first; the top byte is unused
        return sum(pixels.count(bytes((blue, green, red, top))) for top in (0, 0xFF))

    def close(self):
        self.x11.XCloseDisplay(self.display)


# --------------------------------------------------------------------------------------------
# Start-up, page and memory, without the accessibility bus.

def _site_port():
    port = harness.SITE_PORT
    if port is None:
        sys.exit("QUINTARA_SITE_HOST must name the programs' site on loopback")
    return port


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


class VirtualScreen:
    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-dpi", "96",
             "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as display:
            self.display = ":" + display.readline().strip()
        self.screen = Screen(self.display)

    def stop(self):
        self.screen.close()
        self.process.terminate()
        self.process.wait()


class PageServer:
    def __init__(self, port):
        self.process = subprocess.Popen(
            [harness.SYSTEM_PYTHON, "-u", os.path.join(E2E, "page_server.py"), str(port)],
            stdout=subprocess.PIPE, text=True)
        if self.process.stdout.readline().strip() != "listening":
            self.stop()
            sys.exit("port %d is taken by someone else: build the programs with another "
                     "QUINTARA_SITE_HOST to measure" % port)

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()


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


def one_start(program, screen, reachable, scratch):
    """One run from launch to a series drawn. Returns a dict of the figures."""
    port = _site_port()
    server = PageServer(port) if reachable else None
    if not reachable and _port_answers(port):
        sys.exit("port %d answers: the site is not unreachable" % port)
    work = tempfile.mkdtemp(dir=scratch)
    env = {"PATH": "/usr/bin:/bin", "HOME": work, "XDG_RUNTIME_DIR": work,
           "DISPLAY": screen.display, "LANG": "C.UTF-8", "QT_QPA_PLATFORM": "xcb",
           "DBUS_SESSION_BUS_ADDRESS": "unix:path=%s/no-bus" % work,
           "QTWEBENGINE_DISABLE_SANDBOX": "1"}
    figures = {}
    wait_until_alone()
    started = time.monotonic()
    app = subprocess.Popen([program], cwd=work, env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, start_new_session=True)
    try:
        _wait("information window", lambda: _mapped(lambda l: " 492x548+" in l, env))
        figures["launch to information window"] = time.monotonic() - started
        time.sleep(0.5)
        subprocess.run(["xdotool", "mousemove", "512", "384", "key", "Escape"], env=env,
                       check=True)
        continued = time.monotonic()
        is_main = lambda l: '"Quintara2.1.2"' in l and " 679x" in l  # noqa: E731
        main = _wait("main window", lambda: _mapped(is_main, env))[-1]
        figures["Continua to main window"] = time.monotonic() - continued
        colour = page_server.BACKGROUND if reachable else OFFLINE_BACKGROUND
        # Most of the band, 649 x 105 pixels, in the page's background colour.
        _wait("page on screen", lambda: screen.screen.count(colour) > 30000)
        figures["Continua to page on screen"] = time.monotonic() - continued
        # "Nuova Serie" stands at (84, 444) in the client area, below the menu bar.
        main = _mapped(is_main, env)[-1]
        height = int(subprocess.run(["xwininfo", "-id", main], env=env, capture_output=True,
                                    text=True).stdout.split("Height:")[1].split()[0])
        subprocess.run(["xdotool", "mousemove", "--window", main, "84",
                        str(444 + height - 486), "click", "1"], env=env, check=True)
        time.sleep(3.0)  # the series right after start-up takes about 1.1 s
        pids = process_tree(app.pid)
        figures["memory after a series (MiB)"] = proportional_set_size_kib(pids) / 1024
        figures["WebEngine processes"] = engine_processes(pids)
    finally:
        for pid in reversed(process_tree(app.pid)):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        app.wait()
        if server:
            server.stop()
    return figures


def start_up(programs):
    rounds = int(os.environ.get("QUINTARA_MEASURE_RUNS", "5"))
    scratch = tempfile.mkdtemp(prefix="quintara-measure-")
    screen = VirtualScreen()
    results = {}
    try:
        for round_ in range(rounds):
            for program in programs:
                for reachable in (True, False):
                    figures = one_start(program, screen, reachable, scratch)
                    runs = results.setdefault((program, reachable), [])
                    runs.append(figures)
                    print("round %d, %s, site %s: %s" % (
                        round_ + 1, program, "reachable" if reachable else "unreachable",
                        ", ".join("%s %.3f" % item for item in figures.items())), flush=True)
    finally:
        screen.stop()
        subprocess.run(["rm", "-rf", scratch])
    print("\nMedians of %d runs:" % rounds)
    for (program, reachable), runs in results.items():
        print("%s, site %s:" % (program, "reachable" if reachable else "unreachable"))
        for name in runs[0]:
            print("  %-32s %8.3f" % (name, statistics.median(run[name] for run in runs)))


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
            self.peak = max(self.peak, proportional_set_size_kib(pids))
            time.sleep(0.1)


def series(program):
    with harness.Session(program=program) as session:
        watch = MemoryWatch(session.app.pid)
        watch.start()
        main_window = session.start()
        durations = []
        for _ in range(6):
            started = time.monotonic()
            main_window.press("push button", "Nuova Serie", wait=True)
            durations.append(time.monotonic() - started)
            main_window.settled_board("the series")
        watch.running = False
        watch.join()
        main_window.quit()
    print("Nuova Serie, covers closed (first series): %.2f s" % durations[0])
    print("Nuova Serie, covers open (median of %d): %.2f s"
          % (len(durations) - 1, statistics.median(durations[1:])))
    print("Peak memory, all %d processes (proportional set size): %d MiB"
          % (watch.processes, watch.peak // 1024))


def main():
    if len(sys.argv) >= 3 and sys.argv[1] == "start-up":
        start_up([os.path.realpath(p) for p in sys.argv[2:]])
    elif len(sys.argv) == 3 and sys.argv[1] == "series":
        series(os.path.realpath(sys.argv[2]))
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()

# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Measures the program as a user meets it, under Xvfb: how long a "Nuova Serie" takes and how
much memory the whole program (WebEngine's processes included) uses at its peak.

Run by scripts/measure-ui.sh with Debian's /usr/bin/python3, which has pyatspi.
"""

import os
import statistics
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import harness  # noqa: E402


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


def main():
    with harness.Session() as session:
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


if __name__ == "__main__":
    main()

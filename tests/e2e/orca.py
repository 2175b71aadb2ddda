# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Orca, the screen reader of Debian's desktops, with what it speaks written down.

Orca speaks through speech-dispatcher, here one of our own on a socket of its own, whose only
output module is speech-dispatcher's generic one with a command that appends each message it is
given to a file, one line a message, instead of sounding it. Orca's own debug output is kept
beside it, for when a test fails.
"""

import os
import re
import shutil
import subprocess
import time

GENERIC_MODULE = "/usr/lib/speech-dispatcher-modules/sd_generic"
START_TIMEOUT = 60.0
# Orca's first words once it listens, in every release.
STARTED = "Screen reader on"

DISPATCHER_CONF = """\
LogLevel 3
LogDir "{folder}/logs"
AddModule "recorder" "sd_generic" "recorder.conf"
DefaultModule recorder
# Nothing is sounded, but a module must have an audio output to start: ALSA's null device.
AudioOutputMethod "alsa"
AudioALSADevice "null"
"""

# One line a message, whole: the module would otherwise cut a message at its punctuation.
RECORDER_CONF = """\
GenericExecuteSynth "printf '%s\\\\n' \\'$DATA\\' >> {folder}/spoken.txt"
GenericMaxChunkLength 100000
GenericDelimiters "\\n"
AddVoice "en" "MALE1" "en"
GenericLanguage "en" "en" "utf-8"
"""


class OrcaCannotStart(AssertionError):
    pass


class Orca:
    """Orca and its speech-dispatcher, started in `folder` and ended with the `with` block.
    Raises OrcaCannotStart, saying why, when either does not start."""

    def __init__(self, folder):
        self.folder = folder
        self.spoken_path = os.path.join(folder, "spoken.txt")
        self.processes = []

    def __enter__(self):
        missing = [tool for tool in ("orca", "speech-dispatcher") if not shutil.which(tool)]
        if missing or not os.access(GENERIC_MODULE, os.X_OK):
            raise OrcaCannotStart("Orca cannot start: %s not installed (the Debian packages orca "
                                  "and speech-dispatcher; scripts/setup.sh --tests installs "
                                  "them)" % (" and ".join(missing) or GENERIC_MODULE))
        for sub in ("conf/modules", "logs", "prefs"):
            os.makedirs(os.path.join(self.folder, sub))
        with open(os.path.join(self.folder, "conf/speechd.conf"), "w") as f:
            f.write(DISPATCHER_CONF.format(folder=self.folder))
        with open(os.path.join(self.folder, "conf/modules/recorder.conf"), "w") as f:
            f.write(RECORDER_CONF.format(folder=self.folder))
        open(self.spoken_path, "w").close()
        socket = os.path.join(self.folder, "speechd.sock")
        try:
            self._start("speech-dispatcher", [
                "speech-dispatcher", "--run-single", "--timeout", "0", "--communication-method",
                "unix_socket", "--socket-path", socket, "--config-dir",
                os.path.join(self.folder, "conf")], lambda: os.path.exists(socket))
            self._start("orca", [
                "orca", "--replace", "--user-prefs", os.path.join(self.folder, "prefs"),
                "--debug-file", os.path.join(self.folder, "orca-debug.txt")],
                lambda: STARTED in self.speech_since(0),
                env=dict(os.environ, SPEECHD_ADDRESS="unix_socket:" + socket, LC_ALL="C.UTF-8",
                         LANGUAGE=""))
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def _start(self, name, command, started, env=None):
        log = open(os.path.join(self.folder, "logs", name + ".out"), "wb")
        self.processes.append(subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log,
                                               stderr=subprocess.STDOUT, env=env))
        log.close()
        deadline = time.monotonic() + START_TIMEOUT
        while not started():
            ended = self.processes[-1].poll()
            if ended is not None or time.monotonic() > deadline:
                raise OrcaCannotStart("Orca cannot start: %s %s; its last words:\n%s" % (
                    name, "ended with status %s" % ended if ended is not None else
                    "did not start within %.0f s" % START_TIMEOUT, self.logs()))
            time.sleep(0.2)

    def __exit__(self, *exception):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(10)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        return False

    def logs(self):
        """The last lines of every log, for a failure's message."""
        texts = []
        for name in sorted(os.listdir(os.path.join(self.folder, "logs"))):
            with open(os.path.join(self.folder, "logs", name), errors="replace") as f:
                texts.append("-- %s\n%s" % (name, "".join(f.readlines()[-15:])))
        return "\n".join(texts)

    # -- what Orca said -----------------------------------------------------------------------

    def _lines(self):
        with open(self.spoken_path, encoding="utf-8", errors="replace") as f:
            return f.readlines()

    def mark(self):
        return len(self._lines())

    def speech_since(self, mark):
        """What Orca said since `mark`, as one text. Orca marks where each word begins, and the
        output module is handed a message a word at a time: the words are joined again here."""
        return " ".join(" ".join(self._lines()[mark:]).split())

    def wait_to_hear(self, pattern, since, timeout, meanwhile=lambda: None):
        """Waits until the speech since `since` matches the regular expression, calling
        `meanwhile` as it waits; returns that speech, or None after `timeout` seconds."""
        deadline = time.monotonic() + timeout
        while True:
            meanwhile()
            speech = self.speech_since(since)
            if re.search(pattern, speech):
                return speech
            if time.monotonic() > deadline:
                return None
            time.sleep(0.2)

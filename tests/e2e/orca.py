# SPDX-FileCopyrightText: 2026 gli autori di Quintara
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Orca, the screen reader of Debian's desktops, with what it says written down.

What Orca says is read from its own debug output, where each utterance is logged as Orca hands
it to speech ("SPEECH OUTPUT: '...'"), whole and in its own characters, even when Orca cuts it
off at once (Orca 48 interrupts itself to echo the key that opened a window). Orca speaks
through speech-dispatcher, here one of our own on a socket of its own, whose only output module
is speech-dispatcher's generic one with a command that appends each message it is given to a
file instead of sounding it: what reached the synthesizer, kept for a failure's message.
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
GenericExecuteSynth "printf '%s\\\\n' \\'$DATA\\' >> {folder}/logs/spoken.txt"
GenericMaxChunkLength 100000
GenericDelimiters "\\n"
AddVoice "en" "MALE1" "en"
GenericLanguage "en" "en" "utf-8"
"""


# Orca reads this from its settings folder as it starts: its debug output is then written line by
# line, so that what it says can be read as it says it.
CUSTOMIZATIONS = """\
from orca import debug
if debug.debugFile is not None:
    debug.debugFile.reconfigure(line_buffering=True)
"""

# One record of Orca's debug output: a time, then the text, its further lines indented.
RECORD = re.compile(r"^\d\d:\d\d:\d\d\.\d+ - (.*)$")
CONTINUED = " " * 18
UTTERANCE = re.compile(r"^SPEECH OUTPUT: '(.*?)'\s*(\{.*\})?\s*$", re.DOTALL)


class OrcaCannotStart(AssertionError):
    pass


class Orca:
    """Orca and its speech-dispatcher, started in `folder` and ended with the `with` block.
    Raises OrcaCannotStart, saying why, when either does not start."""

    def __init__(self, folder):
        self.folder = folder
        self.spoken_path = os.path.join(folder, "logs", "spoken.txt")
        self.debug_path = os.path.join(folder, "orca-debug.txt")
        self._read = 0
        self._speech = []
        self._continues = False
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
        with open(os.path.join(self.folder, "prefs/orca-customizations.py"), "w") as f:
            f.write(CUSTOMIZATIONS)
        open(self.spoken_path, "w").close()
        socket = os.path.join(self.folder, "speechd.sock")
        try:
            self._start("speech-dispatcher", [
                "speech-dispatcher", "--run-single", "--timeout", "0", "--communication-method",
                "unix_socket", "--socket-path", socket, "--config-dir",
                os.path.join(self.folder, "conf")], lambda: os.path.exists(socket))
            self._start("orca", [
                "orca", "--replace", "--user-prefs", os.path.join(self.folder, "prefs"),
                "--debug-file", self.debug_path],
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

    def _utterances(self):
        """Each thing Orca has said, in order, read on from where the last call stopped."""
        if os.path.exists(self.debug_path):
            with open(self.debug_path, "rb") as f:
                f.seek(self._read)
                written = f.read()
            whole = written[:written.rfind(b"\n") + 1]
            self._read += len(whole)
            for line in whole.decode("utf-8", errors="replace").splitlines():
                record = RECORD.match(line)
                if self._continues and line.startswith(CONTINUED):
                    self._speech[-1] += "\n" + line[len(CONTINUED):]
                elif record and record.group(1).startswith("SPEECH OUTPUT: "):
                    self._speech.append(record.group(1))
                    self._continues = True
                else:
                    self._continues = False
        said = (UTTERANCE.match(record) for record in self._speech)
        return [utterance.group(1) for utterance in said if utterance]

    def mark(self):
        return len(self._utterances())

    def speech_since(self, mark):
        """What Orca said since `mark`, as one text."""
        return " ".join(" ".join(self._utterances()[mark:]).split())

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

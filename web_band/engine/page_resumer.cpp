// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/page_resumer.h"

#include <paths.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>

extern char** environ;

namespace quintara::web_band {
namespace {

// What the watch runs: the last process it was told of gets SIGCONT once the program's end closes
// its input. Signals meant for the program (a terminal's, or one for its process group) leave it.
constexpr char kWatch[] =
    "trap '' HUP INT QUIT TERM PIPE; stopped=0; "
    "while read -r process; do stopped=$process; done; "
    "[ \"$stopped\" -gt 0 ] 2>/dev/null && kill -CONT \"$stopped\" 2>/dev/null; exit 0";

}  // namespace

PageResumer::~PageResumer() {
    if (watch_ != 0) {
        close(connection_);
        // It ends as soon as its input does.
        waitpid(static_cast<pid_t>(watch_), nullptr, 0);
    }
}

void PageResumer::stopped(qint64 process) {
    if (watch_ == 0 && (process == 0 || !startWatch())) {
        return;
    }
    const QByteArray line = QByteArray::number(process) + '\n';
    // Should the watch be gone, the program must not die of writing to it.
    send(connection_, line.constData(), static_cast<size_t>(line.size()), MSG_NOSIGNAL);
}

// Its input is one end of a connection whose other end only the program holds (a browser or mail
// program started later inherits neither), and it holds nothing else of the program's: an engine's
// socket held open would keep the page's process from hearing that the program has ended.
bool PageResumer::startWatch() {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) {
        return false;
    }
    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_adddup2(&files, ends[1], STDIN_FILENO);
    posix_spawn_file_actions_addclosefrom_np(&files, STDERR_FILENO + 1);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    const char* shell = _PATH_BSHELL;
    char* const arguments[] = {const_cast<char*>(shell), const_cast<char*>("-c"),
                               const_cast<char*>(kWatch), nullptr};
    pid_t watch = 0;
    const bool started = posix_spawn(&watch, shell, &files, &attributes, arguments, environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&files);
    close(ends[1]);
    if (!started) {
        close(ends[0]);
        return false;
    }
    connection_ = ends[0];
    watch_ = watch;
    return true;
}

}  // namespace quintara::web_band

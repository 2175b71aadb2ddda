// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "web_band/engine/engine_switches.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QAccessible>
#include <QByteArray>
#include <QList>

namespace quintara::web_band {
namespace {

constexpr char kEngineSwitches[] = "QTWEBENGINE_CHROMIUM_FLAGS";

// Switches of the environment's that would undo the band's.
bool isTheBands(const QByteArray& engineSwitch) {
    static const QList<QByteArray> kOwned{"--force-webrtc-ip-handling-policy",
                                          "--proxy-server",
                                          "--proxy-bypass-list",
                                          "--no-proxy-server",
                                          "--proxy-pac-url",
                                          "--proxy-auto-detect",
                                          "--single-process",
                                          "--in-process-renderer"};
    const QByteArray name = engineSwitch.split('=').first();
    return kOwned.contains(name);
}

// A port bound on loopback and never listened on, held for the whole run: every connection to it
// is refused at once, and nobody else can take it meanwhile. Zero when none can be had.
quint16 refusingPort() {
    const int held = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (held < 0 || bind(held, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        getsockname(held, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (held >= 0) {
            close(held);
        }
        return 0;
    }
    return ntohs(address.sin_port);
}

QByteArray bandSwitches() {
    static const quint16 port = refusingPort();
    QByteArray switches = "--force-webrtc-ip-handling-policy=disable_non_proxied_udp";
    if (port != 0) {
        // Loopback too, which the engine would otherwise reach without its proxy.
        switches += " --proxy-server=http://127.0.0.1:" + QByteArray::number(port) +
                    " --proxy-bypass-list=<-loopback>";
    }
    // Qt WebEngine 6.4 and 6.8 show a page to assistive technology that was listening before
    // the engine started; 6.11 (Debian unstable) does so only when told, and a screen reader
    // there heard nothing of the page. Told only while one listens: building the page's tree for
    // nobody would cost every run.
    if (QAccessible::isActive()) {
        switches += " --force-renderer-accessibility";
    }
    return switches;
}

}  // namespace

void startEngineForTheBand(const std::function<void()>& start) {
    const bool wasSet = qEnvironmentVariableIsSet(kEngineSwitches);
    const QByteArray environments = qgetenv(kEngineSwitches);
    QList<QByteArray> switches;
    for (const QByteArray& each : environments.split(' ')) {
        if (!each.isEmpty() && !isTheBands(each)) {
            switches.append(each);
        }
    }
    switches.append(bandSwitches());
    qputenv(kEngineSwitches, switches.join(' '));
    start();
    if (wasSet) {
        qputenv(kEngineSwitches, environments);
    } else {
        qunsetenv(kEngineSwitches);
    }
}

}  // namespace quintara::web_band

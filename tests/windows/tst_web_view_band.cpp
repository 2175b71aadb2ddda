// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The web view band as the program makes it, against a site on loopback: the browser engine is
// started only when the site answers with a page.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <map>
#include <memory>

#include "fakes.h"
#include "platform/qt/web_view.h"

using namespace quintara;
using namespace std::chrono_literals;

namespace {

// A site on 127.0.0.1 that answers every request with the same bytes, or never when there are
// none. It counts the requests for the band's page and keeps the one for the page's picture,
// which only the engine asks for, once it has the page.
class LoopbackSite final : public QObject {
public:
    explicit LoopbackSite(QByteArray answer) : answer_(std::move(answer)) {
        server_.listen(QHostAddress::LocalHost);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(*socket); });
            }
        });
    }

    QUrl page() const {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/riq-quintara.html").arg(server_.serverPort()));
    }

    int pageRequests = 0;
    QByteArray pictureRequest;

private:
    void read(QTcpSocket& socket) {
        QByteArray& request = requests_[&socket];
        request += socket.readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        pageRequests += request.startsWith("GET /riq-quintara.html ");
        if (request.startsWith("GET /picture.png ")) {
            pictureRequest = request;
        }
        request.clear();
        if (!answer_.isEmpty()) {
            socket.write(answer_);
            socket.disconnectFromHost();
        }
    }

    QByteArray answer_;
    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> requests_;
};

QByteArray httpAnswer(const QByteArray& status, const QByteArray& headers, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\n" + headers +
           "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

const QByteArray kPage =
    "<!DOCTYPE html><html><body><p>Pagina di prova</p><img src=\"picture.png\"></body></html>";
const QByteArray kHtml = "Content-Type: text/html; charset=utf-8\r\n";

// An address on loopback where nothing listens.
QUrl closedPort() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    return QUrl(QStringLiteral("http://127.0.0.1:%1/riq-quintara.html").arg(server.serverPort()));
}

// Whether Qt WebEngine's code is in this process at all: the program loads it only for a page.
bool webEngineLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains("libQt6WebEngineCore");
}

// The processes this one started (the engine runs its pages in processes of its own).
int childProcesses() {
    int count = 0;
    const QString self = QString::number(QCoreApplication::applicationPid());
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (stat.open(QIODevice::ReadOnly)) {
            // pid (name) state ppid ...: the name may hold blanks, so read after its ')'.
            const QByteArray fields = stat.readAll();
            const QList<QByteArray> after = fields.mid(fields.lastIndexOf(')') + 2).split(' ');
            count += after.size() > 1 && after[1] == self.toUtf8();
        }
    }
    return count;
}

QWidget* engineView(QWidget& band) {
    for (QWidget* child : band.findChildren<QWidget*>()) {
        if (child->inherits("QWebEngineView")) {
            return child;
        }
    }
    return nullptr;
}

}  // namespace

class WebViewBandTest : public QObject {
    Q_OBJECT

private:
    // A band made by the program's own factory, inside a shown window, told to show `page`.
    struct Band {
        Band(const QUrl& page, std::chrono::milliseconds siteTimeout)
            : factory(links, siteTimeout), view(factory.create(window)) {
            view.widget().setGeometry(0, 0, 649, 105);
            window.resize(649, 105);
            window.show();
            view.setSilent(true);
            navigated = view.navigate(page);
        }
        bool showsOfflinePage() {
            const QLabel* label = view.widget().findChild<QLabel*>();
            return label != nullptr && label->isVisible() && label->text() == qt::offlinePageHtml();
        }
        testing::RecordingLinkOpener links;
        qt::DefaultWebViewFactory factory;
        QWidget window;
        qt::WebView& view;
        bool navigated = false;
    };

private slots:
    void anUnreachableSiteNeverStartsTheEngine_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<int>("timeoutMs");
        QTest::newRow("nothing listens") << QByteArray() << false << 5000;
        QTest::newRow("page not found")
            << httpAnswer("404 Not Found", kHtml, "<p>no</p>") << true << 5000;
        QTest::newRow("server error")
            << httpAnswer("500 Internal Server Error", kHtml, kPage) << true << 5000;
        QTest::newRow("not HTML") << httpAnswer("200 OK", "Content-Type: text/plain\r\n", "Ciao")
                                  << true << 5000;
        QTest::newRow("no answer in time") << QByteArray() << true << 300;
    }

    void anUnreachableSiteNeverStartsTheEngine() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, portOpen);
        QFETCH(int, timeoutMs);
        LoopbackSite site(answer);
        Band band(portOpen ? site.page() : closedPort(), std::chrono::milliseconds(timeoutMs));
        QVERIFY(band.navigated);
        QTRY_VERIFY_WITH_TIMEOUT(band.showsOfflinePage(), 10000);
        QCOMPARE(site.pageRequests, portOpen ? 1 : 0);
        QVERIFY(!webEngineLoaded());
        QCOMPARE(childProcesses(), 0);
        QVERIFY(band.links.opened.empty());
    }

    // Last, as it starts the engine in this process. The engine is handed the bytes the band
    // already has, and the cookies the answer set, unless it must ask the site itself: the page
    // is too large to hand over, or comes with a security policy that holds only for a page the
    // engine loads. Either way the page's relative address for its picture leads to the site.
    void aPageThatArrivesIsShownByTheEngine_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("pageRequests");
        const QByteArray headers = kHtml + "Set-Cookie: visita=1\r\n";
        QTest::newRow("page handed over") << httpAnswer("200 OK", headers, kPage) << 1;
        QTest::newRow("security policy")
            << httpAnswer("200 OK", headers + "Content-Security-Policy: script-src 'none'\r\n",
                          kPage)
            << 2;
        QTest::newRow("too large to hand over")
            << httpAnswer("200 OK", headers, kPage + QByteArray(3 * 1024 * 1024, ' ')) << 2;
    }

    void aPageThatArrivesIsShownByTheEngine() {
        QFETCH(QByteArray, answer);
        QFETCH(int, pageRequests);
        LoopbackSite site(answer);
        Band band(site.page(), qt::kSiteTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(engineView(band.view.widget()) != nullptr, 10000);
        QVERIFY(engineView(band.view.widget())->isVisible());
        QVERIFY(!band.showsOfflinePage());
        QTRY_VERIFY_WITH_TIMEOUT(!site.pictureRequest.isEmpty(), 30000);
        QCOMPARE(site.pageRequests, pageRequests);
        QVERIFY2(site.pictureRequest.contains("\r\nCookie: visita=1\r\n"),
                 site.pictureRequest.constData());
        // The probes of the test above see an engine when there is one.
        QVERIFY(webEngineLoaded());
        QVERIFY(childProcesses() > 0);
    }
};

int main(int argc, char* argv[]) {
    // As the program does: the engine shares its OpenGL context with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    WebViewBandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_web_view_band.moc"

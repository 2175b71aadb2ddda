// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The band as the program makes it, against a site on loopback: the browser engine is started
// only when our own fetch brings a page, never asks the site for it itself, and lets only the
// user's own clicks on web addresses leave the band.
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <map>
#include <memory>

#include "fakes.h"
#include "main_window/main_window.h"
#include "web_band/fetching_band_factory.h"
#include "web_band/offline_band.h"
#include "web_band/security_policy.h"

using namespace quintara;
using namespace std::chrono_literals;

namespace {

// A site on 127.0.0.1 that answers every request with the same bytes, never when there are none,
// or, when `endless`, with a page that never ends; a path it was told of gets its own answer. It
// counts the requests for the band's page and keeps the one for the page's picture, which only
// the engine asks for, once it has the page. Whatever lies below /senza-fine never ends: a
// picture, style sheet, font, page or plain bytes by its name's ending, or a WebSocket that sends
// message after message.
class LoopbackSite final : public QObject {
public:
    explicit LoopbackSite(QByteArray answer, bool endless = false)
        : answer_(std::move(answer)), endless_(endless) {
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

    void serve(const QByteArray& path, QByteArray answer) { answers_[path] = std::move(answer); }

    int pageRequests = 0;
    QByteArray pictureRequest;
    qint64 endlessBytesSent = 0;

private:
    void read(QTcpSocket& socket) {
        QByteArray& request = requests_[&socket];
        request += socket.readAll();
        if (!request.contains("\r\n\r\n")) {
            return;
        }
        const QByteArray path = request.split(' ').value(1);
        pageRequests += request.startsWith("GET /riq-quintara.html ");
        if (request.startsWith("GET /picture.png ")) {
            pictureRequest = request;
        }
        if (path.startsWith("/senza-fine")) {
            sendEndlessly(socket, path, request);
        } else if (endless_) {
            sendEndlessly(socket, ".html", request);
        } else if (answers_.count(path.split('?').first()) != 0) {
            socket.write(answers_[path.split('?').first()]);
            socket.disconnectFromHost();
        } else if (!answer_.isEmpty()) {
            socket.write(answer_);
            socket.disconnectFromHost();
        }
        request.clear();
    }

    void sendEndlessly(QTcpSocket& socket, const QByteArray& path, const QByteArray& request) {
        const bool webSocket = request.toLower().contains("\r\nupgrade: websocket\r\n");
        socket.write(webSocket ? webSocketHandshake(request) : endlessStart(path));
        // A binary message of 64 KiB, without end, or 64 KiB more of the answer.
        const QByteArray more =
            webSocket ? QByteArray::fromHex("827f0000000000010000") + QByteArray(64 * 1024, 'x')
                      : QByteArray(64 * 1024, 'x');
        connect(&socket, &QTcpSocket::bytesWritten, this, [this, &socket, more] {
            if (socket.bytesToWrite() == 0) {
                endlessBytesSent += more.size();
                socket.write(more);
            }
        });
    }

    // By the name's ending: a picture of one pixel, then a chunk that claims 2 GiB; a style
    // sheet, font or page that never closes; or plain bytes.
    static QByteArray endlessStart(const QByteArray& path) {
        const QByteArray kinds[][3] = {
            {".png", "image/png",
             QByteArray::fromHex("89504e470d0a1a0a0000000d49484452000000010000000108020000009077"
                                 "53de7ffffff074455874")},
            {".css", "text/css", "/*"},
            {".woff2", "font/woff2", "wOF2"},
            {".html", "text/html", "<p>"},
            {"", "application/octet-stream", ""}};
        for (const auto& [ending, type, start] : kinds) {
            if (path.endsWith(ending)) {
                return "HTTP/1.1 200 OK\r\nContent-Type: " + type + "\r\n\r\n" + start;
            }
        }
        return {};
    }

    static QByteArray webSocketHandshake(const QByteArray& request) {
        const int at = request.toLower().indexOf("\r\nsec-websocket-key:") + 20;
        const QByteArray key = request.mid(at, request.indexOf("\r\n", at) - at).trimmed();
        const QByteArray accept =
            QCryptographicHash::hash(key + "258EAFA5-E914-47DA-95CA-C5AB0DC85B11",
                                     QCryptographicHash::Sha1)
                .toBase64();
        return "HTTP/1.1 101 Switching Protocols\r\nUpgrade: websocket\r\nConnection: "
               "Upgrade\r\nSec-WebSocket-Accept: " +
               accept + "\r\n\r\n";
    }

    QByteArray answer_;
    bool endless_;
    std::map<QByteArray, QByteArray> answers_;
    QTcpServer server_;
    std::map<QTcpSocket*, QByteArray> requests_;
};

QByteArray httpAnswer(const QByteArray& status, const QByteArray& headers, const QByteArray& body) {
    return "HTTP/1.1 " + status + "\r\n" + headers +
           "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" +
           body;
}

const QByteArray kPage =
    "<!DOCTYPE html><html><head><title>Pagina di prova</title></head><body><p>Pagina di prova</p>"
    "<script>document.title = 'lo script ha girato'</script><img "
    "src=\"picture.png\"></body></html>";
const QByteArray kHtml = "Content-Type: text/html; charset=utf-8\r\n";

// A page with its own picture, style sheet and font, which says in its title whether it got them
// all.
const QByteArray kWholePage =
    "<!DOCTYPE html><html><head><title>Pagina di prova</title>"
    "<link rel=\"stylesheet\" href=\"style.css\"></head><body><p id=\"testo\">Pagina di prova</p>"
    "<img id=\"foto\" src=\"picture.png\"><script>window.onload = function() {"
    "  document.fonts.load('12px Prova').then(function(faces) {"
    "    var whole = faces.length == 1 && document.getElementById('foto').naturalWidth == 2 &&"
    "        getComputedStyle(document.getElementById('testo')).color == 'rgb(1, 2, 3)';"
    "    document.title = whole ? 'intera' : 'a pezzi';"
    "  }, function() { document.title = 'a pezzi' });"
    "}</script></body></html>";

// A page that asks for everything that never ends, in every way a page can keep it, and for 400
// large pictures, and then for its picture.
const QByteArray kEndlessRequestsPage =
    "<!DOCTYPE html><html><head><title>Senza fine</title><style>@font-face {font-family: Infinita;"
    " src: url(senza-fine.woff2)} p {font-family: Infinita}</style></head><body><p>Senza fine</p>"
    "<script>var kept = [];"
    "fetch('senza-fine-lettura.bin').then(function(answer) {"
    "  var reader = answer.body.getReader();"
    "  var more = function() { reader.read().then(function(part) {"
    "    if (!part.done) { kept.push(part.value); more(); } }) };"
    "  more(); });"
    "fetch('senza-fine-intero.bin').then(function(answer) { return answer.arrayBuffer() })"
    "  .then(function(all) { kept.push(all) });"
    "var request = new XMLHttpRequest(); request.open('GET', 'senza-fine-xhr.bin');"
    "request.responseType = 'arraybuffer'; request.send();"
    "var socket = new WebSocket('ws://' + location.host + '/senza-fine-socket');"
    "socket.binaryType = 'arraybuffer'; socket.onmessage = function(message) {"
    "  kept.push(message.data) };"
    "for (var each = 0; each < 400; ++each) {"
    "  var picture = new Image(); picture.src = 'grande.png?' + each; kept.push(picture) }"
    "</script><img src=\"senza-fine.png\"><iframe src=\"senza-fine.html\"></iframe>"
    "<link rel=\"stylesheet\" href=\"senza-fine.css\"><img src=\"picture.png\"></body></html>";

// The resident memory of the band and the engine's processes a page may cost, far above the
// figure of a plain page (some 280 MiB with Qt 6.4, 330 MiB with Qt 6.8) and far below what the
// page above cost before anything it asked for was bounded (1000 MiB and more within twenty
// seconds).
constexpr qint64 kMostResidentMiB = 600;

QByteArray pngOf(const QImage& picture) {
    QByteArray png;
    QBuffer file(&png);
    file.open(QIODevice::WriteOnly);
    picture.save(&file, "PNG");
    return httpAnswer("200 OK", "Content-Type: image/png\r\n", png);
}

// What the site serves beside a page: a picture of 2 by 2 pixels, a style sheet and its font.
void serveThePagesOwnFiles(LoopbackSite& site) {
    site.serve("/picture.png", pngOf(QImage(2, 2, QImage::Format_RGB32)));
    site.serve("/style.css", httpAnswer("200 OK", "Content-Type: text/css\r\n",
                                        "@font-face {font-family: Prova; src: url(font.ttf)}"
                                        " p {color: rgb(1, 2, 3); font-family: Prova}"));
    // Any real font will do; Liberation is among the build dependencies of the tests.
    QFile font(QStringLiteral("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf"));
    QVERIFY2(font.open(QIODevice::ReadOnly), qPrintable(font.fileName()));
    site.serve("/font.ttf", httpAnswer("200 OK", "Content-Type: font/ttf\r\n", font.readAll()));
}

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

// The processes this one started, and theirs (the engine runs its pages in processes of its own).
QStringList engineProcesses() {
    std::multimap<QByteArray, QString> children;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        // pid (name) state ppid ...: the name may hold blanks, so read after its ')'.
        const QByteArray fields = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        children.emplace(fields.mid(fields.lastIndexOf(')') + 2).split(' ').value(1), pid);
    }
    QStringList found{QString::number(QCoreApplication::applicationPid())};
    for (qsizetype parent = 0; parent < found.size(); ++parent) {
        for (auto [child, end] = children.equal_range(found[parent].toUtf8()); child != end;
             ++child) {
            found << child->second;
        }
    }
    return found.mid(1);
}

// The resident memory of this process and the engine's, summed, in MiB.
qint64 residentMiB() {
    QStringList processes = engineProcesses();
    processes << QStringLiteral("self");
    qint64 pages = 0;
    for (const QString& pid : processes) {
        QFile statm(QStringLiteral("/proc/%1/statm").arg(pid));
        pages +=
            statm.open(QIODevice::ReadOnly) ? statm.readAll().split(' ').value(1).toLongLong() : 0;
    }
    return pages * sysconf(_SC_PAGESIZE) >> 20;
}

QWidget* engineView(QWidget& band) {
    for (QWidget* child : band.findChildren<QWidget*>()) {
        if (child->inherits("QWebEngineView")) {
            return child;
        }
    }
    return nullptr;
}

// The program's bands, asking `page` instead of the maker's site.
class BandsAskingElsewhere final : public web_band::WebBandFactory {
public:
    BandsAskingElsewhere(qt::LinkOpener& links, QUrl page)
        : bands_(links), page_(std::move(page)) {}
    web_band::WebBand& create(QWidget& parent) override {
        return *asking_.emplace_back(std::make_unique<Asking>(bands_.create(parent), page_));
    }

private:
    struct Asking final : web_band::WebBand {
        Asking(web_band::WebBand& band, QUrl page) : band(band), page(std::move(page)) {}
        QWidget& widget() override { return band.widget(); }
        void setSilent(bool silent) override { band.setSilent(silent); }
        bool navigate(const QUrl&) override { return band.navigate(page); }
        web_band::WebBand& band;
        QUrl page;
    };
    web_band::FetchingBandFactory bands_;
    QUrl page_;
    std::vector<std::unique_ptr<Asking>> asking_;
};

// A page whose first link fills the square at (0, 0) and whose second, always to
// https://sentinella.invalid/, the square at (200, 0), both 100 pixels wide.
QByteArray linkPage(const QByteArray& href, const QByteArray& target, const QByteArray& script) {
    return "<!DOCTYPE html><html><head><style>body{margin:0} a{position:absolute; top:0; "
           "width:100px; height:100px; display:block}</style></head><body>"
           "<a id=\"link\" href=\"" +
           href + "\" target=\"" + target +
           "\" style=\"left:0\">link</a>"
           "<a href=\"https://sentinella.invalid/\" style=\"left:200px\">sentinella</a>"
           "<script>" +
           script + "</script><img src=\"picture.png\"></body></html>";
}

}  // namespace

class WebBandTest : public QObject {
    Q_OBJECT

private:
    // A band made by the program's own factory, inside a shown window, told to show `page`.
    struct Band {
        Band(const QUrl& page, std::chrono::milliseconds siteTimeout)
            : factory(links, siteTimeout), band(factory.create(window)) {
            band.widget().setGeometry(0, 0, 649, 105);
            window.resize(649, 105);
            window.show();
            band.setSilent(true);
            navigated = band.navigate(page);
        }
        bool showsOfflineBand() {
            const auto* offline = band.widget().findChild<web_band::OfflineBand*>();
            return offline != nullptr && offline->isVisible();
        }
        testing::RecordingLinkOpener links;
        web_band::FetchingBandFactory factory;
        QWidget window;
        web_band::WebBand& band;
        bool navigated = false;
    };

    // Waits until the engine has shown the page the site served, picture and all.
    static void waitForThePage(Band& band, LoopbackSite& site, QWidget*& view) {
        QTRY_VERIFY_WITH_TIMEOUT(engineView(band.band.widget()) != nullptr, 10000);
        view = engineView(band.band.widget());
        QTRY_VERIFY_WITH_TIMEOUT(!site.pictureRequest.isEmpty(), 30000);
        const QObject* page = nullptr;
        for (const QObject* child : view->children()) {
            page = child->inherits("QWebEnginePage") ? child : page;
        }
        QVERIFY(page != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(!page->property("loading").toBool(), 30000);
    }

    static QWidget& input(QWidget& view) {
        return view.focusProxy() != nullptr ? *view.focusProxy() : view;
    }

    static void click(QWidget& view, QPoint at) {
        QTest::mouseClick(&input(view), Qt::LeftButton, {}, at);
    }

    // Return pressed on the view and held for a second, its repeats as an X server sends them:
    // a release and a press with the same timestamp, neither marked as a repeat.
    static constexpr int kReturnPresses = 31;

    static void holdReturn(QWidget& view) {
        view.window()->activateWindow();
        input(view).setFocus();
        QTRY_VERIFY_WITH_TIMEOUT(input(view).hasFocus(), 10000);
        const auto send = [&view](QEvent::Type type, quint64 at) {
            QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
            key.setTimestamp(at);
            QApplication::sendEvent(&input(view), &key);
        };
        quint64 at = 1000;
        send(QEvent::KeyPress, at);
        for (int repeat = 1; repeat < kReturnPresses; ++repeat) {
            QTest::qWait(33);
            at += 33;
            send(QEvent::KeyRelease, at);
            send(QEvent::KeyPress, at);
        }
        send(QEvent::KeyRelease, at + 33);
    }

private slots:
    void anUnreachableSiteNeverStartsTheEngine_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("portOpen");
        QTest::addColumn<bool>("endless");
        QTest::addColumn<int>("timeoutMs");
        QTest::newRow("nothing listens") << QByteArray() << false << false << 5000;
        QTest::newRow("page not found")
            << httpAnswer("404 Not Found", kHtml, "<p>no</p>") << true << false << 5000;
        QTest::newRow("server error")
            << httpAnswer("500 Internal Server Error", kHtml, kPage) << true << false << 5000;
        QTest::newRow("not HTML") << httpAnswer("200 OK", "Content-Type: text/plain\r\n", "Ciao")
                                  << true << false << 5000;
        QTest::newRow("no answer in time") << QByteArray() << true << false << 300;
        QTest::newRow("over 2 MiB")
            << httpAnswer("200 OK", kHtml, kPage + QByteArray(2 * 1024 * 1024, ' ')) << true
            << false << 5000;
        QTest::newRow("too large once escaped for the engine")
            << httpAnswer("200 OK", kHtml, kPage + QByteArray(1024 * 1024, '<')) << true << false
            << 5000;
        // Waiting far longer than the test does: only the limit can end this answer.
        QTest::newRow("a page that never ends") << QByteArray() << true << true << 600000;
        QTest::newRow("a security policy only a header can carry")
            << httpAnswer("200 OK", kHtml + "Content-Security-Policy: sandbox\r\n", kPage) << true
            << false << 5000;
    }

    void anUnreachableSiteNeverStartsTheEngine() {
        QFETCH(QByteArray, answer);
        QFETCH(bool, portOpen);
        QFETCH(bool, endless);
        QFETCH(int, timeoutMs);
        LoopbackSite site(answer, endless);
        Band band(portOpen ? site.page() : closedPort(), std::chrono::milliseconds(timeoutMs));
        QVERIFY(band.navigated);
        QTRY_VERIFY_WITH_TIMEOUT(band.showsOfflineBand(), 10000);
        QCOMPARE(site.pageRequests, portOpen ? 1 : 0);
        QVERIFY(!webEngineLoaded());
        QVERIFY(engineProcesses().empty());
        QVERIFY(band.links.opened.empty());
    }

    // A policy the site sent as a header travels inside the page, first, but after the doctype.
    void aSecurityPolicyHeaderIsPlacedInThePage_data() {
        QTest::addColumn<QByteArray>("page");
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray meta =
            "<meta http-equiv=\"Content-Security-Policy\" content=\"script-src 'none'\">";
        QTest::newRow("no policy") << QByteArray("<p>") << QByteArray() << QByteArray("<p>");
        QTest::newRow("no doctype")
            << QByteArray("<p>") << QByteArray("script-src 'none'") << meta + "<p>";
        QTest::newRow("after the doctype")
            << QByteArray("\xEF\xBB\xBF <!DOCTYPE html>\n<p>") << QByteArray("script-src 'none'")
            << "\xEF\xBB\xBF <!DOCTYPE html>" + meta + "\n<p>";
        QTest::newRow("what only a header carries is left out")
            << QByteArray("<p>")
            << QByteArray("frame-ancestors 'none'; script-src  'none' ; report-uri /r")
            << meta + "<p>";
        QTest::newRow("two policies")
            << QByteArray("<p>") << QByteArray("script-src 'none', img-src \"x\"")
            << meta +
                   "<meta http-equiv=\"Content-Security-Policy\" content=\"img-src &quot;x&quot;\">"
                   "<p>";
    }

    void aSecurityPolicyHeaderIsPlacedInThePage() {
        QFETCH(QByteArray, page);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, expected);
        QCOMPARE(web_band::withSecurityPolicy(page, header).value_or("none"), expected);
    }

    // From here on the engine runs in this process. It is handed the bytes our fetch brought, and
    // the cookies the answer set, and never asks the site for the page itself; the page's relative
    // address for its picture leads to the site.
    void aPageThatArrivesIsShownByTheEngine_data() {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("title");
        const QByteArray headers = kHtml + "Set-Cookie: visita=1\r\n";
        QTest::newRow("page handed over")
            << httpAnswer("200 OK", headers, kPage) << QStringLiteral("lo script ha girato");
        QTest::newRow("with its own picture, style sheet and font")
            << httpAnswer("200 OK", headers, kWholePage) << QStringLiteral("intera");
        QTest::newRow("a security policy holds")
            << httpAnswer("200 OK",
                          headers +
                              "Content-Security-Policy: script-src 'none'; img-src 'self'; "
                              "report-uri /r\r\n",
                          kPage)
            << QStringLiteral("Pagina di prova");
    }

    void aPageThatArrivesIsShownByTheEngine() {
        QFETCH(QByteArray, answer);
        QFETCH(QString, title);
        LoopbackSite site(answer);
        serveThePagesOwnFiles(site);
        Band band(site.page(), web_band::kSiteTimeout);
        QWidget* view = nullptr;
        waitForThePage(band, site, view);
        if (QTest::currentTestFailed()) {
            return;
        }
        QVERIFY(view->isVisible());
        QVERIFY(!band.showsOfflineBand());
        QCOMPARE(site.pageRequests, 1);
        QTRY_COMPARE_WITH_TIMEOUT(view->property("title").toString(), title, 30000);
        QVERIFY2(site.pictureRequest.toLower().contains("\r\ncookie: visita=1\r\n"),
                 site.pictureRequest.constData());
        // The probes of the tests above see an engine when there is one.
        QVERIFY(webEngineLoaded());
        QVERIFY(!engineProcesses().empty());
    }

    // Nothing a page asks for grows without end inside the band: a page that asks for all that
    // never ends, every way a page can, costs about what a plain page costs. It has its chance:
    // the site sends until the engine has had a GiB, or for twenty seconds.
    void aPageCannotMakeTheBandGrowWithoutEnd() {
        LoopbackSite site(httpAnswer("200 OK", kHtml, kEndlessRequestsPage));
        // Pictures of some 1.4 MiB, as they hardly compress.
        QImage noise(700, 700, QImage::Format_RGB32);
        QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(noise.bits()),
                                              noise.sizeInBytes() / 4);
        site.serve("/grande.png", pngOf(noise));
        Band band(site.page(), web_band::kSiteTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(engineView(band.band.widget()) != nullptr, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(!site.pictureRequest.isEmpty(), 30000);
        (void)QTest::qWaitFor([&site] { return site.endlessBytesSent > qint64{1} << 30; }, 20000);
        const qint64 resident = residentMiB();
        qInfo("%lld MiB resident, %lld MiB sent", resident, site.endlessBytesSent >> 20);
        QVERIFY(resident <= kMostResidentMiB);
    }

    // Only the user's own click or key press on a web address leaves the band, for the browser,
    // once for each press however long the key is held; a mail address takes only its words
    // along. The band stays on its page. Each row then clicks a second link, which must open, so
    // that a row that opens nothing has given the first its chance.
    void onlyTheUsersClicksOnWebAddressesLeaveTheBand_data() {
        QTest::addColumn<QByteArray>("href");
        QTest::addColumn<QByteArray>("target");
        QTest::addColumn<QByteArray>("script");
        QTest::addColumn<QByteArray>("gesture");
        QTest::addColumn<QByteArray>("opened");
        const QByteArray none;
        const QByteArray click = "click";
        const QByteArray web = "https://esempio.invalid/pagina.html";
        QTest::newRow("click, https") << web << none << none << click << web;
        QTest::newRow("click, http") << QByteArray("http://esempio.invalid/") << none << none
                                     << click << QByteArray("http://esempio.invalid/");
        QTest::newRow("click, mailto") << QByteArray("mailto:info@esempio.invalid") << none << none
                                       << click << QByteArray("mailto:info@esempio.invalid");
        QTest::newRow("click, mailto with more than words")
            << QByteArray(
                   "MAILTO:info@esempio.invalid?Subject=Ciao%20a%20te&attach=/etc/passwd&"
                   "ATTACHMENT=file:///etc/shadow&cc=altro@esempio.invalid&bcc=x@y.invalid"
                   "&%61ttach=/etc/group&BODY=una%20riga")
            << none << none << click
            << QByteArray("mailto:info@esempio.invalid?subject=Ciao%20a%20te&body=una%20riga");
        QTest::newRow("click, new window") << web << QByteArray("_blank") << none << click << web;
        QTest::newRow("click, file")
            << QByteArray("file:///etc/passwd") << none << none << click << none;
        QTest::newRow("click, custom scheme")
            << QByteArray("quintara-prova:apri") << none << none << click << none;
        // Under X11 a held key repeats as a release and a press at the same moment, unmarked.
        QTest::newRow("Return held on a link")
            << web << none
            << QByteArray(
                   "document.getElementById('link').focus(); var presses = 0; "
                   "document.addEventListener('keydown', function() { "
                   "document.title = ++presses })")
            << QByteArray("Return held") << web;
        // The program's own pictures are not the page's: one that loaded would change the link.
        QTest::newRow("click, after a picture of the program's own")
            << web << none
            << QByteArray(
                   "var picture = new Image(); picture.onload = function() { "
                   "document.getElementById('link').href = 'https://rubata.invalid/' }; "
                   "picture.src = 'qrc:/quintara/header.jpg'")
            << click << web;
        QTest::newRow("script, location to a file")
            << web << none << QByteArray("location.href = 'file:///etc/passwd'") << none << none;
        QTest::newRow("script, location to https")
            << web << none << QByteArray("location.href = '" + web + "'") << none << none;
        QTest::newRow("script, clicks the link")
            << web << none << QByteArray("document.getElementById('link').click()") << none << none;
        QTest::newRow("script, opens a window")
            << web << none << QByteArray("window.open('" + web + "')") << none << none;
    }

    void onlyTheUsersClicksOnWebAddressesLeaveTheBand() {
        QFETCH(QByteArray, href);
        QFETCH(QByteArray, target);
        QFETCH(QByteArray, script);
        QFETCH(QByteArray, gesture);
        QFETCH(QByteArray, opened);
        LoopbackSite site(httpAnswer("200 OK", kHtml, linkPage(href, target, script)));
        Band band(site.page(), web_band::kSiteTimeout);
        QWidget* view = nullptr;
        waitForThePage(band, site, view);
        if (QTest::currentTestFailed()) {
            return;
        }
        std::vector<QUrl> expected;
        if (gesture == "click") {
            click(*view, QPoint(50, 50));
        } else if (gesture == "Return held") {
            // Once the page has seen every press, each has asked for its navigation.
            holdReturn(*view);
            QTRY_COMPARE_WITH_TIMEOUT(view->property("title").toString(),
                                      QString::number(kReturnPresses), 30000);
        }
        if (!opened.isEmpty()) {
            expected.emplace_back(QString::fromLatin1(opened));
            QTRY_COMPARE_WITH_TIMEOUT(band.links.opened.size(), std::size_t{1}, 10000);
        }
        click(*view, QPoint(250, 50));
        expected.emplace_back(QStringLiteral("https://sentinella.invalid/"));
        QTRY_COMPARE_WITH_TIMEOUT(band.links.opened.size(), expected.size(), 10000);
        QCOMPARE(band.links.opened, expected);
        QCOMPARE(view->property("url").toUrl(), site.page());
        QVERIFY(view->isVisible());
        QCOMPARE(site.pageRequests, 1);
    }

    // Tab runs through the commands in their order and then into the band, whichever
    // widget shows it, and leaves the band again for "Esci".
    void theBandComesLastInTheKeyboardOrder_data() {
        QTest::addColumn<bool>("siteAnswers");
        QTest::newRow("offline band") << false;
        QTest::newRow("the engine's page") << true;
    }

    void theBandComesLastInTheKeyboardOrder() {
        QFETCH(bool, siteAnswers);
        LoopbackSite site(siteAnswers ? httpAnswer("200 OK", kHtml, kPage) : QByteArray());
        testing::FakeServices fakes;
        BandsAskingElsewhere bands(fakes.links, siteAnswers ? site.page() : closedPort());
        window_services::WindowServices services{fakes.messages, fakes.links, bands,
                                                 fakes.printer,  fakes.files, fakes.random,
                                                 fakes.clock};
        testing::FakeModalWindow information;
        testing::FakeConditionsEditor conditions;
        main_window::MainWindow window(services, information, conditions);
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget* band = window.findChild<QWidget*>(QStringLiteral("band"));
        if (siteAnswers) {
            QTRY_VERIFY_WITH_TIMEOUT(engineView(*band) != nullptr, 10000);
            QTRY_VERIFY_WITH_TIMEOUT(!site.pictureRequest.isEmpty(), 30000);
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(band->findChild<web_band::OfflineBand*>() != nullptr, 10000);
        }
        window.findChild<QWidget*>(QStringLiteral("exitButton"))->setFocus();
        const auto focusIsIn = [](const QWidget* place) {
            for (QWidget* at = QApplication::focusWidget(); at != nullptr;
                 at = at->parentWidget()) {
                if (at == place) {
                    return true;
                }
            }
            return false;
        };
        for (const char* next : {"conditionsButton", "newSeriesButton", "printButton", "band"}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTRY_VERIFY2_WITH_TIMEOUT(
                focusIsIn(window.findChild<QWidget*>(QString::fromLatin1(next))), next, 10000);
        }
        // Within the band, Tab first visits the page's links.
        for (int press = 0; press < 4 && focusIsIn(band); ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            (void)QTest::qWaitFor([&] { return !focusIsIn(band); }, 2000);
        }
        QVERIFY(focusIsIn(window.findChild<QWidget*>(QStringLiteral("exitButton"))));
    }
};

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    WebBandTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_web_band.moc"

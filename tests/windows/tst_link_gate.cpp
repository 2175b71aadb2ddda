// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The band's link gate on its own: a plain widget stands for the engine's view, and the test's own
// clock tells how long ago the user's last gesture came.
#include <QTest>
#include <QWidget>

#include "fakes.h"
#include "web_band/engine/link_gate.h"

using namespace quintara;

namespace {

const QUrl kWebPage(QStringLiteral("https://esempio.invalid/pagina.html"));

struct Gate {
    Gate() : gate(view, links, [this] { return nowMs; }) {}
    QWidget view;
    testing::RecordingLinkOpener links;
    qint64 nowMs = 1000;
    web_band::LinkGate gate;
};

}  // namespace

class LinkGateTest : public QObject {
    Q_OBJECT

private slots:
    // A click, Return, keypad Enter or Space is one gesture, which lets one address through to
    // the browser within five seconds; a navigation without one goes nowhere.
    void aGestureLetsOneAddressLeaveWithinFiveSeconds_data() {
        QTest::addColumn<int>("key");  // 0: a click
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<qint64>("laterMs");
        QTest::addColumn<bool>("opened");
        QTest::newRow("click") << 0 << false << qint64{0} << true;
        QTest::newRow("Return") << int(Qt::Key_Return) << false << qint64{0} << true;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true << qint64{0} << true;
        QTest::newRow("Space") << int(Qt::Key_Space) << false << qint64{0} << true;
        QTest::newRow("a letter is no gesture") << int(Qt::Key_A) << false << qint64{0} << false;
        QTest::newRow("click, just in time") << 0 << false << qint64{4999} << true;
        QTest::newRow("click, expired") << 0 << false << qint64{5000} << false;
        QTest::newRow("Space, expired") << int(Qt::Key_Space) << false << qint64{5000} << false;
    }

    void aGestureLetsOneAddressLeaveWithinFiveSeconds() {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        QFETCH(qint64, laterMs);
        QFETCH(bool, opened);
        Gate band;
        if (key == 0) {
            QTest::mouseClick(&band.view, Qt::LeftButton);
        } else {
            QTest::keyClick(&band.view, Qt::Key(key), keypad ? Qt::KeypadModifier : Qt::NoModifier);
        }
        band.nowMs += laterMs;
        QVERIFY(!band.gate.allowsMainFrame(kWebPage));
        band.gate.newWindowAsked(kWebPage, true);
        QCOMPARE(band.links.opened, opened ? std::vector<QUrl>{kWebPage} : std::vector<QUrl>{});
    }

    void onlyWebAndMailAddressesLeave_data() {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("web");
        QTest::newRow("https") << QStringLiteral("https://esempio.invalid/") << true;
        QTest::newRow("http") << QStringLiteral("http://esempio.invalid/") << true;
        QTest::newRow("mailto") << QStringLiteral("mailto:info@esempio.invalid") << true;
        QTest::newRow("file") << QStringLiteral("file:///etc/passwd") << false;
        QTest::newRow("data") << QStringLiteral("data:text/html,<p>") << false;
        QTest::newRow("javascript") << QStringLiteral("javascript:alert(1)") << false;
        QTest::newRow("ftp") << QStringLiteral("ftp://esempio.invalid/") << false;
        QTest::newRow("blob") << QStringLiteral("blob:https://esempio.invalid/1") << false;
        QTest::newRow("not an address") << QStringLiteral("http://[::1") << false;
    }

    void onlyWebAndMailAddressesLeave() {
        QFETCH(QString, address);
        QFETCH(bool, web);
        QCOMPARE(web_band::isWebAddress(QUrl(address)), web);
    }

    // Only the subject and the text go along to the mail program, whatever their case; the
    // address itself stays as it was.
    void aMailAddressTakesOnlyItsWords_data() {
        QTest::addColumn<QString>("mail");
        QTest::addColumn<QString>("kept");
        const QString to = QStringLiteral("mailto:info@esempio.invalid");
        QTest::newRow("no fields") << to << to;
        QTest::newRow("subject and text")
            << to + "?subject=Ciao&body=Una%20riga" << to + "?subject=Ciao&body=Una%20riga";
        QTest::newRow("their names in any case")
            << to + "?SUBJECT=Ciao&Body=x" << to + "?subject=Ciao&body=x";
        QTest::newRow("attachments, copies and recipients dropped")
            << to + "?attach=/etc/passwd&cc=a@b.invalid&bcc=c@d.invalid&to=e@f.invalid&body=x"
            << to + "?body=x";
        QTest::newRow("nothing but what is dropped") << to + "?cc=a@b.invalid" << to;
    }

    void aMailAddressTakesOnlyItsWords() {
        QFETCH(QString, mail);
        QFETCH(QString, kept);
        Gate band;
        QTest::mouseClick(&band.view, Qt::LeftButton);
        band.gate.newWindowAsked(QUrl(mail), true);
        QCOMPARE(band.links.opened, std::vector<QUrl>{QUrl(kept)});
    }

    // The page lives at the band's own addresses; a link to one of them leaves as the site's.
    void aLinkOfThePagesOwnLeavesAsTheSites() {
        Gate band;
        band.gate.startPage(QUrl(QStringLiteral("http://esempio.invalid:8080/riq-quintara.html")));
        QTest::mouseClick(&band.view, Qt::LeftButton);
        QVERIFY(!band.gate.allowsMainFrame(
            QUrl(QStringLiteral("quintara-site://esempio.invalid/altra.html?a=1#b"))));
        QCOMPARE(band.links.opened, std::vector<QUrl>{QUrl(QStringLiteral(
                                        "http://esempio.invalid:8080/altra.html?a=1#b"))});
    }
};

QTEST_MAIN(LinkGateTest)
#include "tst_link_gate.moc"

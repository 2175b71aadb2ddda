// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "fakes.h"
#include "info_window/frmsplash.h"
#include "platform/qt/clickable_label.h"
#include "platform/qt/site.h"
#include "platform/qt/twips.h"

using namespace quintara;
using info_window::frmSplash;
using testing::RecordingLinkOpener;

namespace {

QColor foreColour(QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);

}  // namespace

class InformationWindowTest : public QObject {
    Q_OBJECT

private:
    RecordingLinkOpener links;
    QWidget owner;

    QLabel* label(frmSplash& window, const char* name) { return window.findChild<QLabel*>(name); }

    // Shows the window modally and, once it is up, does what the test wants; returns whether the
    // modal showing ended by itself.
    bool showAndThen(frmSplash& window, const std::function<void()>& action) {
        constexpr int kForced = QDialog::Accepted + 100;
        QTimer::singleShot(0, &window, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            action();
            if (window.isVisible()) {
                window.done(kForced);  // still open: end it by force
            }
        });
        window.showModal(owner);
        return window.result() != kForced;
    }

private slots:
    void theVersionLabelReadsVersion212() {
        frmSplash window(links);
        window.Form_Load();
        QCOMPARE(label(window, "lblVersion")->text(), QStringLiteral("Version 2.1.2"));
        QVERIFY(label(window, "lblVersion")->geometry().right() < window.width());
    }

    void textsAreTheDesigns() {
        frmSplash window(links);
        QCOMPARE(label(window, "Label1")->text(), QStringLiteral("Quintara"));
        QVERIFY(
            label(window, "Label2")->text().contains(QStringLiteral("informazioni,  migliorie")));
        QVERIFY(
            label(window, "lblWarning")->text().contains(QStringLiteral("caso.  Le probabilità")));
        QCOMPARE(label(window, "Label4")->text(), QStringLiteral("Continua"));
        QCOMPARE(label(window, "lblCompany(0)")->text(), QStringLiteral("Contatto diretto"));
        QCOMPARE(window.size(), qt::twipsRect(0, 0, 7290, 8130).size());
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
    }

    void continuaClosesTheWindow() {
        frmSplash window(links);
        QVERIFY(showAndThen(window,
                            [&] { QTest::mouseClick(label(window, "Label4"), Qt::LeftButton); }));
        QVERIFY(!window.isVisible());
    }

    // The windows are created once in main and destroyed in turn: the owner must not delete it.
    void showingOverAnOwnerLeavesItUnowned() {
        frmSplash window(links);
        QVERIFY(showAndThen(window, [&] { window.Label4_Click(); }));
        QVERIFY(window.parent() == nullptr);
        QCOMPARE(window.windowHandle()->transientParent(), owner.windowHandle());
    }

    void escapeBehavesAsContinua() {
        frmSplash window(links);
        QVERIFY(showAndThen(window, [&] { QTest::keyClick(&window, Qt::Key_Escape); }));
        QCOMPARE(window.result(), int(QDialog::Accepted));
    }

    void clicksElsewhereDoNotCloseIt() {
        frmSplash window(links);
        QVERIFY(!showAndThen(window, [&] {
            QTest::mouseClick(label(window, "Label5"), Qt::LeftButton);
            QTest::mouseClick(label(window, "lblWarning"), Qt::LeftButton);
        }));
    }

    void theThreeLinksOpenTheirPagesAndTheWindowStays() {
        frmSplash window(links);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(label(window, "Image1"), Qt::LeftButton);
        QTest::mouseClick(label(window, "Image4"), Qt::LeftButton);
        QTest::mouseClick(label(window, "lblCompany(0)"), Qt::LeftButton);
        QCOMPARE(links.opened, (std::vector<QUrl>{qt::site::homePage(), qt::site::donationPage(),
                                                  qt::site::productPage()}));
        QCOMPARE(links.opened[1].toString(), "http://" + qt::site::host() + "/Paypal-dona.html");
        QVERIFY(window.isVisible());
    }

    // Red under the pointer, navy again only over the frame; leaving the frame for the donation
    // area below it keeps it red.
    void contattoDirettoTurnsRedUnderThePointer() {
        frmSplash window(links);
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* company = label(window, "lblCompany(0)");
        QWidget* frame = window.findChild<QWidget*>("Frame1");
        QCOMPARE(foreColour(company), kNavy);
        QTest::mouseMove(company, company->rect().center());
        QCOMPARE(foreColour(company), kRed);
        QTest::mouseMove(&window, qt::twipsPoint(3000, 7300));
        QCOMPARE(foreColour(company), kRed);
        QTest::mouseMove(frame, qt::twipsPoint(300, 3500));
        QCOMPARE(foreColour(company), kNavy);
    }

    void everyShowingStartsWithTheLinkInNavy() {
        frmSplash window(links);
        showAndThen(window, [&] {
            QWidget* company = label(window, "lblCompany(0)");
            QTest::mouseMove(company, company->rect().center());
            QCOMPARE(foreColour(company), kRed);
            window.Label4_Click();
        });
        showAndThen(window, [&] {
            QCOMPARE(foreColour(label(window, "lblCompany(0)")), kNavy);
            window.Label4_Click();
        });
    }
};

QTEST_MAIN(InformationWindowTest)
#include "tst_frmsplash.moc"

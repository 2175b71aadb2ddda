// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include "fakes.h"
#include "form_controls/clickable_label.h"
#include "form_controls/twips.h"
#include "info_window/information_window.h"
#include "platform/qt/site.h"

using namespace quintara;
using info_window::InformationWindow;
using testing::foreColour;
using testing::RecordingLinkOpener;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);

}  // namespace

class InformationWindowTest : public QObject {
    Q_OBJECT

private:
    RecordingLinkOpener links;
    QWidget owner;

    QLabel* label(InformationWindow& window, const char* name) {
        return window.findChild<QLabel*>(name);
    }

    // Shows the window modally and, once it is up, does what the test wants; returns whether the
    // modal showing ended by itself.
    bool showAndThen(InformationWindow& window, const std::function<void()>& action) {
        const auto show = [&] { window.showModal(owner); };
        return testing::whileShownModally(window, show, action);
    }

private slots:
    void theVersionLabelReadsVersion212() {
        InformationWindow window(links);
        window.prepare();
        QCOMPARE(label(window, "version")->text(), QStringLiteral("Version 2.1.2"));
        QVERIFY(label(window, "version")->geometry().right() < window.width());
    }

    // What the layout must hold, whatever its figures: every control inside the window; the
    // title, notes, links, pictures and disclaimer within the sunken frame, the donation link and
    // appeal in their box below it, "Continua" across the foot on its green bar; every text whole
    // in its label and every picture shown.
    void theWindowHoldsTogether() {
        InformationWindow window(links);
        window.prepare();
        const auto at = [&](const QString& name) {
            const QWidget* control = window.findChild<QWidget*>(name);
            return control != nullptr ? QRect(control->mapTo(&window, QPoint()), control->size())
                                      : QRect();
        };
        QStringList faults;
        const auto require = [&faults](bool holds, const QString& what) {
            if (!holds) {
                faults << what;
            }
        };
        const QRect frame = at("frame");
        const QRect donationBox = at("donationBox");
        for (const char* name :
             {"title", "freeNote", "donationNote", "contactLink", "warning", "copyright", "version",
              "logo", "warningPicture", "ticketPicture"}) {
            require(frame.contains(at(name)), QString::fromLatin1(name) + " within the frame");
        }
        require(donationBox.top() >= frame.bottom(), "the donation box below the frame");
        for (const char* name : {"donationLink", "donationAppeal"}) {
            require(donationBox.contains(at(name)),
                    QString::fromLatin1(name) + " within the donation box");
        }
        const QRect bar = at("continueBar");
        const QRect continueButton = at("continueButton");
        require(bar.top() > donationBox.bottom() && bar.left() == continueButton.left() &&
                    bar.right() == continueButton.right() && bar.contains(continueButton.topLeft()),
                "Continua on its bar, below the donation box");
        require(bar.width() > window.width() * 9 / 10, "the bar across the window");
        for (const QWidget* control : window.findChildren<QWidget*>()) {
            if (!control->objectName().isEmpty()) {
                require(window.rect().contains(at(control->objectName())),
                        control->objectName() + " inside the window");
            }
        }
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (!label->text().isEmpty()) {
                require(testing::showsItsTextWhole(*label),
                        label->objectName() + " shows its text whole");
            } else {
                require(!label->pixmap().isNull(), label->objectName() + " shows its picture");
            }
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // No title bar, and a fixed dialog border the window draws itself: light at the top and
    // left, the palette's shadow at the bottom and right.
    void aDialogBorderFramesTheClientArea() {
        InformationWindow window(links);
        const QSize client = form_controls::twipsRect(0, 0, 7290, 8130).size();
        QCOMPARE(window.findChild<QWidget*>("client")->geometry(), QRect(QPoint(3, 3), client));
        QCOMPARE(window.size(), client + QSize(6, 6));
        QVERIFY(window.windowFlags() & Qt::FramelessWindowHint);
        const QImage image = window.grab().toImage();
        const QPalette& palette = window.palette();
        QCOMPARE(image.pixel(0, 200), palette.color(QPalette::Light).rgb());
        QCOMPARE(image.pixel(image.width() - 1, 200), palette.color(QPalette::Shadow).rgb());
        QCOMPARE(image.pixel(200, image.height() - 1), palette.color(QPalette::Shadow).rgb());
    }

    // Key 0 is a click on "Continua"; the other keys are typed where the focus is as the window
    // opens, which is on "Continua".
    void theseCloseTheWindow_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("a click on Continua") << 0;
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter on the keypad") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
    }

    void theseCloseTheWindow() {
        QFETCH(int, key);
        InformationWindow window(links);
        QVERIFY(showAndThen(window, [&] {
            QCOMPARE(window.focusWidget(), label(window, "continueButton"));
            if (key == 0) {
                QTest::mouseClick(label(window, "continueButton"), Qt::LeftButton);
            } else {
                QTest::keyClick(window.focusWidget(), Qt::Key(key));
            }
        }));
        QCOMPARE(window.result(), int(QDialog::Accepted));
        QVERIFY(!window.isVisible());
    }

    // From "Continua", Tab goes down the window through the three links and back; Return opens
    // a link's page as a click does, Space does nothing to a link, and the window stays.
    void tabReachesTheLinksAndReturnOpensThem() {
        RecordingLinkOpener opened;
        InformationWindow window(opened);
        QStringList reached;
        QVERIFY(!showAndThen(window, [&] {
            for (int stop = 0; stop < 4 && window.focusWidget() != nullptr; ++stop) {
                QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
                reached << window.focusWidget()->objectName();
                if (stop < 3) {
                    QTest::keyClick(window.focusWidget(), Qt::Key_Space);
                    QTest::keyClick(window.focusWidget(), Qt::Key_Return);
                }
            }
        }));
        QCOMPARE(reached, QStringList({"logo", "contactLink", "donationLink", "continueButton"}));
        QCOMPARE(opened.opened, (std::vector<QUrl>{qt::site::homePage(), qt::site::productPage(),
                                                   qt::site::donationPage()}));
    }

    // The focus frame is all that the focus changes: every pixel that differs from the window
    // without the focus lies on the control that has it.
    void onlyTheFocusedControlShowsTheFocus_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"continueButton", "logo", "contactLink", "donationLink"}) {
            QTest::newRow(name) << name;
        }
    }

    void onlyTheFocusedControlShowsTheFocus() {
        QFETCH(QString, name);
        InformationWindow window(links);
        window.prepare();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QWidget* control = window.findChild<QWidget*>(name);
        control->setFocus(Qt::TabFocusReason);
        const QImage focused = window.grab().toImage();
        control->clearFocus();
        const QImage unfocused = window.grab().toImage();
        const QRect on(control->mapTo(&window, QPoint()), control->size());
        int differing = 0;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                if (focused.pixel(x, y) != unfocused.pixel(x, y)) {
                    QVERIFY2(on.contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
                    ++differing;
                }
            }
        }
        QVERIFY(differing > 0);
    }

    // The windows are created once in main and destroyed in turn: the owner must not delete it.
    void showingOverAnOwnerLeavesItUnowned() {
        InformationWindow window(links);
        QVERIFY(showAndThen(window, [&] { window.onContinue(); }));
        QVERIFY(window.parent() == nullptr);
        QCOMPARE(window.windowHandle()->transientParent(), owner.windowHandle());
    }

    void clicksElsewhereDoNotCloseIt() {
        InformationWindow window(links);
        QVERIFY(!showAndThen(window, [&] {
            QTest::mouseClick(label(window, "donationAppeal"), Qt::LeftButton);
            QTest::mouseClick(label(window, "warning"), Qt::LeftButton);
        }));
    }

    void theThreeLinksOpenTheirPagesAndTheWindowStays() {
        InformationWindow window(links);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(label(window, "logo"), Qt::LeftButton);
        QTest::mouseClick(label(window, "donationLink"), Qt::LeftButton);
        QTest::mouseClick(label(window, "contactLink"), Qt::LeftButton);
        QCOMPARE(links.opened, (std::vector<QUrl>{qt::site::homePage(), qt::site::donationPage(),
                                                  qt::site::productPage()}));
        QCOMPARE(links.opened[1].toString(), "http://" + qt::site::host() + "/Paypal-dona.html");
        QVERIFY(window.isVisible());
    }

    // Red under the pointer, navy again only over the frame; leaving the frame for the donation
    // area below it keeps it red.
    void contattoDirettoTurnsRedUnderThePointer() {
        InformationWindow window(links);
        window.prepare();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* company = label(window, "contactLink");
        QWidget* frame = window.findChild<QWidget*>("frame");
        QCOMPARE(foreColour(company), kNavy);
        QTest::mouseMove(company, company->rect().center());
        QCOMPARE(foreColour(company), kRed);
        QTest::mouseMove(&window, form_controls::twipsPoint(3000, 7300));
        QCOMPARE(foreColour(company), kRed);
        QTest::mouseMove(frame, form_controls::twipsPoint(300, 3500));
        QCOMPARE(foreColour(company), kNavy);
    }

    void everyShowingStartsWithTheLinkInNavy() {
        InformationWindow window(links);
        showAndThen(window, [&] {
            QWidget* company = label(window, "contactLink");
            QTest::mouseMove(company, company->rect().center());
            QCOMPARE(foreColour(company), kRed);
            window.onContinue();
        });
        showAndThen(window, [&] {
            QCOMPARE(foreColour(label(window, "contactLink")), kNavy);
            window.onContinue();
        });
    }
};

QTEST_MAIN(InformationWindowTest)
#include "tst_information_window.moc"

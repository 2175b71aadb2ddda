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
#include "info_window/frmsplash.h"
#include "platform/qt/site.h"

using namespace quintara;
using info_window::frmSplash;
using testing::foreColour;
using testing::RecordingLinkOpener;

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);
constexpr int kPlain = 0;
constexpr int kBold = 1;
constexpr int kItalic = 2;

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
        const auto show = [&] { window.showModal(owner); };
        return testing::whileShownModally(window, show, action);
    }

private slots:
    void theVersionLabelReadsVersion212() {
        frmSplash window(links);
        window.Form_Load();
        QCOMPARE(label(window, "lblVersion")->text(), QStringLiteral("Version 2.1.2"));
        QVERIFY(label(window, "lblVersion")->geometry().right() < window.width());
    }

    // Positions are inside the client area; an empty rectangle leaves the place to the test of
    // the version label, which sizes itself to its text.
    void controlsAreTheDesigns_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("family");
        QTest::addColumn<double>("points");
        QTest::addColumn<int>("style");
        QTest::addColumn<QColor>("colour");
        const QColor windowText = QApplication::palette().color(QPalette::WindowText);
        const auto row = [&](const char* name, QRect twips, const char* text, const char* family,
                             double points, int style, QColor colour) {
            QTest::newRow(name) << name << twips << QString::fromUtf8(text) << family << points
                                << style << colour;
        };
        const auto shape = [&](const char* name, QRect twips) {
            row(name, twips, "", "", 0, kPlain, QColor());
        };
        row("Label1", {960, 120, 5775, 615}, "Quintara", "Arial", 26.25, kBold, kNavy);
        row("Label2", {1920, 840, 3495, 975},
            "Questo Software è completamente gratuito. Puoi richiedere informazioni,  migliorie o "
            "anche solo farmi sapere la tua opinione sul programma.",
            "Arial", 9, kPlain, windowText);
        row("Label3", {720, 2280, 5775, 975},
            "Puoi contribuire direttamente al supporto del software freeware facendo una piccola "
            "donazione, anche solo l'equivalente economico di una merenda. Lo sviluppo, l'hosting "
            "e gli aggiornamenti richiedono investimenti di denaro e tempo. Utilizza il pulsante "
            "qui sotto. Grazie.",
            "Arial", 9, kPlain, windowText);
        row("lblCompany(0)", {2160, 1920, 3135, 255}, "Contatto diretto", "Arial", 9.75,
            kBold | kItalic, kNavy);
        row("lblWarning", {600, 4320, 5775, 1275},
            "Attenzione: l'algoritmo di estrazione simulata si basa unicamente sulla casualità, "
            "condizionata da alcuni parametri definibili dall'utente ma sempre basato sul caso.  "
            "Le probabilità che i numeri vengano poi estratti è minima.",
            "Arial", 11.25, kItalic, windowText);
        row("lblCopyright", {4680, 5760, 2175, 255}, "© 2026 gli autori di Quintara", "Arial", 8.25,
            kPlain, windowText);
        row("lblVersion", {}, "Version 2.1.2", "Arial", 12, kBold, windowText);
        row("Label5", {2040, 6360, 4935, 975},
            "Sostieni, con una piccola donazione, lo sviluppo si applicazioni gratuite come "
            "questa.",
            "Comic Sans MS", 12, kPlain, windowText);
        row("Label4", {120, 7680, 7095, 495}, "Continua", "Arial", 15.75, kPlain, windowText);
        shape("Frame1", {0, 0, 7320, 6075});
        shape("Image1", {360, 240, 1215, 1095});
        shape("Image2", {120, 4200, 495, 375});
        shape("Image3", {360, 1440, 975, 555});
        shape("Image4", {240, 6360, 1575, 855});
        shape("Shape1", {120, 7560, 7095, 495});
        shape("Shape2", {120, 6120, 7095, 1335});
    }

    void controlsAreTheDesigns() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QFETCH(QString, text);
        QFETCH(QString, family);
        QFETCH(double, points);
        QFETCH(int, style);
        QFETCH(QColor, colour);
        frmSplash window(links);
        window.Form_Load();
        QWidget* control = window.findChild<QWidget*>(name);
        QVERIFY(control != nullptr);
        if (!twips.isNull()) {
            const QWidget* client = window.findChild<QWidget*>("client");
            QCOMPARE(QRect(control->mapTo(client, QPoint()), control->size()),
                     form_controls::twipsRect(twips));
        }
        if (!family.isEmpty()) {
            QCOMPARE(qobject_cast<QLabel*>(control)->text(), text);
            QCOMPARE(control->font().family(), family);
            QCOMPARE(control->font().pixelSize(), qRound(points * 96 / 72));
            QCOMPARE(control->font().bold(), bool(style & kBold));
            QCOMPARE(control->font().italic(), bool(style & kItalic));
            QCOMPARE(foreColour(control), colour);
        }
    }

    // No title bar, and a fixed dialog border the window draws itself: light at the top and
    // left, the palette's shadow at the bottom and right.
    void aDialogBorderFramesTheClientArea() {
        frmSplash window(links);
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
        frmSplash window(links);
        QVERIFY(showAndThen(window, [&] {
            QCOMPARE(window.focusWidget(), label(window, "Label4"));
            if (key == 0) {
                QTest::mouseClick(label(window, "Label4"), Qt::LeftButton);
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
        frmSplash window(opened);
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
        QCOMPARE(reached, QStringList({"Image1", "lblCompany(0)", "Image4", "Label4"}));
        QCOMPARE(opened.opened, (std::vector<QUrl>{qt::site::homePage(), qt::site::productPage(),
                                                   qt::site::donationPage()}));
    }

    // The focus frame is all that the focus changes: every pixel that differs from the window
    // without the focus lies on the control that has it.
    void onlyTheFocusedControlShowsTheFocus_data() {
        QTest::addColumn<QString>("name");
        for (const char* name : {"Label4", "Image1", "lblCompany(0)", "Image4"}) {
            QTest::newRow(name) << name;
        }
    }

    void onlyTheFocusedControlShowsTheFocus() {
        QFETCH(QString, name);
        frmSplash window(links);
        window.Form_Load();
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
        frmSplash window(links);
        QVERIFY(showAndThen(window, [&] { window.Label4_Click(); }));
        QVERIFY(window.parent() == nullptr);
        QCOMPARE(window.windowHandle()->transientParent(), owner.windowHandle());
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
        QTest::mouseMove(&window, form_controls::twipsPoint(3000, 7300));
        QCOMPARE(foreColour(company), kRed);
        QTest::mouseMove(frame, form_controls::twipsPoint(300, 3500));
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

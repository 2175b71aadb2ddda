// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLibraryInfo>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QVBoxLayout>

#include "fakes.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "main_window/cover_player.h"
#include "main_window/long_draw_cursor.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/site.h"
#include "platform/qt/window_printer.h"
#include "printed_pages.h"
#include "support/recording_covers.h"
#include "support/scripted_random_source.h"

using namespace quintara;
using namespace std::chrono_literals;

namespace {

// A phase played on covers without a screen, each reading of the clock a frame (16 ms) later and
// each paint costing `paintCost` more: how long it took on the clock, and how many paints.
struct PlayedPhase {
    std::chrono::steady_clock::duration took;
    int paints = 0;
};

PlayedPhase playPhase(std::chrono::milliseconds paintCost) {
    testing::FixedClock clock;
    clock.step = main_window::kCoverFrameInterval;
    main_window::RecordingCovers covers;
    PlayedPhase played{};
    main_window::CoverPlayer player(covers, clock, [&] {
        ++played.paints;
        clock.steady += paintCost;
    });
    const auto start = clock.steady;
    bool finished = false;
    player.play(main_window::coverMovement(main_window::CoverPhase::Uncovering),
                [&] { finished = true; });
    if (!QTest::qWaitFor([&] { return finished; }, 30000)) {
        return {};
    }
    played.took = clock.steady - start;
    return played;
}

}  // namespace

class WindowServicesTest : public QObject {
    Q_OBJECT

private slots:
    // These tests print on a machine with no printer at all, whatever this one has.
    void initTestCase() {
        QVERIFY(noPrinters_.isValid());
        testing::useNoPrinter(noPrinters_.path());
        QVERIFY2(QPrinterInfo::defaultPrinter().isNull(), "a printer where there is none");
    }

    // 96 logical pixels make an inch on paper, as 1440 twips do on screen.
    void aPrintedWindowHasItsRealSizeOnThePage() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("window.pdf");
        auto window = testing::sampleWindow();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        QVERIFY(qt::printWindowImage(*window, printer));

        const QImage page = testing::firstPage(pdf, 100);
        QVERIFY2(!page.isNull(), "pdftoppm produced no page");
        const QRect red = testing::redArea(page);
        QVERIFY(!red.isEmpty());
        QVERIFY2(std::abs(red.width() - 100) <= 3, qPrintable(QString::number(red.width())));
        QVERIFY2(std::abs(red.height() - 50) <= 3, qPrintable(QString::number(red.height())));
    }

    void withoutAPrinterTheImageCanBeSavedAsPdf() {
        QTemporaryDir folder;
        const QString pdf = folder.filePath("Quintara.pdf");
        testing::RecordingMessageBox messages;
        qt::QtWindowPrinter printer(messages, [&](QWidget&) { return pdf; });
        auto window = testing::sampleWindow();
        printer.print(*window);
        QCOMPARE(messages.asked.size(), 1u);
        QVERIFY(messages.asked.front().contains("stampante"));
        QVERIFY(QFile::exists(pdf));
        QVERIFY(!testing::redArea(testing::firstPage(pdf, 50)).isEmpty());
    }

    void declinedPdfWritesNothing() {
        testing::RecordingMessageBox messages;
        messages.answer = false;
        bool asked = false;
        qt::QtWindowPrinter printer(messages, [&](QWidget&) {
            asked = true;
            return QString();
        });
        auto window = testing::sampleWindow();
        printer.print(*window);
        QVERIFY(!asked);
    }

    // Qt's own texts speak the program's language when Qt's Italian translations are installed;
    // without them they stay English, and "Stampa" works all the same.
    void thePdfChoosersButtonsSpeakItalianWhenQtsTranslationsAreInstalled_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("translations installed") << true << QStringList{"Annulla", "Salva"};
        QTest::newRow("translations missing") << false << QStringList{"Cancel", "Save"};
    }

    void thePdfChoosersButtonsSpeakItalianWhenQtsTranslationsAreInstalled() {
        QFETCH(bool, installed);
        QFETCH(QStringList, buttons);
        QTemporaryDir noTranslations;
        const QString folder =
            installed ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : noTranslations.path();
        const auto uninstall = qScopeGuard(
            [] { qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)); });
        QVERIFY2(qt::installItalianQtTexts(*qApp, folder) == installed,
                 installed ? "no qtbase_it.qm: scripts/setup.sh installs qt6-translations-l10n"
                           : "a translation was loaded from an empty folder");

        // The chooser is modal: its buttons are read, and it is cancelled, from the event loop.
        QStringList shown;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* window : QApplication::topLevelWidgets()) {
                auto* chooser = qobject_cast<QFileDialog*>(window);
                if (chooser == nullptr || !chooser->isVisible()) {
                    continue;
                }
                poll.stop();
                for (const auto* button : chooser->findChild<QDialogButtonBox*>()->buttons()) {
                    shown << button->text().remove('&');
                }
                chooser->reject();
                return;
            }
        });
        poll.start(10);
        testing::RecordingMessageBox messages;
        qt::QtWindowPrinter printer(messages);
        auto window = testing::sampleWindow();
        printer.print(*window);
        shown.sort();
        QCOMPARE(shown, buttons);
    }

    void twipsBecomePixelsEdgeByEdge() {
        QCOMPARE(form_controls::pixels(1095), 73);
        QCOMPARE(form_controls::twipsRect(360, 3120, 1095, 1215), QRect(24, 208, 73, 81));
        // Edges round on their own, so that neighbours never gap.
        QCOMPARE(form_controls::twipsRect(7, 0, 8, 15).right() + 1,
                 form_controls::twipsRect(15, 0, 15, 15).left());
        QCOMPARE(form_controls::designColour(0x0000FF), QColor(255, 0, 0));
        QCOMPARE(form_controls::designColour(0x800000), QColor(0, 0, 128));
        QCOMPARE(form_controls::designFont("Arial", 50.25).pixelSize(), 67);
    }

    void theSitesPagesUseTheirSchemesAndPaths() {
        const QString host = qt::site::host();
        QCOMPARE(qt::site::homePage(), QUrl("https://" + host + "/"));
        QCOMPARE(qt::site::productPage(), QUrl("http://" + host + "/quintara.html"));
        QCOMPARE(qt::site::donationPage(), QUrl("http://" + host + "/Paypal-dona.html"));
        QCOMPARE(qt::site::bandPage(), QUrl("http://" + host + "/riq-quintara.html"));
    }

    // The animation takes its second whatever the painting costs, at about sixty frames.
    void aPhaseTakesAboutASecondOnAnyMachine_data() {
        QTest::addColumn<int>("paintMilliseconds");
        QTest::newRow("instant painting") << 0;
        QTest::newRow("slow painting") << 40;
        QTest::newRow("very slow painting") << 400;
    }

    void aPhaseTakesAboutASecondOnAnyMachine() {
        QFETCH(int, paintMilliseconds);
        const PlayedPhase played = playPhase(std::chrono::milliseconds(paintMilliseconds));
        const auto slowest = 1000ms + 2 * (16ms + std::chrono::milliseconds(paintMilliseconds));
        QVERIFY2(played.took >= 1000ms && played.took <= slowest,
                 qPrintable(QString::number(std::chrono::duration<double>(played.took).count())));
        if (paintMilliseconds == 0) {
            QVERIFY2(played.paints >= 55 && played.paints <= 65,
                     qPrintable(QString::number(played.paints)));
        }
        QVERIFY(played.paints >= 2);
    }

    // The window reports after every slice of a draw; the cursor waits 0.3 s from the first
    // report and is the user's again when the command ends, for the next draw to count afresh.
    void theWaitCursorShowsOnlyOnceADrawHasRunForAThirdOfASecond() {
        testing::FixedClock clock;
        main_window::LongDrawCursor cursor(clock);
        const auto waiting = [] {
            return QGuiApplication::overrideCursor() != nullptr &&
                   QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        };
        for (int round = 0; round < 2; ++round) {
            cursor.stillDrawing();
            clock.steady += 299ms;
            cursor.stillDrawing();
            QVERIFY(!waiting());
            clock.steady += 1ms;
            cursor.stillDrawing();
            QVERIFY(waiting());
            cursor.stillDrawing();
            cursor.commandEnded();
            QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
            clock.steady += 10s;
        }
    }

private:
    QTemporaryDir noPrinters_;
};

QTEST_MAIN(WindowServicesTest)
#include "tst_window_services.moc"

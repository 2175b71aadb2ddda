// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QPrinterInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "fakes.h"
#include "platform/qt/window_printer.h"
#include "printed_pages.h"

using namespace quintara;

// "Stampa" on a machine whose default printer is a real one: a CUPS server of the test's own
// whose printer writes each job as a PDF file (tests/support/printer-of-our-own.sh), whatever
// printers this machine has.
class PrinterTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        // Should the test die, the server goes with it.
        server_.setProcessChannelMode(QProcess::MergedChannels);
        server_.start("setpriv",
                      {"--pdeathsig", "TERM", "--", QUINTARA_PRINTER_OF_OUR_OWN, folder_.path()});
        QTRY_VERIFY_WITH_TIMEOUT(
            QFile::exists(folder_.filePath("ready")) || server_.state() == QProcess::NotRunning,
            60000);
        if (server_.state() == QProcess::NotRunning) {
            const QByteArray said = server_.readAll().trimmed();
            if (server_.exitCode() == 77) {
                QSKIP(said.constData());
            }
            QFAIL(said.constData());
        }
        testing::printThrough(folder_.filePath("cups.sock"));
    }

    void cleanupTestCase() {
        server_.terminate();
        server_.waitForFinished();
    }

    // Straight to the printer, unasked, at 96 logical pixels to the inch.
    void theWindowGoesToTheDefaultPrinterAtItsRealSize() {
        QCOMPARE(QPrinterInfo::defaultPrinter().printerName(), QStringLiteral("Quintara_PDF"));
        testing::RecordingMessageBox messages;
        bool askedForAFile = false;
        qt::QtWindowPrinter printer(messages, [&](QWidget&) {
            askedForAFile = true;
            return QString();
        });
        auto window = testing::sampleWindow();
        printer.print(*window);
        QVERIFY(messages.asked.empty() && messages.shown.empty() && !askedForAFile);

        // cups-pdf writes the file while the job runs: it is whole once the job has ended.
        QTRY_VERIFY_WITH_TIMEOUT(jobsHaveEnded(), 60000);
        const QImage page = printedPage();
        QVERIFY2(!page.isNull(), "no page printed");
        const QRect red = testing::redArea(page);
        QVERIFY2(std::abs(red.width() - 100) <= 3, qPrintable(QString::number(red.width())));
        QVERIFY2(std::abs(red.height() - 50) <= 3, qPrintable(QString::number(red.height())));
    }

private:
    static bool jobsHaveEnded() {
        QProcess jobs;
        jobs.start("lpstat", {"-W", "not-completed", "-o"});
        return jobs.waitForFinished() && jobs.exitCode() == 0 && jobs.readAll().isEmpty();
    }

    // The first page of the one job printed so far, at 100 dots to the inch.
    QImage printedPage() const {
        const QStringList printed =
            QDir(folder_.filePath("printed")).entryList({"*.pdf"}, QDir::Files);
        return printed.size() == 1
                   ? testing::firstPage(folder_.filePath("printed/" + printed.front()), 100)
                   : QImage();
    }

    // Short enough for the server's socket name.
    QTemporaryDir folder_{"/tmp/quintara-printer-XXXXXX"};
    QProcess server_;
};

QTEST_MAIN(PrinterTest)
#include "tst_printer.moc"

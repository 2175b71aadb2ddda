// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>

#include "main_window/series_teller.h"

using quintara::main_window::SeriesTeller;

namespace {

const QString kSeries =
    QStringLiteral("Colonna 1: 1 2 3 4 5 6 - Colonna 2: 7 8 9 10 11 12 - Jolly: 13");

// What happens, in order: A the series appears in the active window, I in an inactive one,
// N no series is on view (covers closed, series refused); + the window becomes active, - it
// stops being active; . time passes.
struct Case {
    const char* name;
    const char* steps;
    int timesTold;
    bool described;
};

// clang-format off
const Case kCases[] = {
    {"shown in the active window: told at once",                     "A",        1, true},
    {"shown in a window that left: held back",                       "+-I.",     0, false},
    {"the window comes back: still held while it is read out",       "+-I+",     0, false},
    {"then told, once",                                              "+-I+.-+.", 1, true},
    {"left again before it was told: told when back",                "+-I+-.+.", 1, true},
    {"the covers close before it was told: never told",              "+-I+N.",   0, false},
    {"told, then the window leaves and comes back: not told again",  "A-+.",     1, true},
    {"no series: nothing to tell",                                   "N+.",      0, false},
    {"a window never active (no keyboard): described, not told",     "I.",       0, true},
};
// clang-format on

}  // namespace

class TestSeriesTeller : public QObject {
    Q_OBJECT

private slots:
    void tellsEachSeriesOnceWhenTheWindowCanHearIt() {
        for (const Case& row : kCases) {
            QStringList told;
            SeriesTeller teller([&told](const QString& series) { told << series; },
                                std::chrono::milliseconds(0));
            for (const char* step = row.steps; *step != '\0'; ++step) {
                switch (*step) {
                    case 'A':
                        teller.show(kSeries, true);
                        break;
                    case 'I':
                        teller.show(kSeries, false);
                        break;
                    case 'N':
                        teller.show(QString(), false);
                        break;
                    case '+':
                        teller.windowActivated();
                        break;
                    case '-':
                        teller.windowDeactivated();
                        break;
                    default:
                        QTest::qWait(20);
                }
            }
            QVERIFY2(told == QStringList(row.timesTold, kSeries), row.name);
            QVERIFY2(teller.description() == (row.described ? kSeries : QString()), row.name);
        }
    }
};

QTEST_GUILESS_MAIN(TestSeriesTeller)
#include "tst_series_teller.moc"

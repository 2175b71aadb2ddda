// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>
#include <vector>

#include "main_window/series_teller.h"

using quintara::main_window::SeriesTeller;

namespace {

const QString kSeries =
    QStringLiteral("Colonna 1: 1 2 3 4 5 6 - Colonna 2: 7 8 9 10 11 12 - Jolly: 13");

enum class Step { ShownActive, ShownInactive, NoneShown, Activated, Deactivated, TimePasses };

struct Case {
    const char* name;
    std::vector<Step> steps;
    int timesTold;
    bool described;
};

const Case kCases[] = {
    {"shown in the active window: told at once", {Step::ShownActive}, 1, true},
    {"shown in an inactive window: held back", {Step::ShownInactive, Step::TimePasses}, 0, false},
    {"the window comes back: still held while it is read out",
     {Step::ShownInactive, Step::Activated},
     0,
     false},
    {"then told once",
     {Step::ShownInactive, Step::Activated, Step::TimePasses, Step::Deactivated, Step::Activated,
      Step::TimePasses},
     1,
     true},
    {"left again before it was told: told when back",
     {Step::ShownInactive, Step::Activated, Step::Deactivated, Step::TimePasses, Step::Activated,
      Step::TimePasses},
     1,
     true},
    {"the covers close before it was told: never told",
     {Step::ShownInactive, Step::Activated, Step::NoneShown, Step::TimePasses},
     0,
     false},
    {"told, then the window leaves and comes back: not told again",
     {Step::ShownActive, Step::Deactivated, Step::Activated, Step::TimePasses},
     1,
     true},
    {"a refused series: nothing to tell",
     {Step::NoneShown, Step::Activated, Step::TimePasses},
     0,
     false},
};

}  // namespace

class TestSeriesTeller : public QObject {
    Q_OBJECT

private slots:
    void tellsEachSeriesOnceWhenTheWindowCanHearIt() {
        for (const Case& row : kCases) {
            QStringList told;
            SeriesTeller teller([&told](const QString& series) { told << series; },
                                std::chrono::milliseconds(0));
            for (const Step step : row.steps) {
                switch (step) {
                    case Step::ShownActive:
                        teller.show(kSeries, true);
                        break;
                    case Step::ShownInactive:
                        teller.show(kSeries, false);
                        break;
                    case Step::NoneShown:
                        teller.show(QString(), false);
                        break;
                    case Step::Activated:
                        teller.windowActivated();
                        break;
                    case Step::Deactivated:
                        teller.windowDeactivated();
                        break;
                    case Step::TimePasses:
                        QTest::qWait(20);
                        break;
                }
            }
            QVERIFY2(told == QStringList(row.timesTold, kSeries), row.name);
            QVERIFY2(teller.description() == (row.described ? kSeries : QString()), row.name);
        }
    }
};

QTEST_GUILESS_MAIN(TestSeriesTeller)
#include "tst_series_teller.moc"

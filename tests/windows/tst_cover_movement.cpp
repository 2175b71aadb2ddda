// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QTest>
#include <algorithm>

#include "main_window/cover_movement.h"
#include "support/recording_covers.h"

using namespace quintara::main_window;

Q_DECLARE_METATYPE(CoverMovement::WidthChange)

namespace {

using Change = CoverMovement::WidthChange;

Cover column1(int position) {
    return Cover::onNumber(0, position);
}
Cover column2(int position) {
    return Cover::onNumber(1, position);
}

void playWhole(const CoverMovement& movement, CoverDisplay& covers) {
    movement.play(covers, 0, movement.changes.size());
}

}  // namespace

class CoverMovementTest : public QObject {
    Q_OBJECT

private slots:
    // Where each phase starts, turns from one pair to the next, and ends: the pairs in order,
    // the Jolly cover first with column 1's first cover and last at double width with column 2's
    // first, column 2's covers from the right. A pair takes 438 changes.
    void thePairsMoveInTurn_data() {
        QTest::addColumn<bool>("covering");
        QTest::addColumn<int>("at");
        QTest::addColumn<Change>("change");
        const auto row = [](const char* name, bool covering, int at, Change change) {
            QTest::newRow(name) << covering << at << change;
        };
        row("covering: the Jolly cover first", true, 0, {Cover::onJolly(), 5});
        row("covering: column 1's first with it", true, 1, {column1(0), 5});
        row("covering: next step", true, 2, {Cover::onJolly(), 10});
        row("covering: the second pair, column 2 from the right", true, 438, {column2(5), 5});
        row("covering: column 1's second with it", true, 439, {column1(1), 5});
        row("covering: the last pair, column 2's first", true, 6 * 438, {column2(0), 5});
        row("covering: the Jolly cover ends at double width", true, 3065, {Cover::onJolly(), 2190});
        row("uncovering: from full width", false, 0, {Cover::onJolly(), 1095});
        row("uncovering: the Jolly cover's first move ends", false, 436, {Cover::onJolly(), 5});
        row("uncovering: the Jolly cover back to double width", false, 6 * 438 + 1,
            {Cover::onJolly(), 2190});
        row("uncovering: the Jolly cover ends", false, 3065, {Cover::onJolly(), 10});
    }

    void thePairsMoveInTurn() {
        QFETCH(bool, covering);
        QFETCH(int, at);
        QFETCH(Change, change);
        const auto& changes =
            coverMovement(covering ? CoverPhase::Covering : CoverPhase::Uncovering).changes;
        QCOMPARE(changes.size(), std::size_t(kWidthChangesPerPhase));
        QVERIFY(changes[std::size_t(at)] == change);
    }

    void eachPhaseEndsWithEveryCoverOpenOrClosed() {
        RecordingCovers covers;
        covers.hideAll();
        playWhole(coverMovement(CoverPhase::Uncovering), covers);
        for (const Cover cover : RecordingCovers::all()) {
            QCOMPARE(covers.of(cover), (RecordingCovers::State{cover.isJolly() ? 10 : 5, true}));
        }
        QVERIFY(coversAreOpen(covers));
        playWhole(coverMovement(CoverPhase::Covering), covers);
        for (const Cover cover : RecordingCovers::all()) {
            QCOMPARE(covers.of(cover).twips, cover.isJolly() ? 2190 : 1095);
        }
        QVERIFY(!coversAreOpen(covers));
    }

    // The window plays a movement a frame at a time: each cover is made visible as its pair's last
    // change comes, in whatever frame that falls.
    void aMovementPlayedAFrameAtATimeEndsAsOnePlayedWhole() {
        for (const CoverMovement* movement :
             {&coverMovement(CoverPhase::Uncovering), &firstColumnNarrowing()}) {
            RecordingCovers whole;
            RecordingCovers framed;
            whole.hideAll();
            framed.hideAll();
            playWhole(*movement, whole);
            for (std::size_t from = 0; from < movement->changes.size(); from += 51) {
                movement->play(framed, from, std::min(from + 51, movement->changes.size()));
            }
            QVERIFY(framed.numbers == whole.numbers);
            QVERIFY(framed.jolly == whole.jolly);
        }
    }

    void theCoversCountAsOpenBelow100Twips() {
        RecordingCovers covers;
        covers.of(column1(1)).twips = 100;
        QVERIFY(!coversAreOpen(covers));
        covers.of(column1(1)).twips = 99;
        QVERIFY(coversAreOpen(covers));
    }

    void savingTheConditionsNarrowsOnlyColumnOnesCovers() {
        RecordingCovers covers;
        covers.hideAll();
        const CoverMovement& narrowing = firstColumnNarrowing();
        QCOMPARE(narrowing.changes.size(), 6u * 219u);
        QVERIFY(narrowing.changes[0] == (Change{column1(0), 1095}));
        QVERIFY(narrowing.changes[218] == (Change{column1(0), 5}));
        QVERIFY(narrowing.changes[219] == (Change{column1(1), 1095}));
        playWhole(narrowing, covers);
        for (const Cover cover : RecordingCovers::all()) {
            const bool firstColumn = !cover.isJolly() && cover.column == 0;
            QCOMPARE(covers.of(cover),
                     (RecordingCovers::State{firstColumn ? 5 : (cover.isJolly() ? 2055 : 1095),
                                             firstColumn}));
        }
        QVERIFY(coversAreOpen(covers));
    }
};

QTEST_GUILESS_MAIN(CoverMovementTest)
#include "tst_cover_movement.moc"

// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QAccessible>
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <array>
#include <set>

#include "conditions_dialog/conditions_dialog.h"
#include "fakes.h"
#include "form_controls/accessibility.h"
#include "form_controls/shapes.h"
#include "form_controls/twips.h"
#include "main_window/ball_colours.h"
#include "main_window/cover_movement.h"
#include "main_window/main_window.h"
#include "platform/qt/site.h"

using namespace quintara;
using main_window::MainWindow;
using testing::FakeConditionsEditor;
using testing::FakeModalWindow;
using testing::FakeServices;
using testing::foreColour;

namespace {

QLabel* label(QWidget& window, const QString& name) {
    return window.findChild<QLabel*>(name);
}

form_controls::ShapeWidget* cover(QWidget& window, const QString& name) {
    return window.findChild<form_controls::ShapeWidget*>(name);
}

// Every cover, by what it covers: column 1's boxes and column 2's from the left, the Jolly box.
const QStringList kCovers = {"cover(1,0)", "cover(1,1)", "cover(1,2)", "cover(1,3)", "cover(1,4)",
                             "cover(1,5)", "cover(2,0)", "cover(2,1)", "cover(2,2)", "cover(2,3)",
                             "cover(2,4)", "cover(2,5)", "jollyCover"};

// The numbers column 1 or 2 shows, left to right.
QStringList column(QWidget& window, int column) {
    QStringList texts;
    for (int k = 0; k < 6; ++k) {
        texts << label(window, QStringLiteral("numberBox(%1,%2)").arg(column).arg(k))->text();
    }
    return texts;
}

bool ascendingDistinctWithin(const QStringList& texts, int low, int high) {
    int previous = low - 1;
    for (const QString& text : texts) {
        const int number = text.toInt();
        if (number <= previous || number > high) {
            return false;
        }
        previous = number;
    }
    return true;
}

// Column 1's first cover as it moves on screen, move by move (a run of widths one way), with the
// number it stands over as the move ends: "narrows over 00".
struct CoverMoves final : QObject {
    explicit CoverMoves(QWidget& window)
        : shape(*cover(window, "cover(1,0)")), number(*label(window, "numberBox(1,0)")) {
        shape.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const QString move = shape.widthTwips() > width ? "widens" : "narrows";
            if (moves.isEmpty() || !moves.back().startsWith(move)) {
                moves << QString();
            }
            moves.back() = move + " over " + number.text();
            width = shape.widthTwips();
        }
        return false;
    }
    form_controls::ShapeWidget& shape;
    QLabel& number;
    int width = shape.widthTwips();
    QStringList moves;
};

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    using Started = testing::StartedMainWindow;

private slots:
    // As the program does: the window's description reaches a screen reader through it.
    void initTestCase() { form_controls::installAccessibility(); }

    void startUpShowsTheVersionAndClosedCoversOverZeros() {
        Started started;
        MainWindow& window = started.window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Quintara2.1.2"));
        QCOMPARE(started.information.showings, 1);
        QCOMPARE(started.information.owners.front(), &window);
        for (const int number : {1, 2}) {
            QCOMPARE(column(window, number), QStringList(6, QStringLiteral("00")));
        }
        QCOMPARE(label(window, "jollyBox")->text(), QStringLiteral("00"));
        for (const QString& name : kCovers) {
            QVERIFY(!cover(window, name)->isHidden());
            QCOMPARE(cover(window, name)->widthTwips(), name == "jollyCover" ? 2055 : 1095);
        }
        QCOMPARE(window.drawSettings().range, (settings::DrawRange{1, 49}));
        QCOMPARE(window.drawSettings().conditions, settings::mainWindowDefaults());
        // No number has been drawn: the random source is where it started.
        auto untouched = platform::XoshiroRandomSource::withFixedState(17);
        QCOMPARE(started.fakes.random.next(), untouched.next());
    }

    // The information window is open while the covers are still hidden, before the settings file
    // is read and before the band exists.
    void startUpRunsItsStepsInOrder() {
        bool coversHiddenMeanwhile = false;
        int bandsMeanwhile = -1;
        FakeServices services;
        FakeModalWindow information;
        FakeConditionsEditor conditions;
        MainWindow window(services.services, information, conditions);
        information.whileShown = [&] {
            coversHiddenMeanwhile =
                std::all_of(kCovers.begin(), kCovers.end(),
                            [&](const QString& name) { return cover(window, name)->isHidden(); });
            bandsMeanwhile = services.webBands.created;
            services.writeSettings(testing::settingsFile(
                {.kind = settings::ConditionKind::EvenOnly, .rangeTo = "60", .rangeFrom = "10"}));
        };
        window.startUp();
        QVERIFY(coversHiddenMeanwhile);
        QCOMPARE(bandsMeanwhile, 0);
        QCOMPARE(window.drawSettings().conditions.kind, settings::ConditionKind::EvenOnly);
        QCOMPARE(window.drawSettings().range, (settings::DrawRange{10, 60}));
    }

    // Silent first: the page must never get the chance to raise a dialog.
    void theBandIsMadeSilentThenShowsTheMakersPage() {
        Started started;
        testing::FakeWebBand* band = started.fakes.webBands.band;
        QVERIFY(band != nullptr);
        QCOMPARE(band->calls, QStringList({"setSilent(true)",
                                           "navigate(" + qt::site::bandPage().toString() + ")"}));
        QCOMPARE(band->geometry(), form_controls::twipsRect(240, 1200, 9735, 1575));
        QVERIFY(band->isHidden());  // navigation worked: nothing forced it visible
    }

    void aFailedNavigationShowsTheViewAndNoMessage() {
        Started started([](FakeServices& fakes) { fakes.webBands.navigationWorks = false; });
        QVERIFY(!started.fakes.webBands.band->isHidden());
        QVERIFY(started.fakes.messages.shown.empty());
    }

    // What the layout must hold, whatever its figures: everything inside the window; the boxes
    // of a column in a row of equal boxes, column 2 under column 1, the Jolly box beside both;
    // each cover exactly on its box; the captions over what they name; the four commands in a
    // row below, in their order. A box is 1095 by 1215 twips.
    void theLayoutHoldsTogether() {
        Started started;
        MainWindow& window = started.window;
        const QRect client = window.centralWidget()->rect();
        const auto at = [&](const QString& name) {
            QWidget* control = window.findChild<QWidget*>(name);
            return control != nullptr ? control->geometry() : QRect();
        };
        QStringList faults;
        const auto require = [&faults](bool holds, const QString& what) {
            if (!holds) {
                faults << what;
            }
        };
        std::array<std::array<QRect, 6>, 2> boxes;
        for (int c = 0; c < 2; ++c) {
            for (int k = 0; k < 6; ++k) {
                boxes[c][k] = at(QStringLiteral("numberBox(%1,%2)").arg(c + 1).arg(k));
                require(boxes[c][k].size() == form_controls::twipsRect(0, 0, 1095, 1215).size(),
                        QStringLiteral("box %1,%2 is a box's size").arg(c + 1).arg(k));
                require(client.contains(boxes[c][k]),
                        QStringLiteral("box %1,%2 inside").arg(c + 1).arg(k));
                if (k > 0) {
                    require(boxes[c][k].top() == boxes[c][0].top() &&
                                boxes[c][k].left() > boxes[c][k - 1].right() &&
                                boxes[c][k].left() - boxes[c][k - 1].left() ==
                                    boxes[c][1].left() - boxes[c][0].left(),
                            QStringLiteral("box %1,%2 follows the one before").arg(c + 1).arg(k));
                }
                require(at(QStringLiteral("cover(%1,%2)").arg(c + 1).arg(k)) == boxes[c][k],
                        QStringLiteral("the cover on box %1,%2").arg(c + 1).arg(k));
            }
            require(boxes[c][0].left() == boxes[0][0].left(), "the columns start alike");
        }
        require(boxes[1][0].top() > boxes[0][0].bottom(), "column 2 is under column 1");
        const QRect jolly = at("jollyBox");
        require(jolly.left() > boxes[0][5].right() && jolly.top() > boxes[0][0].top() &&
                    jolly.bottom() < boxes[1][0].bottom() && client.contains(jolly),
                "the Jolly box beside both columns");
        require(at("jollyCover") == jolly, "the Jolly cover on the Jolly box");
        for (const auto& [caption, below] :
             {std::pair{"column1Caption", boxes[0][0]}, std::pair{"column2Caption", boxes[1][0]},
              std::pair{"jollyCaption", jolly}}) {
            const QRect rect = at(caption);
            // Column 1's caption reaches a pixel into its first box, as laid out.
            require(rect.left() == below.left() && rect.top() < below.top() &&
                        rect.bottom() <= below.top() + 1 &&
                        rect.top() > below.top() - below.height() / 2,
                    QString::fromLatin1(caption) + " just over what it names");
        }
        QRect previous;
        for (const char* name :
             {"newSeriesButton", "conditionsButton", "printButton", "exitButton"}) {
            const QRect rect = at(name);
            require(client.contains(rect) && rect.top() > boxes[1][0].bottom(),
                    QString::fromLatin1(name) + " inside, below the numbers");
            require(previous.isNull() ||
                        (rect.size() == previous.size() && rect.top() == previous.top() &&
                         rect.left() > previous.right()),
                    QString::fromLatin1(name) + " in the row of commands");
            previous = rect;
        }
        for (const char* name : {"headerPicture", "siteLink", "siteNote", "outline"}) {
            require(client.contains(at(name)), QString::fromLatin1(name) + " inside");
        }
        require(!at("headerPicture").intersects(at("siteLink")),
                "the header's picture and link apart");
        for (const char* name :
             {"siteNote", "siteLink", "column1Caption", "column2Caption", "jollyCaption"}) {
            require(testing::showsItsTextWhole(*label(window, name)),
                    QString::fromLatin1(name) + " shows its text whole");
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    }

    // Drawn larger than it is shown, the header's picture is kept only at the size it is shown.
    void theHeaderPictureIsKeptAtTheSizeItIsShown() {
        Started started;
        started.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&started.window));
        QLabel* header = label(started.window, "headerPicture");
        QCOMPARE(header->pixmap().size(),
                 header->contentsRect().size() * header->devicePixelRatio());
        QVERIFY(QPixmap(":/quintara/header.jpg").width() > header->width());
    }

    // The link shows where it leads; the one menu offers "About", in the font of the rest of the
    // window rather than whatever a plain system's default is.
    void theLinkNamesItsSiteAndTheMenuOffersAboutInTheWindowsFont() {
        Started started;
        QCOMPARE(label(started.window, "siteLink")->text(), qt::site::host());
        const QList<QAction*> menus = started.window.menuBar()->actions();
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus.front()->text(), QStringLiteral("Informazioni sul programma"));
        QCOMPARE(menus.front()->menu()->actions().front()->text(), QStringLiteral("About"));
        const QString family =
            started.window.findChild<QToolButton*>("newSeriesButton")->font().family();
        QCOMPARE(started.window.menuBar()->font().family(), family);
        QCOMPARE(menus.front()->menu()->font().family(), family);
    }

    // Later siblings are drawn over earlier ones.
    void everyCoverLiesInFrontOfItsLabel() {
        Started started;
        const QObjectList stacking = started.window.centralWidget()->children();
        const auto depth = [&](const QString& name) {
            return stacking.indexOf(started.window.findChild<QWidget*>(name));
        };
        for (int c = 1; c <= 2; ++c) {
            for (int k = 0; k < 6; ++k) {
                QVERIFY(depth(QStringLiteral("cover(%1,%2)").arg(c).arg(k)) >
                        depth(QStringLiteral("numberBox(%1,%2)").arg(c).arg(k)));
            }
        }
        QVERIFY(depth("jollyCover") > depth("jollyBox"));
        QVERIFY(depth("band") > depth("headerBottomLine"));
        QVERIFY(depth("newSeriesButton") > depth("band"));
    }

    // Tab and Shift+Tab, pressed as a user does; the band, hidden here, takes no turn.
    void tabbingGoesEsciCondizioniNuovaSerieStampa() {
        Started started;
        started.window.show();
        QVERIFY(QTest::qWaitForWindowActive(&started.window));
        started.window.findChild<QWidget*>("exitButton")->setFocus();
        const auto press = [](Qt::Key key) {
            QTest::keyClick(QApplication::focusWidget(), key);
            return qobject_cast<QToolButton*>(QApplication::focusWidget())->text();
        };
        QCOMPARE((QStringList{press(Qt::Key_Tab), press(Qt::Key_Tab), press(Qt::Key_Tab),
                              press(Qt::Key_Tab)}),
                 (QStringList{"Condizioni", "Nuova Serie", "Stampa", "Esci"}));
        QCOMPARE((QStringList{press(Qt::Key_Backtab), press(Qt::Key_Backtab)}),
                 (QStringList{"Stampa", "Nuova Serie"}));
    }

    void theFirstSeriesOpensTheCoversOnASeriesWithinTheRangeAndEachSeriesIsNew() {
        Started started;
        started.window.onNewSeries();
        QVERIFY(testing::settles(started.window));
        QVERIFY(ascendingDistinctWithin(column(started.window, 1), 1, 49));
        QVERIFY(ascendingDistinctWithin(column(started.window, 2), 1, 49));
        const QString jolly = label(started.window, "jollyBox")->text();
        QVERIFY(!column(started.window, 1).contains(jolly));
        QVERIFY(!label(started.window, "jollyBox")->autoFillBackground());
        for (const QString& name : kCovers) {
            QCOMPARE(cover(started.window, name)->widthTwips(), name == "jollyCover" ? 10 : 5);
            QVERIFY(!cover(started.window, name)->isHidden());
        }
        QVERIFY(started.fakes.messages.shown.empty());
        const QStringList first = column(started.window, 1) + column(started.window, 2);
        started.window.onNewSeries();
        QVERIFY(testing::settles(started.window));
        QVERIFY(first != column(started.window, 1) + column(started.window, 2));
    }

    void theRandomColourBoxReplacesTheJollyNumber() {
        Started started([](FakeServices& fakes) {
            fakes.writeSettings(testing::settingsFile({.jollyNumber = "0", .randomColour = "1"}));
        });
        started.window.onNewSeries();
        QVERIFY(testing::settles(started.window));
        QLabel* jolly = label(started.window, "jollyBox");
        QCOMPARE(jolly->text(), QString());
        QVERIFY(jolly->autoFillBackground());
        // The colour shown is the ball named to a screen reader.
        const QColor shown = jolly->palette().color(QPalette::Window);
        const auto ball = std::find_if(
            draw::kBallColours.begin(), draw::kBallColours.end(),
            [&](draw::BallColour colour) { return main_window::ballLook(colour).fill == shown; });
        QVERIFY(ball != draw::kBallColours.end());
        QCOMPARE(jolly->accessibleName(),
                 "Numero Jolly nascosto: " + main_window::ballLook(*ball).words);
    }

    // Six balls a user tells apart by their colour, and a screen reader by their names.
    void eachBallHasAColourAndANameOfItsOwn() {
        std::set<QRgb> fills;
        QSet<QString> words;
        for (const draw::BallColour colour : draw::kBallColours) {
            fills.insert(main_window::ballLook(colour).fill.rgb());
            words.insert(main_window::ballLook(colour).words);
        }
        QCOMPARE(fills.size(), draw::kBallColours.size());
        QCOMPARE(std::size_t(words.size()), draw::kBallColours.size());
    }

    void anInvalidRangeIsReportedAndTheCoversStayClosed() {
        Started started([](FakeServices& fakes) {
            fakes.writeSettings(testing::settingsFile({.rangeTo = "6"}));
        });
        started.window.onNewSeries();
        QVERIFY(testing::settles(started.window));
        QCOMPARE(started.fakes.messages.shown,
                 std::vector<QString>{"Intervallo dei numeri non valido in Quintara.cfg: servono "
                                      "almeno 7 numeri, a partire da 1."});
        QVERIFY(!main_window::coversAreOpen(started.window.covers()));
        QCOMPARE(column(started.window, 1), QStringList(6, QStringLiteral("00")));
    }

    // Refused before the draw: the boxes keep the series shown before.
    void aConditionNoColumnCanMeetIsReportedAndTheLastSeriesStays() {
        Started started;
        MainWindow& window = started.window;
        const auto shown = [&window] {
            return column(window, 1) + column(window, 2) +
                   QStringList{label(window, "jollyBox")->text()};
        };
        window.onNewSeries();
        QVERIFY(testing::settles(window));
        const QStringList lastSeries = shown();
        settings::DrawConditions tensDigit8 = settings::dialogDefaults();
        tensDigit8.kind = settings::ConditionKind::TensDigit;
        tensDigit8.rangeTo = "49";
        tensDigit8.tensDigits = "8";
        started.conditions.saved = tensDigit8;
        window.onConditions();
        QVERIFY(testing::settles(window));
        QCOMPARE(started.fakes.messages.shown,
                 std::vector<QString>{
                     "Nessuna serie soddisfa le condizioni scelte. Modificare le condizioni."});
        QVERIFY(!main_window::coversAreOpen(window.covers()));
        QCOMPARE(shown(), lastSeries);
    }

    // The dialog opens behind closed covers; afterwards the window draws under what the dialog
    // handed back, without reading the file again, or, when it saved nothing, under the
    // conditions it had, whatever the file now says.
    void condizioniDrawsUnderWhatTheDialogSaved_data() {
        QTest::addColumn<bool>("saves");
        QTest::newRow("saved") << true;
        QTest::newRow("closed without saving") << false;
    }

    void condizioniDrawsUnderWhatTheDialogSaved() {
        QFETCH(bool, saves);
        Started started;
        started.window.onNewSeries();
        QVERIFY(testing::settles(started.window));
        settings::DrawConditions oddOnly = settings::dialogDefaults();
        oddOnly.kind = settings::ConditionKind::OddOnly;
        if (saves) {
            started.conditions.saved = oddOnly;
        }
        int widthWhileOpen = 0;
        int readsBefore = 0;
        started.conditions.whileShown = [&] {
            widthWhileOpen = started.window.covers().coverWidth(main_window::Cover::onNumber(0, 1));
            started.fakes.writeSettings(
                testing::settingsFile({.kind = settings::ConditionKind::EvenOnly}));
            readsBefore = started.fakes.files.reads;
        };
        started.window.onConditions();
        QVERIFY(testing::settles(started.window));
        QCOMPARE(started.conditions.showings, 1);
        QCOMPARE(widthWhileOpen, 1095);
        QCOMPARE(started.fakes.files.reads, readsBefore);
        QCOMPARE(started.window.drawSettings().conditions,
                 saves ? oddOnly : settings::mainWindowDefaults());
        QCOMPARE(started.window.drawSettings().range,
                 (saves ? settings::DrawRange{1, 90} : settings::DrawRange{1, 49}));
        for (const QString& number : column(started.window, 1) + column(started.window, 2)) {
            QVERIFY(!saves || number.toInt() % 2 == 1);
            QVERIFY(number.toInt() <= (saves ? 90 : 49));
        }
        QVERIFY(main_window::coversAreOpen(started.window.covers()));
    }

    // The real dialog in front of the window, pressed right after start-up: it opens at once over
    // the closed covers; its save narrows column 1's covers, and the window then covers them
    // again, draws under what was saved, without reading the file again, and uncovers the new
    // numbers.
    void condizioniRightAfterStartUpOpensTheRealDialogAtOnceAndItsSaveLeadsToADraw() {
        FakeServices fakes;
        FakeModalWindow information;
        conditions_dialog::ConditionsDialog dialog(fakes.services);
        MainWindow window(fakes.services, information, dialog);
        window.startUp();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        CoverMoves moves(window);
        QList<int> widthsWhileOpen;
        int readsBeforeTheSave = 0;
        QVERIFY(testing::whileShownModally(
            dialog, [&] { window.findChild<QToolButton*>("conditionsButton")->click(); },
            [&] {
                QCOMPARE(moves.moves, QStringList());
                for (const QString& name : kCovers) {
                    widthsWhileOpen << cover(window, name)->widthTwips();
                }
                readsBeforeTheSave = fakes.files.reads;
                dialog.findChild<QPushButton*>("saveAndExitButton")->click();
            }));
        QVERIFY(testing::settles(window));
        QCOMPARE(fakes.files.reads, readsBeforeTheSave);
        QCOMPARE(window.drawSettings().conditions, settings::dialogDefaults());
        QCOMPARE(widthsWhileOpen, (QList<int>{1095, 1095, 1095, 1095, 1095, 1095, 1095, 1095, 1095,
                                              1095, 1095, 1095, 2055}));
        QVERIFY(column(window, 1) != QStringList(6, QStringLiteral("00")));
        QCOMPARE(moves.moves,
                 (QStringList{"narrows over 00", "widens over 00",
                              "narrows over " + label(window, "numberBox(1,0)")->text()}));
        QVERIFY(main_window::coversAreOpen(window.covers()));
    }

    // Each reading of the clock is a frame later (16 ms): in that time a series with open covers
    // takes its two phases of a second, and the window goes back to its event loop between every
    // two frames and every two slices of a long draw, so that whoever asks meanwhile (a screen
    // reader, the compositor) is answered within 50 ms. A long draw keeps the wait cursor on.
    void aSeriesTakesTwoSecondsAndTheWindowAnswersThroughout_data() {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<bool>("longDraw");
        QTest::newRow("1 to 49") << QByteArray() << false;
        // About 1.2 million attempts a column: some three hundred slices.
        QTest::newRow("two numbers among 6000")
            << testing::settingsFile({.kind = settings::ConditionKind::MustContain,
                                      .first = "1",
                                      .second = "6000",
                                      .rangeTo = "6000"})
            << true;
    }

    void aSeriesTakesTwoSecondsAndTheWindowAnswersThroughout() {
        QFETCH(QByteArray, settings);
        QFETCH(bool, longDraw);
        Started started([&](FakeServices& fakes) {
            if (!settings.isEmpty()) {
                fakes.writeSettings(settings);
            }
        });
        started.window.onNewSeries();
        QVERIFY(testing::settles(started.window));
        testing::FixedClock& clock = started.fakes.clock;
        clock.step = std::chrono::milliseconds(16);

        std::chrono::steady_clock::duration longestWait{};
        bool waitCursorSeen = false;
        auto lastTurn = clock.steady;
        QTimer turn;
        connect(&turn, &QTimer::timeout, [&] {
            longestWait = std::max(longestWait, clock.steady - lastTurn);
            lastTurn = clock.steady;
            waitCursorSeen |= QGuiApplication::overrideCursor() != nullptr &&
                              QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        });
        turn.start(0);
        const auto start = clock.steady;
        started.window.onNewSeries();
        QVERIFY(QTest::qWaitFor([&] { return !started.window.busy(); }, 60000));
        const auto took = clock.steady - start;
        turn.stop();

        QVERIFY2(longestWait <= std::chrono::milliseconds(50),
                 qPrintable(QString::number(std::chrono::duration<double>(longestWait).count())));
        QCOMPARE(waitCursorSeen, longDraw);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        if (!longDraw) {
            QVERIFY2(
                took >= std::chrono::milliseconds(2000) && took <= std::chrono::milliseconds(2100),
                qPrintable(QString::number(std::chrono::duration<double>(took).count())));
        }
        QVERIFY(main_window::coversAreOpen(started.window.covers()));
    }

    // What the window tells a screen reader through a second series, read as the accessibility
    // bus reads it at every turn of the event loop, so at every frame of the covers' clock: the
    // first series until the covers start to close, then nothing while they close, while the
    // draw runs and while they open, and the new series only once it is told. Never a series
    // that is no longer on view.
    void theDescriptionNeverNamesASeriesNoLongerOnView() {
        Started started;
        MainWindow& window = started.window;
        const auto description = [&window] {
            return QAccessible::queryAccessibleInterface(&window)->text(QAccessible::Description);
        };
        QCOMPARE(description(), QString());
        window.onNewSeries();
        QVERIFY(testing::settles(window));
        const QString first = description();
        QVERIFY(first.startsWith("Colonna 1: "));

        testing::FixedClock& clock = started.fakes.clock;
        clock.step = main_window::kCoverFrameInterval;
        QStringList faults;
        int frames = 0;
        auto lastFrame = clock.steady;
        QTimer turn;
        connect(&turn, &QTimer::timeout, [&] {
            frames += clock.steady != std::exchange(lastFrame, clock.steady);
            const QString now = description();
            if (now == first) {
                faults << QStringLiteral("frame %1: the series before").arg(frames);
            } else if (!now.isEmpty() && !main_window::coversAreOpen(window.covers())) {
                faults << QStringLiteral("frame %1: a series behind closed covers").arg(frames);
            }
        });
        turn.start(0);
        window.onNewSeries();
        QVERIFY(testing::settles(window));
        turn.stop();
        faults.removeDuplicates();
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 5).join("; ")));
        QVERIFY(frames > 100);
        QVERIFY(description().startsWith("Colonna 1: "));
        QVERIFY(description() != first);
    }

    // What is asked during a series is done after it, in the order asked, "Esci" last.
    void clicksDuringASeriesActAfterItInOrder() {
        Started started;
        started.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&started.window));
        const auto click = [&](const char* name) {
            started.window.findChild<QToolButton*>(name)->click();
        };
        QStringList printedSeries;
        started.fakes.printer.whilePrinting = [&] {
            printedSeries = column(started.window, 1);
            QVERIFY(main_window::coversAreOpen(started.window.covers()));
        };
        click("newSeriesButton");
        for (const char* name : {"printButton", "newSeriesButton", "exitButton"}) {
            QVERIFY(started.window.busy());
            click(name);
        }
        QVERIFY(started.fakes.printer.printed.empty());
        QVERIFY(started.window.isVisible());
        QVERIFY(testing::settles(started.window));
        QCOMPARE(started.fakes.printer.printed.size(), 1u);
        QCOMPARE(printedSeries.size(), 6);
        QVERIFY(printedSeries != column(started.window, 1));
        QVERIFY(!started.window.isVisible());
    }

    void aboutShowsTheInformationWindowAgain() {
        Started started;
        started.window.findChild<QAction*>("aboutAction")->trigger();
        QCOMPARE(started.information.showings, 2);
    }

    void stampaPrintsTheWindowsClientArea() {
        Started started;
        started.window.findChild<QToolButton*>("printButton")->click();
        QCOMPARE(started.fakes.printer.printed,
                 std::vector<QWidget*>{started.window.centralWidget()});
    }

    void theSiteLinkOpensTheHomePage() {
        Started started;
        QTest::mouseClick(label(started.window, "siteLink"), Qt::LeftButton);
        QCOMPARE(started.fakes.links.opened, std::vector<QUrl>{qt::site::homePage()});
    }

    void esciClosesTheWindow() {
        Started started;
        started.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&started.window));
        started.window.findChild<QToolButton*>("exitButton")->click();
        QVERIFY(!started.window.isVisible());
    }

    // Red over the link, navy over the bare surface (a cover lets the pointer through), and
    // nothing else resets it.
    void theSiteLinkTurnsRedUnderThePointerAndNavyOverTheWindow() {
        Started started;
        started.window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&started.window));
        QLabel* link = label(started.window, "siteLink");
        const QColor red(255, 0, 0);
        const QColor navy(0, 0, 128);
        QCOMPARE(foreColour(link), red);
        QWidget* surface = started.window.centralWidget();
        QTest::mouseMove(surface, QPoint(5, 300));
        QCOMPARE(foreColour(link), navy);
        QTest::mouseMove(link, link->rect().center());
        QCOMPARE(foreColour(link), red);
        QTest::mouseMove(label(started.window, "siteNote"), QPoint(3, 3));
        QCOMPARE(foreColour(link), red);
        QTest::mouseMove(surface, cover(started.window, "cover(1,0)")->geometry().center());
        QCOMPARE(foreColour(link), red);  // the cover lets it through to its number label
        QTest::mouseMove(surface, form_controls::twipsPoint(7700, 6000));
        QCOMPARE(foreColour(link), navy);
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"

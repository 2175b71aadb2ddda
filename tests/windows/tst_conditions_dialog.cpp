// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "conditions_dialog/conditions_dialog.h"
#include "fakes.h"
#include "form_controls/twips.h"
#include "platform/qt/site.h"

using namespace quintara;
using conditions_dialog::ConditionsDialog;
using settings::ConditionKind;
using enum settings::ConditionKind;
using testing::readFile;
using testing::settingsFile;
using testing::writeFile;

namespace {

const QByteArray kDefaultFile = settingsFile();

}  // namespace

class ConditionsDialogTest : public QObject {
    Q_OBJECT

private:
    struct Dialog : testing::ConditionsDialogOverFakes {
        bool closedByItself = false;

        QString cfg() const { return fakes.file("Quintara.cfg"); }
        QRadioButton* option(ConditionKind kind) {
            return window.findChild<QRadioButton*>(
                QStringLiteral("kindOption(%1)").arg(static_cast<int>(kind)));
        }
        QLineEdit* box(const char* name) { return window.findChild<QLineEdit*>(name); }
        void type(const char* name, const QString& text) {
            box(name)->clear();
            QTest::keyClicks(box(name), text);
        }
        void pick(ConditionKind kind) {
            QTest::mouseClick(option(kind), Qt::LeftButton, {}, QPoint(8, 8));
        }
        // The box of the kind's first entry: the first number, the phrase or the digit.
        static const char* firstBox(ConditionKind kind) {
            return kind == MustContain ? "firstNumberBox"
                   : kind == Phrase    ? "phraseBox"
                                       : "tensDigitBox";
        }
        void enter(ConditionKind kind, const QString& first, const QString& second) {
            pick(kind);
            type(firstBox(kind), first);
            type("secondNumberBox", second);
        }
        void saveAndExit() { window.findChild<QPushButton*>("saveAndExitButton")->click(); }
        void exitWithoutSaving() { window.findChild<QPushButton*>("exitButton")->click(); }
        bool visible(const char* name) { return !box(name)->isHidden(); }

        void run(const std::function<void()>& action) { closedByItself = whileOpen(action); }
    };

private slots:
    void savingTheUntouchedDialogWritesTheDefaultFileAndHandsItBack() {
        Dialog dialog;
        dialog.run([&] { dialog.saveAndExit(); });
        QVERIFY(dialog.closedByItself);
        QVERIFY(dialog.saved == settings::dialogDefaults());
        QCOMPARE(readFile(dialog.cfg()), kDefaultFile);
        QVERIFY(dialog.fakes.messages.shown.empty());
    }

    void theWindowIsAsLaidOut() {
        Dialog dialog;
        QCOMPARE(dialog.window.windowTitle(), QStringLiteral("Condition form"));
        QCOMPARE(dialog.window.size(), form_controls::twipsRect(0, 0, 6270, 3795).size());
        QVERIFY(dialog.window.windowFlags() & Qt::Tool);
        QCOMPARE(dialog.window.findChild<QLabel*>("kindLabel(2)")->text(),
                 QStringLiteral("Nesuna condizione, solo numeri casuali"));
        QCOMPARE(dialog.box("phraseBox")->geometry(),
                 form_controls::twipsRect(3600, 1440, 2415, 375));
        QCOMPARE(dialog.option(TensDigit)->geometry(),
                 form_controls::twipsRect(240, 2040, 255, 255));
        QVERIFY(dialog.option(EvenOnly)->text().isEmpty());
        QCOMPARE(dialog.option(EvenOnly)->accessibleName(), QStringLiteral("Solo numeri pari"));
    }

    void pickingAKindShowsOnlyItsBoxesAndKeepsEveryText() {
        Dialog dialog;
        dialog.run([&] {
            dialog.type("firstNumberBox", "12");
            dialog.type("phraseBox", "Mario");
            dialog.pick(Phrase);
            QVERIFY(!dialog.visible("firstNumberBox") && !dialog.visible("secondNumberBox"));
            QVERIFY(dialog.visible("phraseBox") && !dialog.visible("tensDigitBox"));
            dialog.pick(MustContain);
            QVERIFY(dialog.visible("firstNumberBox") && dialog.visible("secondNumberBox") &&
                    !dialog.visible("phraseBox"));
            dialog.pick(TensDigit);
            QVERIFY(dialog.visible("tensDigitBox") && !dialog.visible("firstNumberBox"));
            dialog.pick(EvenOnly);
            QVERIFY(!dialog.visible("tensDigitBox"));
            dialog.option(Phrase)->toggle();  // as a screen reader picks it
            QVERIFY(dialog.visible("phraseBox") && !dialog.visible("firstNumberBox"));
            dialog.pick(EvenOnly);
            QCOMPARE(dialog.box("firstNumberBox")->text(), QStringLiteral("12"));
            dialog.saveAndExit();
        });
        QCOMPARE(readFile(dialog.cfg()),
                 settingsFile({.kind = EvenOnly, .first = "12", .phrase = "Mario"}));
    }

    void loadingAFileAppliesTheDisplayRuleOfItsKind() {
        Dialog dialog;
        writeFile(dialog.cfg(), settingsFile({.kind = Phrase, .first = "7", .phrase = "ciao"}));
        dialog.run([&] {
            QVERIFY(dialog.option(Phrase)->isChecked());
            QVERIFY(dialog.visible("phraseBox") && !dialog.visible("firstNumberBox"));
            QCOMPARE(dialog.box("firstNumberBox")->text(), QStringLiteral("7"));
            QCOMPARE(dialog.box("phraseBox")->text(), QStringLiteral("ciao"));
        });
    }

    void aFileSelectingNoKindLeavesAllBoxesShownAndNothingPicked() {
        Dialog dialog;
        const QByteArray noKind = settingsFile({.kind = std::nullopt});
        writeFile(dialog.cfg(), noKind);
        dialog.run([&] {
            for (int kind = 0; kind < 6; ++kind) {
                QVERIFY(!dialog.option(ConditionKind(kind))->isChecked());
            }
            QVERIFY(dialog.visible("firstNumberBox") && dialog.visible("tensDigitBox"));
            dialog.saveAndExit();
        });
        QCOMPARE(readFile(dialog.cfg()), noKind);
    }

    // The message box names the fault; the dialog stays open and the file is not touched. Which
    // entries are refused is the entry checks' table.
    void aRefusedEntrySaysWhyAndLeavesTheFileAlone() {
        Dialog dialog;
        writeFile(dialog.cfg(), kDefaultFile);
        dialog.run([&] {
            dialog.enter(MustContain, "95", "");
            dialog.saveAndExit();
            QVERIFY(dialog.window.isVisible());
        });
        QVERIFY(!dialog.closedByItself);
        QCOMPARE(dialog.fakes.messages.shown,
                 std::vector<QString>{"Prego di specificare numeri da 1 a 90."});
        QCOMPARE(readFile(dialog.cfg()), kDefaultFile);
        QVERIFY(!dialog.saved);
    }

    void acceptedEntries_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("both numbers empty") << int(MustContain) << ""
                                            << "" << QByteArray("\r\n\r\n");
        QTest::newRow("two numbers") << int(MustContain) << "5"
                                     << "77" << QByteArray("5\r\n77\r\n");
        QTest::newRow("a blank phrase") << int(Phrase) << " "
                                        << "" << QByteArray("\" \"\r\n90");
        QTest::newRow("a phrase with a comma") << int(Phrase) << "Rossi, Mario"
                                               << "" << QByteArray("\"Rossi, Mario\"\r\n90");
        QTest::newRow("digit 8") << int(TensDigit) << "8"
                                 << "" << QByteArray("8\r\n1\r\n0\r\n");
    }

    void acceptedEntries() {
        QFETCH(int, kind);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QByteArray, line);
        Dialog dialog;
        dialog.run([&] {
            dialog.enter(ConditionKind(kind), first, second);
            dialog.saveAndExit();
        });
        QVERIFY(dialog.closedByItself);
        QVERIFY(dialog.fakes.messages.shown.empty());
        QVERIFY2(readFile(dialog.cfg()).contains(line), readFile(dialog.cfg()).constData());
        // What the dialog hands the main window is what the file now holds.
        const settings::SettingsFile file(dialog.fakes.files);
        QVERIFY(dialog.saved == file.read(settings::mainWindowDefaults()).conditions);
        dialog.run([&] {  // and comes back as it was typed
            QCOMPARE(dialog.box(Dialog::firstBox(ConditionKind(kind)))->text(), first);
            QCOMPARE(dialog.box("secondNumberBox")->text(), second);
        });
    }

    void onlyTheSelectedKindIsChecked() {
        Dialog dialog;
        dialog.run([&] {
            dialog.type("firstNumberBox", "99");
            dialog.pick(EvenOnly);
            dialog.saveAndExit();
        });
        QCOMPARE(readFile(dialog.cfg()), settingsFile({.kind = EvenOnly, .first = "99"}));
    }

    void esciLeavesTheFileUntouched() {
        Dialog dialog;
        writeFile(dialog.cfg(), kDefaultFile);
        dialog.run([&] {
            dialog.pick(OddOnly);
            dialog.exitWithoutSaving();
        });
        QVERIFY(dialog.closedByItself);
        QCOMPARE(readFile(dialog.cfg()), kDefaultFile);
        QVERIFY(!dialog.saved);
    }

    void aSaveThatFailsSaysWhyAndLosesNothing() {
        Dialog dialog;
        writeFile(dialog.cfg(), kDefaultFile);
        dialog.fakes.files.failWriteHalfway = true;
        dialog.run([&] {
            dialog.pick(OddOnly);
            dialog.saveAndExit();
            QVERIFY(dialog.window.isVisible());
            QVERIFY(dialog.option(OddOnly)->isChecked());
        });
        QCOMPARE(dialog.fakes.messages.shown.size(), 1u);
        QVERIFY(dialog.fakes.messages.shown.front().startsWith(
            "Impossibile salvare le condizioni in Quintara.cfg: "));
        QVERIFY(dialog.fakes.messages.shown.front().endsWith("(il disco è pieno)."));
        QCOMPARE(readFile(dialog.cfg()), kDefaultFile);
        QCOMPARE(QDir(dialog.fakes.directory.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"Quintara.cfg"});
    }

    void aTextTheFileCannotHoldIsRefusedNamingItsBox_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("message");
        QTest::newRow("double quote") << "\"Il Grande\", Mario"
                                      << "Il testo della frase non può contenere virgolette (\").";
        QTest::newRow("line break")
            << "Mario\nRossi"
            << "Il testo della frase non può andare a capo: va scritto su una sola riga.";
        QTest::newRow("too long") << QString(70000, 'x')
                                  << "Il testo della frase è troppo lungo per essere salvato.";
    }

    void aTextTheFileCannotHoldIsRefusedNamingItsBox() {
        QFETCH(QString, pasted);
        QFETCH(QString, message);
        Dialog dialog;
        dialog.run([&] {
            dialog.pick(Phrase);
            QApplication::clipboard()->setText(pasted);
            QTest::keySequence(dialog.box("phraseBox"), QKeySequence::Paste);
            QCOMPARE(dialog.box("phraseBox")->text(), pasted);
            dialog.saveAndExit();
        });
        QCOMPARE(dialog.fakes.messages.shown, std::vector<QString>{message});
        QVERIFY(!QFile::exists(dialog.cfg()));
    }

    void typingIsLimitedButALongerLoadedTextIsKeptWhole() {
        Dialog dialog;
        writeFile(dialog.cfg(), settingsFile({.kind = MustContain, .first = "12345"}));
        dialog.run([&] {
            QCOMPARE(dialog.box("firstNumberBox")->text(), QStringLiteral("12345"));
            QTest::keyClicks(dialog.box("secondNumberBox"), "678");
            QCOMPARE(dialog.box("secondNumberBox")->text(), QStringLiteral("67"));
            QTest::keyClick(dialog.box("firstNumberBox"), Qt::Key_End);
            QTest::keyClicks(dialog.box("firstNumberBox"), "6");
            QCOMPARE(dialog.box("firstNumberBox")->text(), QStringLiteral("12345"));
            QTest::keyClick(dialog.box("firstNumberBox"), Qt::Key_Backspace);
            QCOMPARE(dialog.box("firstNumberBox")->text(), QStringLiteral("1234"));
            QTest::keyClicks(dialog.box("tensDigitBox"), "34");
            QCOMPARE(dialog.box("tensDigitBox")->text(), QStringLiteral("3"));
            dialog.pick(EvenOnly);
            dialog.saveAndExit();
        });
        QCOMPARE(readFile(dialog.cfg()),
                 settingsFile({.kind = EvenOnly, .first = "1234", .second = "67", .tens = "3"}));
    }

    // Boxes hold what the file holds, however long: nothing is cut when the user saves other
    // choices.
    void longLoadedTextsAreSavedBackUnchanged() {
        const QString digits(40000, '7');
        QString phrase;
        while (phrase.size() < 40000) {
            phrase += QStringLiteral("Niccolò Rossi ");
        }
        const QByteArray file = settingsFile({.kind = Phrase,
                                              .first = digits.toStdString(),
                                              .phrase = phrase.toLatin1().toStdString(),
                                              .tens = digits.toStdString()});
        Dialog dialog;
        writeFile(dialog.cfg(), file);
        dialog.run([&] {
            QCOMPARE(dialog.box("firstNumberBox")->text(), digits);
            QCOMPARE(dialog.box("phraseBox")->text(), phrase);
            QCOMPARE(dialog.box("tensDigitBox")->text(), digits);
            dialog.saveAndExit();
        });
        QVERIFY(dialog.fakes.messages.shown.empty());
        QCOMPARE(readFile(dialog.cfg()), file);
    }

    // A range beyond 16 bits from a hand-edited file refuses any required number (see the entry
    // checks), but is itself saved back as it was.
    void anOverflowingRangeIsSavedBackUnchanged() {
        Dialog dialog;
        writeFile(dialog.cfg(), settingsFile({.rangeTo = "99999"}));
        dialog.run([&] {
            dialog.pick(EvenOnly);
            dialog.saveAndExit();
        });
        QVERIFY(dialog.fakes.messages.shown.empty());
        QCOMPARE(readFile(dialog.cfg()), settingsFile({.kind = EvenOnly, .rangeTo = "99999"}));
    }

    void theJollyFlagsAndRangeAreSavedBackUnchanged() {
        Dialog dialog;
        const QByteArray file = settingsFile(
            {.rangeTo = "40", .rangeFrom = "2", .jollyNumber = "0", .randomColour = "1"});
        writeFile(dialog.cfg(), file);
        dialog.run([&] { dialog.saveAndExit(); });
        QCOMPARE(readFile(dialog.cfg()), file);
    }

    void theLinkOpensTheHomePageAndTheDialogStays() {
        Dialog dialog;
        dialog.run([&] {
            QTest::mouseClick(dialog.window.findChild<QLabel*>("siteLink"), Qt::LeftButton);
            QVERIFY(dialog.window.isVisible());
        });
        QCOMPARE(dialog.fakes.links.opened, std::vector<QUrl>{qt::site::homePage()});
    }

    // Without a file: no condition and all four boxes, at every opening, whatever was left
    // unsaved in the last one.
    void everyOpeningStartsFromTheFileNotFromTheLastEdits() {
        Dialog dialog;
        const auto opensWithNoConditionAndAllFourBoxes = [&] {
            QVERIFY(dialog.option(NoCondition)->isChecked());
            for (const char* name :
                 {"firstNumberBox", "secondNumberBox", "phraseBox", "tensDigitBox"}) {
                QVERIFY2(dialog.visible(name), name);
            }
        };
        dialog.run([&] {
            opensWithNoConditionAndAllFourBoxes();
            dialog.pick(Phrase);
            dialog.type("phraseBox", "non salvato");
            dialog.exitWithoutSaving();
        });
        dialog.run([&] {
            opensWithNoConditionAndAllFourBoxes();
            QCOMPARE(dialog.box("phraseBox")->text(), QString());
        });
    }
};

QTEST_MAIN(ConditionsDialogTest)
#include "tst_conditions_dialog.moc"

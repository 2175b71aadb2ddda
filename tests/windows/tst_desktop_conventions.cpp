// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "conditions_dialog/conditions_dialog.h"
#include "fakes.h"
#include "info_window/information_window.h"
#include "main_window/main_window.h"

using namespace quintara;

namespace {

// Centred to the pixel, give or take the half pixel of an odd difference in size.
bool centredOnTheScreen(const QWidget& window) {
    const QRect screen = window.screen()->availableGeometry();
    const QRect frame = window.frameGeometry();
    const int left = screen.left() + (screen.width() - frame.width()) / 2;
    const int top = screen.top() + (screen.height() - frame.height()) / 2;
    if (std::abs(frame.left() - left) > 1 || std::abs(frame.top() - top) > 1) {
        qWarning() << "window at" << frame << "on a screen of" << screen;
        return false;
    }
    return true;
}

}  // namespace

// What users of any desktop program rely on: windows open in the middle of the screen, and Return
// presses the command button that has the keyboard focus.
class DesktopConventionsTest : public QObject {
    Q_OBJECT

private:
    struct MainWindow : testing::StartedMainWindow {
        MainWindow() {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        QToolButton* button(const char* name) { return window.findChild<QToolButton*>(name); }
    };

    struct ConditionsDialog : testing::ConditionsDialogOverFakes {
        bool saved() const { return QFile::exists(fakes.file("Quintara.cfg")); }
        void press(const char* name, Qt::Key key) {
            QWidget* widget = window.findChild<QWidget*>(name);
            widget->setFocus();
            QTest::keyClick(widget, key,
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }
    };

private slots:
    void everyWindowOpensCentredOnTheScreen() {
        MainWindow main;
        QVERIFY(centredOnTheScreen(main.window));

        testing::RecordingLinkOpener links;
        info_window::InformationWindow information(links);
        testing::whileShownModally(
            information, [&] { information.showModal(main.window); },
            [&] { QVERIFY(centredOnTheScreen(information)); });

        ConditionsDialog dialog;
        dialog.whileOpen([&] { QVERIFY(centredOnTheScreen(dialog.window)); });
    }

    void returnOrEnterPressesTheFocusedCommandOfTheMainWindow() {
        MainWindow main;
        QCOMPARE(QApplication::focusWidget(), main.button("exitButton"));
        main.button("printButton")->setFocus();
        QTest::keyClick(main.button("printButton"), Qt::Key_Return);
        QTest::keyClick(main.button("printButton"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(main.fakes.printer.printed.size(), 2u);
        main.button("exitButton")->setFocus();
        QTest::keyClick(main.button("exitButton"), Qt::Key_Return);
        QVERIFY(!main.window.isVisible());
    }

    void returnPressesOnlyTheFocusedButtonOfTheDialog_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("saves");
        QTest::newRow("Salva e Esci") << "saveAndExitButton" << int(Qt::Key_Return) << true << true;
        QTest::newRow("Esci") << "exitButton" << int(Qt::Key_Return) << true << false;
        QTest::newRow("Esci by Enter") << "exitButton" << int(Qt::Key_Enter) << true << false;
        QTest::newRow("phrase box") << "phraseBox" << int(Qt::Key_Return) << false << false;
        QTest::newRow("kind") << "kindOption(2)" << int(Qt::Key_Return) << false << false;
    }

    void returnPressesOnlyTheFocusedButtonOfTheDialog() {
        QFETCH(QString, focused);
        QFETCH(int, key);
        QFETCH(bool, closes);
        QFETCH(bool, saves);
        ConditionsDialog dialog;
        bool closed = false;
        dialog.whileOpen([&] {
            dialog.press(qPrintable(focused), Qt::Key(key));
            closed = !dialog.window.isVisible();
        });
        QCOMPARE(closed, closes);
        QCOMPARE(dialog.saved(), saves);
    }
};

QTEST_MAIN(DesktopConventionsTest)
#include "tst_desktop_conventions.moc"

// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "conditions_dialog/conditions_dialog.h"
#include "files/local_file_layer.h"
#include "form_controls/accessibility.h"
#include "info_window/information_window.h"
#include "main_window/main_window.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/window_system.h"
#include "platform/system_clock.h"
#include "platform/xoshiro_random_source.h"
#include "program/application_icon.h"
#include "program/made_when_shown.h"
#include "program/user_options.h"
#include "web_band/band_choice.h"

int main(int argc, char* argv[]) {
    using namespace quintara;
    if (const auto answer = command_line::answerWithoutWindows({argv, argv + argc})) {
        return program::endWith(*answer);
    }
    qt::preferTheLighterWindowSystem();
    QApplication application(argc, argv);
    files::LocalFileLayer files;
    // What Qt left of the command line: its own options (-platform ...) are taken.
    const auto start = program::readUserOptions({argv, argv + argc}, files);
    if (const auto* ending = std::get_if<command_line::Ending>(&start)) {
        return program::endWith(*ending);
    }
    const auto& [options, warnings] = std::get<command_line::StartReading>(start);
    std::fputs(warnings.c_str(), stderr);
    QApplication::setApplicationName(QStringLiteral("Quintara"));
    // Lets the desktop match the window to its menu entry and icon (the id is the installed
    // files' name, set in cmake/QuintaraInstall.cmake).
    QGuiApplication::setDesktopFileName(QStringLiteral(QUINTARA_APP_ID));
    qt::installItalianQtTexts(application);
    QApplication::setWindowIcon(program::applicationIcon());
    form_controls::installAccessibility();

    qt::QtMessageBox messages;
    qt::DesktopLinkOpener links;
    const auto webBands = web_band::chooseWebBands(links, options.offline);
    qt::QtWindowPrinter printer(messages);
    platform::XoshiroRandomSource random;
    platform::SystemClock clock;
    window_services::WindowServices services{
        messages, links,  *webBands, printer,
        files,    random, clock,     program::settingsFileOfThisRun(options, files)};

    program::MadeWhenShown<info_window::InformationWindow, window_services::ModalWindow,
                           qt::LinkOpener>
        informationWindow(links);
    program::MadeWhenShown<conditions_dialog::ConditionsDialog, window_services::ConditionsEditor,
                           window_services::WindowServices>
        conditionsDialog(services);
    main_window::MainWindow mainWindow(services, informationWindow, conditionsDialog);
    mainWindow.startUp();
    mainWindow.show();
    return QApplication::exec();
}

// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QApplication>

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
#include "settings/settings_file.h"
#ifdef QUINTARA_WITH_WEBENGINE
#include "web_band/fetching_band_factory.h"
#else
#include "web_band/offline_band_factory.h"
#endif

int main(int argc, char* argv[]) {
    using namespace quintara;
    qt::preferTheLighterWindowSystem();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quintara"));
    // Lets the desktop match the window to its menu entry and icon (the id is the installed
    // files' name, set in cmake/QuintaraInstall.cmake).
    QGuiApplication::setDesktopFileName(QStringLiteral(QUINTARA_APP_ID));
    qt::installItalianQtTexts(application);
    QApplication::setWindowIcon(program::applicationIcon());
    form_controls::installAccessibility();

    qt::QtMessageBox messages;
    qt::DesktopLinkOpener links;
#ifdef QUINTARA_WITH_WEBENGINE
    web_band::FetchingBandFactory webBands(links);
#else
    web_band::OfflineBandFactory webBands(links);
#endif
    qt::QtWindowPrinter printer(messages);
    files::LocalFileLayer files;
    platform::XoshiroRandomSource random;
    platform::SystemClock clock;
    window_services::WindowServices services{
        messages, links, webBands, printer, files, random, clock, settings::kSettingsFileName};

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

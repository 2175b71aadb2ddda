// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>

#include "files/file_layer.h"
#include "platform/clock.h"
#include "platform/qt/link_opener.h"
#include "platform/qt/message_box.h"
#include "platform/qt/window_printer.h"
#include "platform/random_source.h"

namespace quintara::web_band {
class WebBandFactory;
}

namespace quintara::window_services {

// What the windows are given to work with, created once in main (or as fakes by the tests) and
// handed to each window at construction.
struct WindowServices {
    qt::MessageBox& messages;
    qt::LinkOpener& links;
    web_band::WebBandFactory& webBands;
    qt::WindowPrinter& printer;
    files::FileLayer& files;
    platform::RandomSource& random;
    platform::Clock& clock;
    // Where the conditions are kept.
    std::filesystem::path settingsFile;
};

}  // namespace quintara::window_services

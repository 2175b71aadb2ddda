// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>

#include "files/file_layer.h"

namespace quintara::settings {

// The settings file of a run the desktop's menu started, which starts programs in the home folder:
// Quintara.cfg in the program's configuration folder, made now with the user's usual modes, so
// that the home folder does not gather it. A settings file an earlier version left in the home
// folder is copied there when the folder holds none yet, and left where it is: it is still the
// file of a run started from a terminal in the home folder. Whatever fails here leaves the run
// without the copy, never without its place; the save then says what is wrong.
std::filesystem::path settingsFileInConfigFolder(files::FileLayer& files,
                                                 const std::filesystem::path& configFolder,
                                                 const std::filesystem::path& homeFolder);

}  // namespace quintara::settings

// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "files/file_layer.h"
#include "settings/entry_checks.h"
#include "settings/settings_file.h"

namespace quintara::settings {

// What the conditions dialog's "Salva e Esci" says in its message box when it does not save: an
// entry it refuses, a text the file cannot hold, or a step of the save that failed. Every word
// of these messages is chosen here.
std::string messageFor(EntryRefusal refusal);
std::string messageFor(const UnstorableText& text);
std::string messageFor(const files::FileFailure& failure);

}  // namespace quintara::settings

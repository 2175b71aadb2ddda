// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settings/draw_conditions.h"
#include "settings/draw_rule.h"
#include "settings/settings_file.h"

namespace quintara::settings {

// What the main window draws with: its copy of the conditions (1 to 49 until a settings file
// says otherwise), the range, and what the conditions say as numbers.
struct DrawSettings {
    DrawConditions conditions = mainWindowDefaults();
    DrawRange range{1, 49};
    DrawRule rule = drawRuleOf(conditions);
};

// The main window's read of the settings file: the conditions as the read leaves them, their
// rule, and, only when the file was read whole, the range.
DrawSettings readOver(const DrawSettings& before, const SettingsFile& file);

// What the main window draws with once the conditions dialog has saved `saved`: what a read of
// the file it wrote gives, whole, without reading it again.
DrawSettings withSavedConditions(const DrawSettings& before, const DrawConditions& saved);

}  // namespace quintara::settings

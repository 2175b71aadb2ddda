// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/draw_settings.h"

namespace quintara::settings {

DrawSettings readOver(const DrawSettings& before, const SettingsFile& file) {
    const SettingsRead read = file.read(before.conditions);
    if (read.whole) {
        return withSavedConditions(before, read.conditions);
    }
    return {read.conditions, before.range, drawRuleOf(read.conditions)};
}

DrawSettings withSavedConditions(const DrawSettings& before, const DrawConditions& saved) {
    const DrawRule rule = drawRuleOf(saved);
    return {saved, rangeAfterRead(before.range, rule), rule};
}

}  // namespace quintara::settings

// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/draw_settings.h"

namespace quintara::settings {

DrawSettings readOver(const DrawSettings& before, const SettingsFile& file) {
    const SettingsRead read = file.read(before.conditions);
    DrawSettings after{read.conditions, before.range, drawRuleOf(read.conditions)};
    if (read.whole) {
        after.range = rangeAfterRead(before.range, after.rule);
    }
    return after;
}

}  // namespace quintara::settings

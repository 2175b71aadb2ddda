// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/draw_conditions.h"

namespace quintara::settings {

DrawConditions mainWindowDefaults() {
    DrawConditions conditions;
    conditions.rangeTo = "49";
    return conditions;
}

DrawConditions dialogDefaults() {
    DrawConditions conditions;
    conditions.rangeTo = "90";
    return conditions;
}

}  // namespace quintara::settings

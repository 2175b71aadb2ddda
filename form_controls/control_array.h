// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <map>

namespace quintara::form_controls {

// Controls repeated under one name and told apart by an index that carries meaning, with gaps
// where the window has none: Label1[8] is the Jolly box, and there is no Label1[6].
template <class Control>
using ControlArray = std::map<int, Control*>;

}  // namespace quintara::form_controls

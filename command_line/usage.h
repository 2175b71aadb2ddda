// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

// The words the program prints on its terminal, in Italian as its windows speak, in the forms
// GNU programs use.
namespace quintara::command_line {

std::string helpText();
std::string versionText();
// "quintara: <what>" and where to look for help, for a command line the program cannot run.
std::string usageError(std::string_view what);

}  // namespace quintara::command_line

// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/error_words.h"

#include <array>
#include <cerrno>
#include <utility>

namespace quintara::platform {
namespace {

constexpr std::array<std::pair<std::errc, std::string_view>, 15> kWords{{
    {std::errc::permission_denied, "accesso negato"},
    {std::errc::operation_not_permitted, "accesso negato"},
    {std::errc::read_only_file_system, "il disco è di sola lettura"},
    {std::errc::no_space_on_device, "il disco è pieno"},
    {std::errc::is_a_directory, "al suo posto c'è una cartella"},
    {std::errc::no_such_file_or_directory, "la cartella non esiste più"},
    {std::errc::directory_not_empty, "al suo posto c'è una cartella non vuota"},
    {std::errc::file_exists, "al suo posto c'è una cartella non vuota"},
    {std::errc::too_many_symbolic_link_levels,
     "i collegamenti simbolici formano un giro senza fine"},
    {std::errc::io_error, "errore di lettura o scrittura sul disco"},
    {std::errc::device_or_resource_busy, "il sistema lo tiene occupato"},
    {std::errc::no_such_device_or_address, "non è un file normale"},
    {std::errc::not_a_directory, "una parte del percorso non è una cartella"},
    {std::errc::filename_too_long, "il nome è troppo lungo"},
    {std::errc::operation_would_block, "un altro programma lo sta scrivendo"},
}};

}  // namespace

std::string describeError(std::error_code error) {
    const std::error_condition condition = error.default_error_condition();
    for (const auto& [code, words] : kWords) {
        if (condition == code) {
            return std::string(words);
        }
    }
#ifdef EDQUOT
    if (condition.category() == std::generic_category() && condition.value() == EDQUOT) {
        return "lo spazio concesso su questo disco è finito";
    }
#endif
    return "errore di sistema numero " + std::to_string(error.value());
}

IoError ioFailure(std::string_view whatFailed, const std::filesystem::path& file,
                  std::error_code error) {
    return IoError{std::string(whatFailed) + " " + file.filename().string() + " (" +
                   describeError(error) + ")"};
}

}  // namespace quintara::platform

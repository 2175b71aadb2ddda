// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/save_messages.h"

#include <cerrno>
#include <string_view>
#include <utility>

namespace quintara::settings {
namespace {

using files::FileStep;

// %1 stands for the name of the file the step was about.
std::string_view stepWords(FileStep step) {
    switch (step) {
        case FileStep::RefuseFolder:
            return "al posto del file %1 c'è una cartella";
        case FileStep::RefuseSpecialFile:
            return "%1 non è un file normale";
        case FileStep::RefuseReadOnlyFile:
            return "il file %1 è di sola lettura";
        case FileStep::RefuseAnotherUsersLink:
            return "il collegamento %1 è di un altro utente in una cartella condivisa";
        case FileStep::FollowLink:
            return "impossibile seguire il collegamento %1";
        case FileStep::Open:
            return "impossibile aprire %1";
        case FileStep::CreateTemporaryFile:
            return "impossibile creare un file temporaneo accanto a %1";
        case FileStep::GiveAttributes:
            return "impossibile dare i permessi di %1";
        case FileStep::WriteBeside:
            return "impossibile scrivere accanto a %1";
        case FileStep::FinishWritingBeside:
            return "impossibile completare la scrittura accanto a %1";
        case FileStep::Replace:
            return "impossibile sostituire %1";
        case FileStep::SetOldContentsAside:
            return "impossibile mettere da parte il contenuto di %1";
        case FileStep::WriteInPlace:
            break;
    }
    return "impossibile scrivere %1";
}

constexpr std::pair<int, std::string_view> kErrorWords[] = {
    {EACCES, "accesso negato"},
    {EPERM, "accesso negato"},
    {EROFS, "il disco è di sola lettura"},
    {ENOSPC, "il disco è pieno"},
    {EDQUOT, "lo spazio concesso su questo disco è finito"},
    {EISDIR, "al suo posto c'è una cartella"},
    {ENOENT, "la cartella non esiste più"},
    // A rename over a folder that holds something.
    {ENOTEMPTY, "al suo posto c'è una cartella non vuota"},
    {EEXIST, "al suo posto c'è una cartella non vuota"},
    {ELOOP, "i collegamenti simbolici formano un giro senza fine"},
    {EIO, "errore di lettura o scrittura sul disco"},
    {EBUSY, "il sistema lo tiene occupato"},
    {ENXIO, "non è un file normale"},
    {ENOTDIR, "una parte del percorso non è una cartella"},
    {ENAMETOOLONG, "il nome è troppo lungo"},
    // Only another copy of Quintara takes the lock of a save, and only for a fraction of a second:
    // the save is not waited for, and is tried again with a click.
    {EWOULDBLOCK,
     "un'altra copia di Quintara lo sta salvando proprio ora; riprovare tra un momento"},
};

// An error without words of its own is named by its number, so that the message stays wholly
// Italian.
std::string errorWords(std::error_code error) {
    if (error == files::allNamesTaken()) {
        return "i nomi provati erano tutti già presi";
    }
    const std::error_condition condition = error.default_error_condition();
    for (const auto& [number, words] : kErrorWords) {
        if (condition == std::error_condition(number, std::generic_category())) {
            return std::string(words);
        }
    }
    return "errore di sistema numero " + std::to_string(error.value());
}

std::string filledIn(std::string_view words, std::string_view name) {
    std::string text(words);
    return text.replace(text.find("%1"), 2, name);
}

// The box of the dialog a text field is typed into; the two range fields have none of their
// own.
std::string_view boxName(TextField field) {
    switch (field) {
        case TextField::FirstNumber:
            return "del primo numero";
        case TextField::SecondNumber:
            return "del secondo numero";
        case TextField::Phrase:
            return "della frase";
        case TextField::TensDigits:
            return "del seme";
        case TextField::RangeTo:
        case TextField::RangeFrom:
            break;
    }
    return "dell'intervallo";
}

std::string_view unstorableWords(Unstorable why) {
    switch (why) {
        case Unstorable::LineBreak:
            return "Il testo %1 non può andare a capo: va scritto su una sola riga.";
        case Unstorable::TooLong:
            return "Il testo %1 è troppo lungo per essere salvato.";
        case Unstorable::DoubleQuote:
            break;
    }
    return "Il testo %1 non può contenere virgolette (\").";
}

}  // namespace

std::string messageFor(EntryRefusal refusal) {
    switch (refusal) {
        case EntryRefusal::Numbers:
            return "Prego di specificare numeri da 1 a 90.";
        case EntryRefusal::Phrase:
            return "Inserire un testo o un nome o una data....";
        case EntryRefusal::TensDigit:
            break;
    }
    return "Inserire un seme valido, numeri da 1 a 8";
}

std::string messageFor(const UnstorableText& text) {
    return filledIn(unstorableWords(text.why), boxName(text.field));
}

std::string messageFor(const files::FileFailure& failure) {
    std::string reason = filledIn(stepWords(failure.step), failure.file.filename().string());
    if (failure.error) {
        reason += " (" + errorWords(failure.error) + ")";
    }
    if (!failure.oldContentsIn.empty()) {
        reason += "; il contenuto di prima è in " + failure.oldContentsIn.filename().string();
    }
    return "Impossibile salvare le condizioni in " + std::string(kSettingsFileName) + ": " +
           reason + ".";
}

}  // namespace quintara::settings

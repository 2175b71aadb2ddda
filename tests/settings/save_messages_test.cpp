// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "settings/save_messages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <variant>

namespace quintara::settings {
namespace {

using files::FileFailure;
using files::FileStep;
using Why = std::variant<EntryRefusal, UnstorableText, FileFailure>;

// Every message "Salva e Esci" can show instead of saving: each entry refusal, each text the
// file cannot hold and each box it is named by, each step of a save that can fail and each error
// of the system in words.
struct MessageCase {
    const char* name;
    Why why;
    std::string message;

    friend void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }
};

FileFailure failed(FileStep step, int error = 0, const char* file = "folder/Quintara.cfg",
                   const char* oldContentsIn = "") {
    return {step, file,
            error == 0 ? std::error_code{} : std::error_code(error, std::generic_category()),
            oldContentsIn};
}

const std::string kNotSaved = "Impossibile salvare le condizioni in Quintara.cfg: ";

class SaveMessages : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SaveMessages, SayWhatWentWrongInItalianOnly) {
    const auto words = [](const auto& why) { return messageFor(why); };
    EXPECT_EQ(std::visit(words, GetParam().why), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveMessages,
    ::testing::Values(
        MessageCase{"NumbersOutsideTheRange", EntryRefusal::Numbers,
                    "Prego di specificare numeri da 1 a 90."},
        MessageCase{"NoPhrase", EntryRefusal::Phrase, "Inserire un testo o un nome o una data...."},
        MessageCase{"NoTensDigit", EntryRefusal::TensDigit,
                    "Inserire un seme valido, numeri da 1 a 8"},
        MessageCase{"QuoteInThePhrase", UnstorableText{TextField::Phrase, Unstorable::DoubleQuote},
                    "Il testo della frase non può contenere virgolette (\")."},
        MessageCase{
            "LineBreakInTheFirstNumber",
            UnstorableText{TextField::FirstNumber, Unstorable::LineBreak},
            "Il testo del primo numero non può andare a capo: va scritto su una sola riga."},
        MessageCase{"SecondNumberTooLong",
                    UnstorableText{TextField::SecondNumber, Unstorable::TooLong},
                    "Il testo del secondo numero è troppo lungo per essere salvato."},
        MessageCase{"QuoteInTheTensDigit",
                    UnstorableText{TextField::TensDigits, Unstorable::DoubleQuote},
                    "Il testo del seme non può contenere virgolette (\")."},
        MessageCase{"RangeToTooLong", UnstorableText{TextField::RangeTo, Unstorable::TooLong},
                    "Il testo dell'intervallo è troppo lungo per essere salvato."},
        MessageCase{"LineBreakInRangeFrom",
                    UnstorableText{TextField::RangeFrom, Unstorable::LineBreak},
                    "Il testo dell'intervallo non può andare a capo: va scritto su una sola riga."},
        MessageCase{"AFolderInTheFilesPlace", failed(FileStep::RefuseFolder),
                    kNotSaved + "al posto del file Quintara.cfg c'è una cartella."},
        MessageCase{"ASpecialFile", failed(FileStep::RefuseSpecialFile, 0, "folder/pipe"),
                    kNotSaved + "pipe non è un file normale."},
        MessageCase{"AReadOnlyFile", failed(FileStep::RefuseReadOnlyFile),
                    kNotSaved + "il file Quintara.cfg è di sola lettura."},
        MessageCase{"AnotherUsersLink",
                    failed(FileStep::RefuseAnotherUsersLink, EACCES, "shared/planted"),
                    kNotSaved + "il collegamento planted è di un altro utente in una cartella "
                                "condivisa (accesso negato)."},
        MessageCase{"LinksInALoop", failed(FileStep::FollowLink, ELOOP),
                    kNotSaved + "impossibile seguire il collegamento Quintara.cfg (i collegamenti "
                                "simbolici formano un giro senza fine)."},
        MessageCase{"OpenNotAllowed", failed(FileStep::Open, EPERM),
                    kNotSaved + "impossibile aprire Quintara.cfg (accesso negato)."},
        MessageCase{"FolderGone", failed(FileStep::CreateTemporaryFile, ENOENT),
                    kNotSaved + "impossibile creare un file temporaneo accanto a Quintara.cfg (la "
                                "cartella non esiste più)."},
        // Not "a folder that holds something is in its place", as a taken name would say.
        MessageCase{
            "EveryTemporaryNameTaken",
            FileFailure{FileStep::CreateTemporaryFile, "Quintara.cfg", files::allNamesTaken()},
            kNotSaved + "impossibile creare un file temporaneo accanto a Quintara.cfg (i "
                        "nomi provati erano tutti già presi)."},
        MessageCase{"AttributesOnAReadOnlyDisk", failed(FileStep::GiveAttributes, EROFS),
                    kNotSaved + "impossibile dare i permessi di Quintara.cfg (il disco è di sola "
                                "lettura)."},
        MessageCase{"QuotaUsedUp", failed(FileStep::WriteBeside, EDQUOT),
                    kNotSaved + "impossibile scrivere accanto a Quintara.cfg (lo spazio concesso "
                                "su questo disco è finito)."},
        MessageCase{"DiskFaultOnClosing", failed(FileStep::FinishWritingBeside, EIO),
                    kNotSaved + "impossibile completare la scrittura accanto a Quintara.cfg "
                                "(errore di lettura o scrittura sul disco)."},
        MessageCase{"AFolderInTheWayOfTheRename", failed(FileStep::Replace, EISDIR),
                    kNotSaved + "impossibile sostituire Quintara.cfg (al suo posto c'è una "
                                "cartella)."},
        MessageCase{"AFolderWithFilesInTheWay", failed(FileStep::Replace, ENOTEMPTY),
                    kNotSaved + "impossibile sostituire Quintara.cfg (al suo posto c'è una "
                                "cartella non vuota)."},
        MessageCase{"AFolderWithFilesInTheWayAsSomeSystemsSay", failed(FileStep::Replace, EEXIST),
                    kNotSaved + "impossibile sostituire Quintara.cfg (al suo posto c'è una "
                                "cartella non vuota)."},
        MessageCase{"AMountPoint", failed(FileStep::Replace, EBUSY),
                    kNotSaved + "impossibile sostituire Quintara.cfg (il sistema lo tiene "
                                "occupato)."},
        MessageCase{"NoRoomForTheCopy", failed(FileStep::SetOldContentsAside, ENOSPC),
                    kNotSaved + "impossibile mettere da parte il contenuto di Quintara.cfg (il "
                                "disco è pieno)."},
        MessageCase{"SavedByAnotherCopyAtThisMoment", failed(FileStep::WriteInPlace, EWOULDBLOCK),
                    kNotSaved + "impossibile scrivere Quintara.cfg (un'altra copia di Quintara lo "
                                "sta salvando proprio ora; riprovare tra un momento)."},
        MessageCase{"UndoingFailedToo",
                    failed(FileStep::WriteInPlace, ENOSPC, "folder/Quintara.cfg",
                           "folder/Quintara.cfg.AbCdEfGh1234.tmp"),
                    kNotSaved + "impossibile scrivere Quintara.cfg (il disco è pieno); il "
                                "contenuto di prima è in Quintara.cfg.AbCdEfGh1234.tmp."},
        MessageCase{"ADeviceAtTheName", failed(FileStep::Open, ENXIO),
                    kNotSaved + "impossibile aprire Quintara.cfg (non è un file normale)."},
        MessageCase{"AFileInThePath", failed(FileStep::Open, ENOTDIR),
                    kNotSaved + "impossibile aprire Quintara.cfg (una parte del percorso non è "
                                "una cartella)."},
        MessageCase{"ANameTooLong", failed(FileStep::CreateTemporaryFile, ENAMETOOLONG),
                    kNotSaved + "impossibile creare un file temporaneo accanto a Quintara.cfg (il "
                                "nome è troppo lungo)."},
        MessageCase{"AnErrorWithoutWords", failed(FileStep::WriteBeside, EDOM),
                    kNotSaved +
                        "impossibile scrivere accanto a Quintara.cfg (errore di sistema "
                        "numero " +
                        std::to_string(EDOM) + ")."}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace quintara::settings

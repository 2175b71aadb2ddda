// SPDX-FileCopyrightText: 2026 gli autori di Quintara
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the settings file's readers, its writer and the list input beneath
// them, and checks what must hold whatever a file contains:
// - list input reads any bytes in bounded fields, and reads the same however the stream buffer
//   delivers them; a read error ends the read exactly as the end of the file would;
// - both readers pull a bounded number of bytes from any file and read the fields the format
//   says, a short file changing only what it reaches;
// - whatever was read, the writer either stores it so that both readers read it back unchanged,
//   or refuses a text it cannot store and writes nothing;
// - the same holds for arbitrary texts typed into the dialog (the input taken as the texts).
// A broken property aborts with a message, which libFuzzer reports as a crash.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "conversions/list_input.h"
#include "conversions/windows1252.h"
#include "fuzz/memory_files.h"
#include "settings/draw_conditions.h"
#include "settings/draw_rule.h"
#include "settings/draw_settings.h"
#include "settings/settings_file.h"
#include "settings/stored_text.h"
#include "support/unlike_conditions.h"

namespace {

using quintara::conversions::ListInput;
using quintara::fuzzing::ChunkedBytes;
using quintara::fuzzing::MemoryFiles;
using namespace quintara::settings;

void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

constexpr std::size_t kKindLines = kConditionKindCount;
constexpr std::size_t kFieldsPerFile = 14;

// The most bytes a reader may pull from a file: fourteen fields of at most kMaxFieldBytes each,
// their line ends, and one byte of look-ahead.
constexpr std::size_t kMostBytesRead = kFieldsPerFile * (ListInput::kMaxFieldBytes + 2) + 1;

// The most bytes one field may pull, even one that fails for being too long: the field up to
// the limit, its line end and one byte of look-ahead.
constexpr std::size_t kMostBytesPerField = ListInput::kMaxFieldBytes + 3;

// The text members in file order, lines 7 to 12.
constexpr auto& kTexts = quintara::settings::kTextMembers;

auto memberOf(TextField field) {
    return kTexts[static_cast<std::size_t>(field)];
}

// Every field list input yields from the bytes, delivered `chunk` at a time, before it fails.
std::vector<std::string> fieldsOf(std::string_view bytes, std::size_t chunk,
                                  std::size_t failAt = ChunkedBytes::kNeverFails) {
    ChunkedBytes buffer{std::string(bytes), chunk, failAt};
    std::istream stream(&buffer);
    ListInput input(stream);
    std::vector<std::string> fields;
    std::size_t fetchedBefore = 0;
    auto checkBytesPulled = [&] {
        // Only a buffer that hands out single bytes shows what one field pulled.
        if (chunk == 1) {
            require(buffer.fetched() - fetchedBefore <= kMostBytesPerField,
                    "one field pulls at most 64 KiB and its line end");
        }
        fetchedBefore = buffer.fetched();
    };
    while (auto field = input.readField()) {
        checkBytesPulled();
        require(fields.size() < bytes.size(), "each field takes at least one byte");
        require(field->size() <= ListInput::kMaxFieldBytes, "a field is at most 64 KiB");
        require(field->find_first_of("\r\n") == std::string::npos, "a field holds no line end");
        fields.push_back(std::move(*field));
    }
    checkBytesPulled();
    require(!input.readField(), "a failed input stays failed");
    return fields;
}

std::vector<std::string> checkListInput(std::string_view bytes) {
    const std::vector<std::string> fields = fieldsOf(bytes, bytes.size());
    require(fieldsOf(bytes, 1) == fields, "refills do not change the fields");

    // A read error at some offset (picked from the bytes, so the run is repeatable) ends the
    // read as if the file ended there.
    std::uint32_t hash = 2166136261u;
    for (const char byte : bytes) {
        hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    }
    const std::size_t failAt = hash % (bytes.size() + 1);
    require(fieldsOf(bytes, 3, failAt) == fieldsOf(bytes.substr(0, failAt), failAt),
            "a read error reads like the end of the file");
    return fields;
}

// What a read from `start` must give, given the fields the file holds: every field reached
// takes the value the format gives it; everything past a short file's end keeps its value.
void checkReadAgainstFields(const DrawConditions& start, const DrawConditions& read,
                            const std::vector<std::string>& fields) {
    const std::size_t reached = std::min(fields.size(), kFieldsPerFile);

    std::optional<std::size_t> lastSelected;
    bool startKindReadAsOff = false;
    for (std::size_t line = 0; line < std::min(reached, kKindLines); ++line) {
        if (fields[line] == "1") {
            lastSelected = line;
        } else if (start.kind == conditionKindAt(static_cast<int>(line))) {
            startKindReadAsOff = true;
        }
    }
    if (lastSelected) {
        require(read.kind == conditionKindAt(static_cast<int>(*lastSelected)),
                "the last kind line reading 1 selects its kind");
    } else if (startKindReadAsOff) {
        require(!read.kind, "a kind whose line is read as not 1 is cleared");
    } else {
        require(read.kind == start.kind, "unread kind lines change nothing");
    }

    for (std::size_t i = 0; i < kTexts.size(); ++i) {
        const std::size_t line = kKindLines + i;
        const std::string& expected = line < reached
                                          ? quintara::conversions::decodeWindows1252(fields[line])
                                          : start.*kTexts[i];
        require(read.*kTexts[i] == expected, "a text line is read decoded, or left unread");
    }

    if (reached == kFieldsPerFile) {
        require(read.showRandomColour == (fields[13] == "1"), "line 14 sets the random colour");
        require(read.showJollyNumber == (fields[12] == "1" && fields[13] != "1"),
                "line 13 sets the Jolly number unless line 14 selects the colour");
    } else if (reached == kFieldsPerFile - 1) {
        require(read.showJollyNumber == (fields[12] == "1"), "line 13 sets the Jolly number");
        require(read.showRandomColour == (start.showRandomColour && fields[12] != "1"),
                "selecting the Jolly number clears the colour");
    } else {
        require(read.showJollyNumber == start.showJollyNumber &&
                    read.showRandomColour == start.showRandomColour,
                "unread flag lines change nothing");
    }
}

// The main window's range after a read from `startRange`: recomputed only after a full read,
// low first, each stopping at an overflow.
void checkRange(const DrawConditions& read, bool fullRead, const DrawRange& startRange,
                const DrawRange& range) {
    DrawRange expected = startRange;
    if (fullRead) {
        const DrawRule rule = drawRuleOf(read);
        if (rule.rangeFirst) {
            expected.first = *rule.rangeFirst;
            if (rule.rangeCount) {
                expected.count = *rule.rangeCount;
            }
        }
    }
    require(range == expected, "the range follows a full read's range texts");
}

// Saves the record and reads it back through both readers. `expected` is what must come back:
// the record itself, or for typed texts the record as Windows-1252 can hold it.
void checkRoundTrip(const DrawConditions& saved, const DrawConditions& expected) {
    MemoryFiles files(4096);
    const SettingsFile settings(files);
    const auto failure = settings.save(saved);
    const auto formatted = formatSettingsFile(saved);
    if (failure) {
        const auto* unstorable = std::get_if<UnstorableText>(&*failure);
        require(unstorable != nullptr, "a save to memory fails only on an unstorable text");
        require(std::get_if<UnstorableText>(&formatted) != nullptr &&
                    std::get<UnstorableText>(formatted) == *unstorable,
                "the save and the formatter refuse the same text");
        require(storedLineFor(
                    quintara::conversions::encodeWindows1252(saved.*memberOf(unstorable->field))) ==
                    std::variant<std::string, Unstorable>(unstorable->why),
                "only a text with no stored line is refused, for its own reason");
        require(files.files.empty(), "a refused save writes nothing");
        return;
    }
    require(std::holds_alternative<std::string>(formatted), "the formatter agrees with the save");
    const std::string& bytes = std::get<std::string>(formatted);
    require(files.files.size() == 1 && files.files.begin()->first == kSettingsFileName &&
                files.files.begin()->second == bytes,
            "the save writes the formatted bytes to the settings file alone");
    std::size_t lineEnds = 0;
    for (std::size_t at = 0; (at = bytes.find("\r\n", at)) != std::string::npos; at += 2) {
        ++lineEnds;
    }
    require(lineEnds == kFieldsPerFile && bytes.ends_with("\r\n"),
            "the file has fourteen lines, each ended by CR LF");
    require(std::count(bytes.begin(), bytes.end(), '\r') == kFieldsPerFile &&
                std::count(bytes.begin(), bytes.end(), '\n') == kFieldsPerFile,
            "no line break inside a line");

    const DrawConditions viaDialog = settings.read(quintara::testing::unlike(expected)).conditions;
    require(viaDialog == expected, "the dialog reads back what was saved");

    const DrawRange startRange{-7, -7};
    const DrawConditions start = quintara::testing::unlike(expected);
    const DrawSettings viaMainWindow = readOver({start, startRange, drawRuleOf(start)}, settings);
    const DrawConditions& viaMain = viaMainWindow.conditions;
    const DrawRange& range = viaMainWindow.range;
    require(viaMain == expected, "the main window reads back what was saved");
    checkRange(expected, true, startRange, range);

    require(formatSettingsFile(viaDialog) == formatted, "saving what was read back is stable");
}

void checkReaders(std::string_view bytes, const std::vector<std::string>& fields) {
    MemoryFiles files;
    files.files[kSettingsFileName] = std::string(bytes);
    const SettingsFile settings(files);
    const bool fullRead = fields.size() >= kFieldsPerFile;

    const DrawConditions mainStart = mainWindowDefaults();
    const DrawRange startRange{};
    const DrawSettings mainWindow =
        readOver({mainStart, startRange, drawRuleOf(mainStart)}, settings);
    const DrawConditions& main = mainWindow.conditions;
    const DrawRange& range = mainWindow.range;
    require(files.lastBytesRead <= kMostBytesRead, "the main window's read is bounded");
    checkReadAgainstFields(mainStart, main, fields);
    checkRange(main, fullRead, startRange, range);

    const DrawConditions dialogStart = dialogDefaults();
    const SettingsRead dialogRead = settings.read(dialogStart);
    const DrawConditions& dialog = dialogRead.conditions;
    const std::vector<ConditionKind>& selections = dialogRead.kindsSelected;
    require(files.lastBytesRead <= kMostBytesRead, "the dialog's read is bounded");
    checkReadAgainstFields(dialogStart, dialog, fields);
    std::vector<ConditionKind> expectedSelections;
    for (std::size_t line = 0; line < std::min(fields.size(), kKindLines); ++line) {
        if (fields[line] == "1") {
            expectedSelections.push_back(conditionKindAt(static_cast<int>(line)));
        }
    }
    require(selections == expectedSelections, "the read names each kind line of 1");
    require(dialogRead.whole == fullRead, "the read says whether it read the file whole");

    require(!(main.showJollyNumber && main.showRandomColour), "at most one flag is set");
    require(!(dialog.showJollyNumber && dialog.showRandomColour), "at most one flag is set");

    checkRoundTrip(main, main);
    checkRoundTrip(dialog, dialog);
}

// The input as what a user might type into the dialog: up to six texts separated by NUL bytes
// (taken as UTF-8, malformed or not), the first byte choosing the kind and the flags.
void checkTypedTexts(std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    const auto choice = static_cast<unsigned char>(bytes.front());
    bytes.remove_prefix(1);

    DrawConditions typed = dialogDefaults();
    const int kind = choice % (kConditionKindCount + 1);
    if (kind == kConditionKindCount) {
        typed.kind.reset();
    } else {
        typed.kind = conditionKindAt(kind);
    }
    typed.showJollyNumber = (choice & 0x10) != 0;
    typed.showRandomColour = !typed.showJollyNumber && (choice & 0x20) != 0;

    DrawConditions expected = typed;
    for (std::size_t i = 0; i < kTexts.size() && !bytes.empty(); ++i) {
        const std::size_t end = std::min(bytes.find('\0'), bytes.size());
        typed.*kTexts[i] = std::string(bytes.substr(0, end));
        expected.*kTexts[i] = quintara::conversions::decodeWindows1252(
            quintara::conversions::encodeWindows1252(typed.*kTexts[i]));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    checkRoundTrip(typed, expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> fields = checkListInput(bytes);
    checkReaders(bytes, fields);
    checkTypedTexts(bytes);
    return 0;
}

#include "pellimore/check/settings_analysis.h"

#include "brawl/move_table.h"
#include "host/key_state_table.h"
#include "pellimore/check/settings_survey.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>

namespace {

struct DispatchState {
    BindingState state;
    std::string sharedWith;
};
// Keyed by the binding's load source; the fixed challenge key has none.
using StateByBinding = std::map<const BindingSource*, DispatchState>;

// Reading the file every frame costs about a millisecond per few hundred KB:
// past this, the file costs the game noticeable time.
constexpr std::size_t largeFileBytes = 256 * 1024;

// A file with no [Pellimore] line and this many lines the game skips is some other file.
constexpr int unrelatedFileInvalidLines = 20;

// The code the readme tells players to write to switch a move off.
constexpr std::int32_t switchedOffCode = -1;

bool isKeyCode(std::int32_t code) { return code >= 0 && static_cast<std::uint32_t>(code) < keyStateRowCount; }

// The text a value has after its leading number ("; X key" of "88 ; X key"), or "".
std::string textAfterTheNumber(const std::string& text) {
    std::size_t end = text.find_first_of("0123456789");
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end >= text.size()) return "";
    const std::size_t start = text.find_first_not_of(" \t", end);
    return start == std::string::npos ? "" : text.substr(start);
}

// "81 (Q)", or "300" for a code without a name.
std::string codeAndName(std::int64_t code) {
    const std::string name = keyName(code);
    return name.empty() ? std::to_string(code) : std::to_string(code) + " (" + name + ")";
}

const BindingSource* sourceOf(const DispatchEntry& entry) {
    for (const auto& source : bindingSources)
        if (source.binding == entry.binding) return &source;
    return nullptr;
}

BindingRow readRow(int index, const IniSection& section, const FileSurvey& survey, const HotkeyBindings& loaded) {
    const BindingSource& source = bindingSources[index];
    BindingRow row{
        &source, effectiveSettingsKey(source, section), "", 0, false, loaded.*source.binding, BindingState::Ok, ""};
    const auto found = survey.sectionKeys.find(row.readFrom);
    if (found != survey.sectionKeys.end()) row.line = found->second.back().line;
    row.rawValue = section.hasKey(row.readFrom) ? shownAsText(section.getValue(row.readFrom)) : "(missing)";
    return row;
}

void warnAboutValue(const BindingRow& row, const IniSection& section, std::vector<SettingsFinding>& warnings) {
    const std::string field = row.source->fieldName;
    const std::string name = playerNameOf(*row.source);
    const std::string text = section.getValue(row.readFrom);
    const bool modifier = row.source->binding == &HotkeyBindings::xKey;
    if (lowerCase(text).starts_with("0x")) {
        const auto meant = parseKey(text.substr(0, text.find_first_of(" \t;")));
        warnings.push_back(
            {FindingKind::HexNumber, row.line,
             name + " is written " + shownAsText(text) + ", which the game reads as 0: codes are decimal numbers" +
                 (meant ? "; " + shownAsText(text.substr(0, text.find_first_of(" \t;"))) + " is " +
                              codeAndName(*meant) + ", so write " + row.readFrom + "=" + std::to_string(*meant)
                        : std::string()),
             field, row.code});
    } else if (const std::string after = textAfterTheNumber(text); !after.empty()) {
        warnings.push_back({FindingKind::TextAfterNumber, row.line,
                            name + " reads as " + codeAndName(row.code) + ": the game ignores \"" + shownAsText(after) +
                                "\" after the number; put a comment on a line of its own",
                            field, row.code});
    }
    const std::string what = modifier ? "the four throws" : name;
    if (row.code == 0)
        warnings.push_back({FindingKind::CodeZero, row.line,
                            (modifier ? "the Modifier is on code 0, which no key sends, so the four throws"
                                      : name + " is on code 0, which no key sends, so it") +
                                std::string(" can never fire: write the key's code, or -1 to switch it off"),
                            field, 0});
    if (isKeyCode(row.code) || row.code == switchedOffCode) return;
    warnings.push_back({FindingKind::NotAKeyCode, row.line,
                        what + (modifier ? " are" : " is") + " switched off: " + std::to_string(row.code) +
                            " is not a key code (key codes go from 1 to " + std::to_string(keyStateRowCount - 1) +
                            "); write -1 to switch a move off on purpose",
                        field, row.code});
}

// -1, the readme's way to switch a move off, is a choice the player made: a note, not a problem.
std::vector<SettingsFinding> switchedOffNotes(const std::vector<BindingRow>& rows) {
    std::vector<SettingsFinding> notes;
    for (const auto& row : rows)
        if (row.loaded && row.code == switchedOffCode)
            notes.push_back({FindingKind::NotAKeyCode, row.line,
                             row.source->binding == &HotkeyBindings::xKey
                                 ? "the Modifier is switched off (-1), and with it the four throws"
                                 : playerNameOf(*row.source) + " is switched off (-1)",
                             row.source->fieldName, row.code});
    return notes;
}

// Why the game stops reading at this binding, and what to write instead.
std::string stopReason(const BindingRow& row, const IniSection& section, const FileSurvey& survey,
                       ConversionError error) {
    const std::string key = row.readFrom;
    const std::string name = playerNameOf(*row.source);
    const std::string usual = key + "=" + std::to_string(HotkeyBindings{}.*row.source->binding);
    if (survey.utf16) return "it cannot read a file saved as UTF-16";
    if (survey.headerLine == 0)
        return std::string(survey.markHidesHeader ? "the byte-order mark hides [Pellimore]"
                                                  : "there is no [Pellimore] line") +
               ", so it finds no key at all";
    if (!section.hasKey(key)) {
        const auto commented = survey.commentedKeys.find(key);
        const std::string where = commented != survey.commentedKeys.end()
                                      ? " (line " + std::to_string(commented->second) + " has it behind ';')"
                                      : "";
        return "the line " + key + "=... is missing" + where + ": add " + usual + ", or " + key + "=-1 to switch " +
               name + " off";
    }
    const std::string value = section.getValue(key);
    if (error == ConversionError::OutOfRange)
        return shownAsText(value) + " is far too large to be a key code: write " + usual + ", or " + key + "=-1";
    if (value.empty()) return key + " has no value: write " + usual + ", or " + key + "=-1 to switch " + name + " off";
    if (const auto code = parseKey(value))
        return "\"" + shownAsText(value) + "\" is a key's name, not its code: " + shownAsText(value) + " is " +
               std::to_string(*code) + ", so write " + key + "=" + std::to_string(*code);
    return "\"" + shownAsText(value) + "\" is not a number: write " + usual + ", or " + key + "=-1 to switch " + name +
           " off";
}

void warnAboutStop(const BindingRow& row, int index, const IniSection& section, const FileSurvey& survey,
                   ConversionError error, std::vector<SettingsFinding>& warnings) {
    const int later = bindingSourceCount - index - 1;
    warnings.push_back({FindingKind::LoadStops, row.line,
                        "the game stops reading the file at " + playerNameOf(*row.source) + ": " +
                            stopReason(row, section, survey, error) + ". Until it is fixed, " +
                            playerNameOf(*row.source) +
                            (later ? " and the " + std::to_string(later) + " settings after it keep" : " keeps") +
                            " the keys they had",
                        row.source->fieldName});
}

std::vector<BindingRow> bindingRows(const SettingsEvaluation& load, const IniSection& section, const FileSurvey& survey,
                                    std::vector<SettingsFinding>& warnings) {
    std::vector<BindingRow> rows;
    for (int index = 0; index < bindingSourceCount; ++index) {
        BindingRow row = readRow(index, section, survey, load.bindings);
        row.loaded = load.failedSource < 0 || index < load.failedSource;
        if (row.loaded) warnAboutValue(row, section, warnings);
        if (index == load.failedSource) warnAboutStop(row, index, section, survey, load.error, warnings);
        rows.push_back(row);
    }
    return rows;
}

// The fix for a later move that loses its key to an earlier one.
std::string sharedKeyFix(const DispatchEntry& entry, const IniSection& section) {
    const BindingSource* source = sourceOf(entry);
    if (source && source->fallbackSettingsKey && !section.hasKey(source->settingsKey))
        return ". This file gives " + std::string(entry.playerName) + " no key of its own: add a line " +
               source->settingsKey + "=<code>, or choose it in the editor and press a free key";
    return ". Move one of them to a free key";
}

// The first earlier entry on the same key fires instead of this one, or only without the modifier.
void noteSharedKey(const DispatchEntry& entry, const DispatchEntry& first, std::uint32_t code,
                   const IniSection& section, StateByBinding& states, std::vector<SettingsFinding>& warnings) {
    const std::string name = entry.playerName;
    const std::string firstName = first.playerName;
    const bool onlyWithoutModifier = first.needsModifier && !entry.needsModifier;
    states[sourceOf(entry)] = {
        onlyWithoutModifier ? BindingState::FiresOnlyWithoutModifier : BindingState::NeverFiresSharedKey, first.name};
    const BindingSource* source = sourceOf(entry);
    warnings.push_back({FindingKind::SharedKey, 0,
                        name + " and " + firstName + " are both on " + keyLabel(code) +
                            (onlyWithoutModifier ? ": with the Modifier held only " + firstName + " fires"
                                                 : ": only " + firstName + " fires") +
                            sharedKeyFix(entry, section),
                        source ? source->fieldName : "", static_cast<std::int32_t>(code)});
}

// What the dispatch order does with the loaded codes; code 0 and codes off the table never fire anyway.
StateByBinding dispatchStates(const IniSection& section, const HotkeyBindings& bindings,
                              std::vector<SettingsFinding>& warnings) {
    StateByBinding states;
    const auto modifier = static_cast<std::uint32_t>(bindings.xKey);
    for (int later = 0; later < dispatchEntryCount; ++later) {
        const DispatchEntry& entry = dispatchTable[later];
        const std::uint32_t code = triggerKeyCode(entry, bindings);
        if (code == 0 || code >= keyStateRowCount) continue;
        if (entry.needsModifier && code == modifier) {
            states[sourceOf(entry)] = {BindingState::NeverFiresOnModifier, ""};
            const BindingSource* source = sourceOf(entry);
            warnings.push_back({FindingKind::BoundToModifier, 0,
                                std::string(entry.playerName) + " is on " + keyLabel(code) +
                                    ", the Modifier's own key, so it can never fire: move one of them to a free key",
                                source ? source->fieldName : "", static_cast<std::int32_t>(code)});
            continue;
        }
        const auto first = std::find_if(dispatchTable, dispatchTable + later, [&](const DispatchEntry& earlier) {
            return triggerKeyCode(earlier, bindings) == code;
        });
        if (first != dispatchTable + later) noteSharedKey(entry, *first, code, section, states, warnings);
    }
    return states;
}

void setRowState(BindingRow& row, const StateByBinding& states) {
    if (!row.loaded)
        row.state = BindingState::KeepsPreviousKey;
    else if (!isKeyCode(row.code))
        row.state = BindingState::Off;
    else if (row.code == 0)
        row.state = BindingState::NeverFiresCodeZero;
    else if (const auto found = states.find(row.source); found != states.end()) {
        row.state = found->second.state;
        row.sharedWith = found->second.sharedWith;
    } else if (row.source->binding == &HotkeyBindings::xKey)
        row.state = BindingState::Modifier;
    else
        row.state = BindingState::Ok;
}

// Keypad keys change code with Num Lock, which players often have off.
std::vector<SettingsFinding> keypadNotes(const std::vector<BindingRow>& rows) {
    std::vector<SettingsFinding> notes;
    for (const auto& row : rows)
        if (row.loaded && isKeypadDigitCode(row.code) && row.source->binding != &HotkeyBindings::xKey)
            notes.push_back({FindingKind::NumLock, row.line,
                             playerNameOf(*row.source) + " is on " + keyLabel(row.code) +
                                 ": it works only while Num Lock is on; with Num Lock off that key sends " +
                                 keyLabel(keypadCodeWithoutNumLock(row.code)),
                             row.source->fieldName, row.code});
    if (notes.empty()) return notes;
    const auto challenge = static_cast<std::int32_t>(grappleChallengeKeyCode);
    notes.push_back({FindingKind::NumLock, 0,
                     "with Num Lock off, " + keyName(challenge) + " sends " +
                         keyLabel(keypadCodeWithoutNumLock(challenge)) + ", so " +
                         moveEntry(MeleeAction::GrappleChallengeFront).playerName + " (always on " +
                         keyName(challenge) + ") cannot fire, and the key may fire whatever is on Up instead (" +
                         moveEntry(MeleeAction::GrappleThrowFront).playerName + ", by default)",
                     "", challenge});
    return notes;
}

// Keys the game itself uses on foot: each press in play also orders the brawl.
std::vector<SettingsFinding> gameKeyNotes(const std::vector<BindingRow>& rows) {
    static constexpr std::int32_t gameKeysOnFoot[] = {'E', 'F'};
    std::vector<SettingsFinding> notes;
    for (const auto& row : rows) {
        if (!row.loaded || row.source->binding == &HotkeyBindings::xKey) continue;
        if (std::find(std::begin(gameKeysOnFoot), std::end(gameKeysOnFoot), row.code) == std::end(gameKeysOnFoot))
            continue;
        notes.push_back({FindingKind::GameKey, row.line,
                         playerNameOf(*row.source) + " is on " + keyLabel(row.code) +
                             ", a key the game itself uses on foot: each press in play also makes the characters "
                             "around you brawl. If that gets in the way, move it to a free key in the editor",
                         row.source->fieldName, row.code});
    }
    return notes;
}

ExitStatus verdictOf(const SettingsReport& report) {
    if (!report.loadError.empty()) return exitFailed;
    return report.warnings.empty() ? exitAllGood : exitWithWarnings;
}

// Some other file (a readme, a program) dropped where a settings file belongs: one sentence, not a page of lines.
std::string unrelatedFileReason(std::string_view bytes, const FileSurvey& survey) {
    if (survey.anyCaseHeader) return "";
    if (bytes.starts_with("MZ")) return "it is a program file, not a settings file";
    if (bytes.find('\0') != std::string_view::npos && !looksLikeUtf16(bytes))
        return "it holds binary data, not settings";
    if (survey.invalidLines > unrelatedFileInvalidLines) return "it has no [Pellimore] section and reads like a text";
    return "";
}

void noteLargeFile(std::string_view bytes, std::vector<SettingsFinding>& warnings) {
    if (bytes.size() <= largeFileBytes) return;
    const std::string size = std::to_string(bytes.size() / 1024) + " KB";
    warnings.push_back({FindingKind::LargeFile, 0,
                        bytes.size() > maximumSettingsFileBytes
                            ? "the file is " + size +
                                  ", too large for the game to read at all: keep only the "
                                  "[Pellimore] section (well under 1 KB)"
                            : "the file is " + size +
                                  ", and the game reads it again every frame, which costs the "
                                  "game time: keep only the [Pellimore] section (well under 1 KB)",
                        "", -1});
}

}  // namespace

std::string playerNameOf(const BindingSource& source) {
    for (const DispatchEntry& entry : dispatchTable)
        if (entry.binding && entry.binding == source.binding) return entry.playerName;
    return modifierPlayerName;
}

std::string bindingStateText(const BindingRow& row) {
    switch (row.state) {
        case BindingState::Ok: return "ok";
        case BindingState::Modifier: return "modifier for the throws";
        case BindingState::Off: return "off";
        case BindingState::KeepsPreviousKey: return "keeps its previous key";
        case BindingState::NeverFiresSharedKey: return "never fires: same key as " + row.sharedWith;
        case BindingState::FiresOnlyWithoutModifier:
            return "fires only without the modifier: same key as " + row.sharedWith;
        case BindingState::NeverFiresOnModifier: return "never fires: bound to the modifier";
        case BindingState::NeverFiresCodeZero: return "never fires: no key sends code 0";
    }
    return "";
}

SettingsReport analyzeSettingsBytes(std::string_view bytes, const std::string& path) {
    SettingsReport report;
    report.path = path;
    // The game reads nothing from a file over its size limit.
    const std::string_view read = bytes.size() > maximumSettingsFileBytes ? std::string_view() : bytes;
    FileSurvey survey = surveySettingsFile(splitLines(read), read);
    if (const std::string reason = unrelatedFileReason(read, survey); !reason.empty()) {
        report.fileError = path + " is not Pellimore.ini: " + reason +
                           ". Drop Pellimore.ini itself onto pellimore.exe, or double-click pellimore.exe to check "
                           "the game folder's";
        report.verdict = exitFailed;
        return report;
    }
    report.warnings = std::move(survey.warnings);
    noteLargeFile(bytes, report.warnings);

    IniDocument document;
    document.parseBytes(read);
    const SettingsEvaluation load = evaluateSettings(document, HotkeyBindings{});
    if (load.error != ConversionError::None) report.loadError = conversionErrorMessage(load.error);
    const IniSection* found = document.findTrimmedSection(settingsSectionName);
    const IniSection section = found ? *found : IniSection{};
    // A byte-order mark before [Pellimore] is the whole story; its own finding says so.
    if (survey.headerLine == 0 && !survey.markHidesHeader && !survey.utf16)
        report.warnings.push_back({FindingKind::NoSection, 0,
                                   "there is no [Pellimore] line, so the game loads no key from this file: add "
                                   "[Pellimore] on a line of its own above the keys",
                                   "", -1});
    report.rows = bindingRows(load, section, survey, report.warnings);
    const StateByBinding states = dispatchStates(section, load.bindings, report.warnings);
    for (auto& row : report.rows) setRowState(row, states);
    report.notes = switchedOffNotes(report.rows);
    for (auto& note : keypadNotes(report.rows)) report.notes.push_back(std::move(note));
    for (auto& note : gameKeyNotes(report.rows)) report.notes.push_back(std::move(note));
    // A UTF-16 file is unreadable as a whole: its encoding is the one thing to fix.
    if (survey.utf16)
        std::erase_if(report.warnings, [](const SettingsFinding& finding) {
            return finding.kind != FindingKind::Utf16 && finding.kind != FindingKind::LoadStops;
        });
    std::stable_sort(report.warnings.begin(), report.warnings.end(),
                     [](const SettingsFinding& a, const SettingsFinding& b) { return a.line < b.line; });
    report.verdict = verdictOf(report);
    return report;
}

SettingsReport analyzeSettingsFile(const std::string& path) {
    std::error_code filesystemError;
    SettingsReport report;
    report.path = path;
    if (std::filesystem::is_directory(pathFromText(path), filesystemError))
        report.fileError = path + " is a folder, not a settings file";
    const std::optional<std::string> bytes =
        report.fileError.empty() ? readWholeFile(pathFromText(path)) : std::nullopt;
    if (report.fileError.empty() && !bytes)
        report.fileError = "cannot open " + path + ": there is no such file, or it cannot be read";
    if (!report.fileError.empty()) {
        report.verdict = exitFailed;
        return report;
    }
    return analyzeSettingsBytes(*bytes, path);
}

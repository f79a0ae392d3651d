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

bool isKeyCode(std::int32_t code) { return code >= 0 && static_cast<std::uint32_t>(code) < keyStateRowCount; }

// The trailing text a value has after its number, if it has a number at all.
bool hasTextAfterTheNumber(const std::string& text) {
    std::size_t end = text.find_first_of("0123456789");
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    return end < text.size();
}

std::string whyTheLoadStopped(const IniSection& section, const std::string& key, ConversionError error) {
    if (!section.hasKey(key)) return "the key is missing";
    return error == ConversionError::OutOfRange ? "its value does not fit in 32 bits"
                                                : "its value does not start with a number";
}

BindingRow readRow(int index, const IniSection& section, const FileSurvey& survey, const HotkeyBindings& loaded) {
    const BindingSource& source = bindingSources[index];
    BindingRow row{&source, effectiveSettingsKey(source, section), "", 0, false, loaded.*source.binding};
    const auto found = survey.sectionKeys.find(row.readFrom);
    if (found != survey.sectionKeys.end()) row.line = found->second.back().line;
    row.rawValue = section.hasKey(row.readFrom) ? shownAsText(section.getValue(row.readFrom)) : "(missing)";
    return row;
}

void warnAboutValue(const BindingRow& row, const IniSection& section, std::vector<SettingsFinding>& warnings) {
    const std::string field = row.source->fieldName;
    const std::string text = section.getValue(row.readFrom);
    if (hasTextAfterTheNumber(text))
        warnings.push_back({FindingKind::TextAfterNumber, row.line,
                            row.readFrom + " = '" + shownAsText(text) + "' reads as " + std::to_string(row.code) +
                                "; the text after the number is ignored",
                            field, row.code});
    if (isKeyCode(row.code)) return;
    const bool modifier = row.source->binding == &HotkeyBindings::xKey;
    warnings.push_back({FindingKind::NotAKeyCode, row.line,
                        row.readFrom + " = " + std::to_string(row.code) + " is not a key code (0 to " +
                            std::to_string(keyStateRowCount - 1) + "); " +
                            (modifier ? "the four throws are switched off" : field + " is switched off"),
                        field, row.code});
}

void warnAboutStop(const BindingRow& row, int index, const IniSection& section, ConversionError error,
                   std::vector<SettingsFinding>& warnings) {
    const int later = bindingSourceCount - index - 1;
    warnings.push_back({FindingKind::LoadStops, row.line,
                        "the load stops at " + row.readFrom + " (" + whyTheLoadStopped(section, row.readFrom, error) +
                            ": " + conversionErrorMessage(error) + "); " + row.source->fieldName +
                            (later ? " and the " + std::to_string(later) + " bindings after it keep" : " keeps") +
                            " their previous keys",
                        row.source->fieldName});
}

std::vector<BindingRow> bindingRows(const SettingsEvaluation& load, const IniSection& section, const FileSurvey& survey,
                                    std::vector<SettingsFinding>& warnings) {
    std::vector<BindingRow> rows;
    for (int index = 0; index < bindingSourceCount; ++index) {
        BindingRow row = readRow(index, section, survey, load.bindings);
        row.loaded = load.failedSource < 0 || index < load.failedSource;
        if (row.loaded) warnAboutValue(row, section, warnings);
        if (index == load.failedSource) warnAboutStop(row, index, section, load.error, warnings);
        rows.push_back(row);
    }
    return rows;
}

const BindingSource* sourceOf(const DispatchEntry& entry) {
    for (const auto& source : bindingSources)
        if (source.binding == entry.binding) return &source;
    return nullptr;
}

std::string ownKeyHint(const DispatchEntry& entry, const IniSection& section) {
    const BindingSource* source = sourceOf(entry);
    if (source && source->fallbackSettingsKey && !section.hasKey(source->settingsKey))
        return " (add " + std::string(source->settingsKey) + " to give it a key of its own)";
    return "";
}

// The first earlier entry on the same key fires instead of this one, or only without the modifier.
void noteSharedKey(const DispatchEntry& entry, const DispatchEntry& first, std::uint32_t code,
                   const IniSection& section, StateByBinding& states, std::vector<SettingsFinding>& warnings) {
    const std::string name = entry.name;
    const std::string firstName = first.name;
    const bool onlyWithoutModifier = first.needsModifier && !entry.needsModifier;
    states[sourceOf(entry)] = {
        onlyWithoutModifier ? BindingState::FiresOnlyWithoutModifier : BindingState::NeverFiresSharedKey, firstName};
    const BindingSource* source = sourceOf(entry);
    warnings.push_back({FindingKind::SharedKey, 0,
                        name + " and " + firstName + " share the key " + keyLabel(code) +
                            (onlyWithoutModifier ? "; with the modifier held only " + firstName + " fires"
                                                 : "; only " + firstName + " fires") +
                            ownKeyHint(entry, section),
                        source ? source->fieldName : "", static_cast<std::int32_t>(code)});
}

// What the dispatch order does with the loaded codes.
StateByBinding dispatchStates(const IniSection& section, const HotkeyBindings& bindings,
                              std::vector<SettingsFinding>& warnings) {
    StateByBinding states;
    const auto modifier = static_cast<std::uint32_t>(bindings.xKey);
    for (int later = 0; later < dispatchEntryCount; ++later) {
        const DispatchEntry& entry = dispatchTable[later];
        const std::uint32_t code = triggerKeyCode(entry, bindings);
        if (code >= keyStateRowCount) continue;
        if (entry.needsModifier && code == modifier) {
            states[sourceOf(entry)] = {BindingState::NeverFiresOnModifier, ""};
            const BindingSource* source = sourceOf(entry);
            warnings.push_back(
                {FindingKind::BoundToModifier, 0,
                 std::string(entry.name) + " is bound to the modifier key " + keyLabel(code) + "; it can never fire",
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
                             std::string(row.source->fieldName) + " is on " + keyLabel(row.code) +
                                 ": it fires only with Num Lock on; with Num Lock off that key sends " +
                                 keyLabel(keypadCodeWithoutNumLock(row.code)),
                             row.source->fieldName, row.code});
    if (notes.empty()) return notes;
    const auto challenge = static_cast<std::int32_t>(grappleChallengeKeyCode);
    notes.push_back({FindingKind::NumLock, 0,
                     "with Num Lock off, " + keyName(challenge) + " sends " +
                         keyLabel(keypadCodeWithoutNumLock(challenge)) + ", so GrappleChallengeFront (always on " +
                         keyName(challenge) +
                         ") cannot fire, and the key may fire whatever is bound to Up instead (GrappleThrowFront, by "
                         "default)",
                     "", challenge});
    return notes;
}

ExitStatus verdictOf(const SettingsReport& report) {
    if (!report.loadError.empty()) return exitFailed;
    return report.warnings.empty() ? exitAllGood : exitWithWarnings;
}

}  // namespace

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
    }
    return "";
}

SettingsReport analyzeSettingsBytes(std::string_view bytes, const std::string& path) {
    SettingsReport report;
    report.path = path;
    FileSurvey survey = surveySettingsFile(splitLines(bytes), bytes);
    report.warnings = std::move(survey.warnings);

    IniDocument document;
    document.parseBytes(bytes);
    const SettingsEvaluation load = evaluateSettings(document, HotkeyBindings{});
    if (load.error != ConversionError::None) report.loadError = conversionErrorMessage(load.error);
    const IniSection* found = document.findTrimmedSection(settingsSectionName);
    const IniSection section = found ? *found : IniSection{};
    if (survey.headerLine == 0)
        report.warnings.push_back(
            {FindingKind::NoSection, 0,
             std::string("no [") + settingsSectionName + "] section: the game loads no binding from this file"});
    report.rows = bindingRows(load, section, survey, report.warnings);
    const StateByBinding states = dispatchStates(section, load.bindings, report.warnings);
    for (auto& row : report.rows) setRowState(row, states);
    report.notes = keypadNotes(report.rows);
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
        report.fileError = path + " is a directory, not a settings file";
    const std::optional<std::string> bytes =
        report.fileError.empty() ? readWholeFile(pathFromText(path)) : std::nullopt;
    if (report.fileError.empty() && !bytes) report.fileError = "cannot open " + path;
    if (!report.fileError.empty()) {
        report.verdict = exitFailed;
        return report;
    }
    return analyzeSettingsBytes(*bytes, path);
}

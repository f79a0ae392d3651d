#include "pellimore/settings_analysis.h"

#include "brawl/script_loop.h"
#include "pellimore/key_names.h"
#include "pellimore/platform.h"
#include "pellimore/text.h"
#include "settings/hotkey_bindings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iterator>
#include <map>

namespace {

using StateByBinding = std::map<const std::int32_t*, std::string>;

// Runs the module's own load on the file, from the bindings a fresh game starts with.
SettingsLoadResult loadAsTheGameWould(const std::string& path) {
    const std::string previousPath = settingsPath;
    settingsPath = path;
    hotkeyBindings = HotkeyBindings{};
    settingsDocument.clear();
    const SettingsLoadResult result = loadHotkeySettings();
    settingsPath = previousPath;
    return result;
}

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

BindingRow readRow(int index, const IniSection& section, const FileSurvey& survey) {
    const BindingSource& source = bindingSources[index];
    BindingRow row{&source, effectiveSettingsKey(source, section), "", 0, false, *source.binding, ""};
    const auto found = survey.sectionKeys.find(row.readFrom);
    if (found != survey.sectionKeys.end()) row.line = found->second.back().line;
    row.rawValue = section.hasKey(row.readFrom) ? shownAsText(section.getValue(row.readFrom)) : "(missing)";
    return row;
}

void warnAboutValue(const BindingRow& row, const IniSection& section, std::vector<Warning>& warnings) {
    const std::string text = section.getValue(row.readFrom);
    if (hasTextAfterTheNumber(text))
        warnings.push_back({row.line, row.readFrom + " = '" + shownAsText(text) + "' reads as " + std::to_string(row.code) +
                                          "; the text after the number is ignored"});
    if (row.code >= 0 && row.code < 255) return;
    const bool modifier = row.source->binding == &hotkeyBindings.xKey;
    warnings.push_back({row.line, row.readFrom + " = " + std::to_string(row.code) + " is not a key code (0 to 254); " +
                                      (modifier ? "the four throws are switched off"
                                                : std::string(row.source->fieldName) + " is switched off")});
}

void warnAboutStop(const BindingRow& row, int index, const IniSection& section, ConversionError error,
                   std::vector<Warning>& warnings) {
    const int later = bindingSourceCount - index - 1;
    warnings.push_back({row.line, "the load stops at " + row.readFrom + " (" +
                                      whyTheLoadStopped(section, row.readFrom, error) + ": " +
                                      conversionErrorMessage(error) + "); " + row.source->fieldName +
                                      (later ? " and the " + std::to_string(later) + " bindings after it keep"
                                             : " keeps") +
                                      " their previous keys"});
}

std::vector<BindingRow> bindingRows(const SettingsLoadResult& load, const IniSection& section,
                                    const FileSurvey& survey, std::vector<Warning>& warnings) {
    std::vector<BindingRow> rows;
    for (int index = 0; index < bindingSourceCount; ++index) {
        BindingRow row = readRow(index, section, survey);
        row.loaded = load.failedSource < 0 || index < load.failedSource;
        if (row.loaded) warnAboutValue(row, section, warnings);
        if (index == load.failedSource) warnAboutStop(row, index, section, load.error, warnings);
        rows.push_back(row);
    }
    return rows;
}

std::string ownKeyHint(const DispatchEntry& entry, const IniSection& section) {
    for (const auto& source : bindingSources)
        if (source.binding == entry.binding && source.fallbackSettingsKey && !section.hasKey(source.settingsKey))
            return " (add " + std::string(source.settingsKey) + " to give it a key of its own)";
    return "";
}

// The first earlier entry on the same key fires instead of this one, or only without the modifier.
void noteSharedKey(const DispatchEntry& entry, const DispatchEntry& first, const IniSection& section,
                   StateByBinding& states, std::vector<Warning>& warnings) {
    const std::string name = meleeActionName(entry.action);
    const std::string firstName = meleeActionName(first.action);
    const bool onlyWithoutModifier = first.needsModifier && !entry.needsModifier;
    states[entry.binding] =
        std::string(onlyWithoutModifier ? "fires only without the modifier" : "never fires") + ": same key as " + firstName;
    warnings.push_back({0, name + " and " + firstName + " share the key " + keyLabel(triggerKeyCode(entry)) +
                               (onlyWithoutModifier ? "; with the modifier held only " + firstName + " fires"
                                                    : "; only " + firstName + " fires") +
                               ownKeyHint(entry, section)});
}

// What the dispatch order does with the loaded codes.
StateByBinding dispatchStates(const IniSection& section, std::vector<Warning>& warnings) {
    StateByBinding states;
    for (int later = 0; later < dispatchEntryCount; ++later) {
        const DispatchEntry& entry = dispatchTable[later];
        const std::uint32_t code = triggerKeyCode(entry);
        if (code >= 255) continue;
        if (entry.needsModifier && code == static_cast<std::uint32_t>(hotkeyBindings.xKey)) {
            states[entry.binding] = "never fires: bound to the modifier";
            warnings.push_back({0, std::string(meleeActionName(entry.action)) + " is bound to the modifier key " +
                                       keyLabel(code) + "; it can never fire"});
            continue;
        }
        const auto first = std::find_if(dispatchTable, dispatchTable + later,
                                        [code](const DispatchEntry& earlier) { return triggerKeyCode(earlier) == code; });
        if (first != dispatchTable + later) noteSharedKey(entry, *first, section, states, warnings);
    }
    return states;
}

std::string rowState(const BindingRow& row, const StateByBinding& states) {
    if (!row.loaded) return "keeps its previous key";
    if (row.code < 0 || row.code >= 255) return "off";
    if (const auto found = states.find(row.source->binding); found != states.end()) return found->second;
    if (row.source->binding == &hotkeyBindings.xKey) return "modifier for the throws";
    return "ok";
}

// What a keypad key sends with Num Lock off, by keypad digit: Insert, End, Down, ... PageUp.
constexpr std::int32_t keypadCodeWithoutNumLock[10] = {45, 35, 40, 34, 37, 12, 39, 36, 38, 33};
constexpr std::int32_t firstKeypadCode = 96;

bool isKeypadCode(std::int32_t code) { return code >= firstKeypadCode && code < firstKeypadCode + 10; }

// Keypad keys change code with Num Lock, which players often have off.
std::vector<std::string> keypadNotes(const std::vector<BindingRow>& rows) {
    std::vector<std::string> notes;
    for (const auto& row : rows)
        if (row.loaded && isKeypadCode(row.code) && row.source->binding != &hotkeyBindings.xKey)
            notes.push_back(std::string(row.source->fieldName) + " is on " + keyLabel(row.code) +
                            ": it fires only with Num Lock on; with Num Lock off that key sends " +
                            keyLabel(keypadCodeWithoutNumLock[row.code - firstKeypadCode]));
    if (notes.empty()) return notes;
    notes.push_back("with Num Lock off, Numpad8 sends " + keyLabel(38) +
                    ", so GrappleChallengeFront (always on Numpad8) cannot fire, and the key may fire "
                    "whatever is bound to Up instead (GrappleThrowFront, by default)");
    return notes;
}

int verdictOf(const SettingsReport& report) {
    if (!report.loadError.empty()) return checkLoadFails;
    return report.warnings.empty() ? checkLoadsCleanly : checkLoadsWithWarnings;
}

}  // namespace

SettingsReport analyzeSettingsFile(const std::string& path) {
    SettingsReport report;
    report.path = path;
    std::error_code filesystemError;
    std::ifstream file(path, std::ios::binary);
    if (std::filesystem::is_directory(pathFromText(path), filesystemError)) report.fileError = path + " is a directory, not a settings file";
    else if (!file.is_open()) report.fileError = "cannot open " + path;
    if (!report.fileError.empty()) {
        report.verdict = checkLoadFails;
        return report;
    }
    const std::string rawBytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    FileSurvey survey = surveySettingsFile(splitLines(rawBytes), rawBytes);
    report.warnings = std::move(survey.warnings);

    const SettingsLoadResult load = loadAsTheGameWould(path);
    if (load.error != ConversionError::None) report.loadError = conversionErrorMessage(load.error);
    const IniSection section = settingsDocument.getSection(settingsSectionName);
    if (survey.headerLine == 0)
        report.warnings.push_back({0, std::string("no [") + settingsSectionName +
                                          "] section: the game loads no binding from this file"});
    report.rows = bindingRows(load, section, survey, report.warnings);
    const StateByBinding states = dispatchStates(section, report.warnings);
    for (auto& row : report.rows) row.state = rowState(row, states);
    report.notes = keypadNotes(report.rows);
    std::stable_sort(report.warnings.begin(), report.warnings.end(),
                     [](const Warning& a, const Warning& b) { return a.line < b.line; });
    report.verdict = verdictOf(report);
    return report;
}

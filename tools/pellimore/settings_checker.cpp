#include "pellimore/settings_checker.h"
#include "pellimore/text.h"

#include "brawl/hotkey_bindings.h"
#include "brawl/script_loop.h"
#include "pellimore/key_names.h"
#include "settings/decimal_conversion.h"
#include "settings/hotkey_settings.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iomanip>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace {

struct Warning {
    int line;  // 0 when it concerns the whole file
    std::string text;
};

struct KeyLine {
    int line;
    std::string value;
};

// What the line walk found, with line numbers the document does not keep.
struct FileSurvey {
    std::map<std::string, std::vector<KeyLine>> sectionKeys;  // keys of [Pellimore], every occurrence
    int headerLine = 0;                                       // first [Pellimore]
    std::vector<Warning> warnings;
};


bool isReadKey(const std::string& key) {
    for (const auto& setting : hotkeySettings)
        if (key == setting.settingsKey) return true;
    return false;
}

// The settings key this text differs from only by letter case, if any.
std::optional<std::string> caseVariantOf(const std::string& key) {
    for (const auto& setting : hotkeySettings)
        if (key != setting.settingsKey && lowerCase(key) == lowerCase(setting.settingsKey)) return setting.settingsKey;
    return std::nullopt;
}

FileSurvey surveyLines(const std::vector<std::string>& lines, const std::string& rawBytes) {
    FileSurvey survey;
    if (rawBytes.find('\r') != std::string::npos && rawBytes.find('\n') == std::string::npos && lines.size() == 1)
        survey.warnings.push_back({0, "the file ends its lines with carriage returns alone; the game reads it as "
                                      "one single line, so nothing in it is loaded"});
    bool inSettingsSection = false;
    bool seenHeader = false;
    std::string name;
    std::string value;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int line = static_cast<int>(index + 1);
        const IniLineKind kind = classifyLine(lines[index], name, value);
        if (index == 0 && lines[0].rfind("\xEF\xBB\xBF", 0) == 0)
            survey.warnings.push_back({line, "the file starts with a UTF-8 byte-order mark; the game does not see "
                                             "a section header on this line. Save the file without a BOM"});
        if (kind == IniLineKind::Section) {
            seenHeader = true;
            inSettingsSection = name == settingsSectionName;
            if (inSettingsSection && survey.headerLine == 0) survey.headerLine = line;
            if (!inSettingsSection && lowerCase(name) == lowerCase(settingsSectionName))
                survey.warnings.push_back({line, "section [" + name + "] is not [" + settingsSectionName +
                                                     "]: letter case matters, so the game ignores it"});
        } else if (kind == IniLineKind::KeyValue) {
            if (!seenHeader) {
                survey.warnings.push_back({line, "key '" + name + "' stands above the first section header; "
                                                 "the game ignores it"});
            } else if (inSettingsSection) {
                auto& occurrences = survey.sectionKeys[name];
                if (!occurrences.empty())
                    survey.warnings.push_back({line, "key '" + name + "' was already given on line " +
                                                         std::to_string(occurrences.back().line) +
                                                         "; the later value is used"});
                occurrences.push_back({line, value});
                if (!isReadKey(name)) {
                    const auto variant = caseVariantOf(name);
                    survey.warnings.push_back(
                        {line, variant ? "key '" + name + "' is not '" + *variant +
                                             "': letter case matters, so the game never reads it"
                                       : "key '" + name + "' is not one the game reads; it is ignored"});
                }
            }
        } else if (kind == IniLineKind::Invalid && !(index == 0 && lines[0].rfind("\xEF\xBB\xBF", 0) == 0)) {
            survey.warnings.push_back({line, "line is neither a header, a comment nor key = value; ignored" +
                                                 std::string(lines[index].find('#') != std::string::npos
                                                                 ? " (comments start with ';', not '#')"
                                                                 : "")});
        }
    }
    return survey;
}

std::string keyLabel(std::int64_t code) {
    const std::string name = keyName(code);
    return name.empty() ? "-" : name;
}

struct BindingRow {
    const HotkeySetting* setting;
    std::string readFrom;
    std::string rawValue;
    int line = 0;
    bool loaded = false;
    std::int32_t code = 0;
    std::string state;
};

}  // namespace

int checkSettingsFile(const std::string& path, std::ostream& out) {
    std::error_code filesystemError;
    if (std::filesystem::is_directory(path, filesystemError)) {
        out << "error: " << path << " is a directory, not a settings file\n";
        return checkLoadFails;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        out << "error: cannot open " << path << "\n";
        return checkLoadFails;
    }
    std::string rawBytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    file.clear();
    const std::vector<std::string> lines = readLines(file);
    FileSurvey survey = surveyLines(lines, rawBytes);

    // The module's own load, from the bindings a fresh game starts with.
    const std::string previousPath = settingsPath;
    settingsPath = path;
    hotkeyBindings = HotkeyBindings{};
    settingsDocument.clear();
    std::string loadError;
    try {
        loadHotkeySettings();
    } catch (const std::exception& error) {
        loadError = error.what();
    }
    settingsPath = previousPath;

    const IniSection section = settingsDocument.getSection(settingsSectionName);
    if (survey.headerLine == 0)
        survey.warnings.push_back({0, std::string("no [") + settingsSectionName +
                                          "] section: the game loads no binding from this file"});

    std::vector<BindingRow> rows;
    int failedAt = -1;
    for (int index = 0; index < hotkeySettingCount; ++index) {
        const HotkeySetting& setting = hotkeySettings[index];
        BindingRow row{&setting, effectiveSettingsKey(setting, section), "", 0, false, *setting.binding, ""};
        const auto found = survey.sectionKeys.find(row.readFrom);
        if (found != survey.sectionKeys.end()) row.line = found->second.back().line;
        row.rawValue = section.hasKey(row.readFrom) ? section.getValue(row.readFrom) : "(missing)";
        if (failedAt < 0) {
            try {
                row.code = convertDecimal(section.getValue(row.readFrom));
                row.loaded = true;
                const std::string text = section.getValue(row.readFrom);
                std::size_t digitsEnd = text.find_first_of("0123456789");
                while (digitsEnd < text.size() && std::isdigit(static_cast<unsigned char>(text[digitsEnd]))) ++digitsEnd;
                if (digitsEnd < text.size())
                    survey.warnings.push_back({row.line, row.readFrom + " = '" + text + "' reads as " +
                                                             std::to_string(row.code) +
                                                             "; the text after the number is ignored"});
            } catch (const std::exception& error) {
                failedAt = index;
                const int later = hotkeySettingCount - index - 1;
                const std::string why = section.hasKey(row.readFrom)
                                            ? std::string(error.what()) == "stoi argument out of range"
                                                  ? "its value does not fit in 32 bits"
                                                  : "its value does not start with a number"
                                            : "the key is missing";
                survey.warnings.push_back(
                    {row.line, "the load stops at " + row.readFrom + " (" + why + ": " + error.what() + "); " +
                                   setting.fieldName + (later ? " and the " + std::to_string(later) +
                                                                    " bindings after it keep"
                                                              : " keeps") +
                                   " their previous keys"});
            }
        }
        if (row.loaded && (row.code < 0 || row.code >= 255))
            survey.warnings.push_back(
                {row.line, row.readFrom + " = " + std::to_string(row.code) + " is not a key code (0 to 254); " +
                               (setting.binding == &hotkeyBindings.xKey ? "the four throws are switched off"
                                                                        : std::string(setting.fieldName) + " is switched off")});
        rows.push_back(row);
    }

    // What the dispatch order does with the loaded codes.
    std::map<const std::int32_t*, std::string> dispatchState;
    for (int later = 0; later < dispatchEntryCount; ++later) {
        const DispatchEntry& entry = dispatchTable[later];
        const std::uint32_t code = triggerKeyCode(entry);
        if (code >= 255) continue;
        const char* name = meleeActionName(entry.action);
        if (entry.needsModifier && code == static_cast<std::uint32_t>(hotkeyBindings.xKey)) {
            dispatchState[entry.binding] = "never fires: bound to the modifier";
            survey.warnings.push_back({0, std::string(name) + " is bound to the modifier key " + keyLabel(code) +
                                              "; it can never fire"});
            continue;
        }
        for (int earlier = 0; earlier < later; ++earlier) {
            const DispatchEntry& first = dispatchTable[earlier];
            if (triggerKeyCode(first) != code) continue;
            const bool onlyWithoutModifier = first.needsModifier && !entry.needsModifier;
            dispatchState[entry.binding] = std::string(onlyWithoutModifier ? "fires only without the modifier"
                                                                             : "never fires") +
                                           ": same key as " + meleeActionName(first.action);
            std::string hint;
            for (const auto& setting : hotkeySettings)
                if (setting.binding == entry.binding && setting.fallbackSettingsKey &&
                    !section.hasKey(setting.settingsKey))
                    hint = " (add " + std::string(setting.settingsKey) + " to give it a key of its own)";
            survey.warnings.push_back(
                {0, std::string(name) + " and " + meleeActionName(first.action) + " share the key " + keyLabel(code) +
                        (onlyWithoutModifier ? "; with the modifier held only " + std::string(meleeActionName(first.action)) + " fires"
                                             : "; only " + std::string(meleeActionName(first.action)) + " fires") +
                        hint});
            break;
        }
    }

    out << path << "\n\n";
    out << std::left << std::setw(27) << "binding" << std::setw(38) << "read from" << std::setw(12) << "value"
        << std::right << std::setw(6) << "code" << "  " << std::left << std::setw(10) << "key" << "in game\n";
    for (const auto& row : rows) {
        std::string state;
        if (!row.loaded) state = "keeps its previous key";
        else if (row.code < 0 || row.code >= 255) state = "off";
        else if (dispatchState.count(row.setting->binding)) state = dispatchState[row.setting->binding];
        else if (row.setting->binding == &hotkeyBindings.xKey) state = "modifier for the throws";
        else state = "ok";
        std::string readFrom = row.readFrom + (row.line ? " (line " + std::to_string(row.line) + ")" : "");
        std::string value = row.rawValue.size() > 11 ? row.rawValue.substr(0, 10) + "~" : row.rawValue;
        out << std::left << std::setw(27) << row.setting->fieldName << std::setw(38) << readFrom << std::setw(12)
            << value << std::right << std::setw(6) << row.code << "  " << std::left << std::setw(10)
            << keyLabel(row.code) << state << "\n";
    }
    out << "  (GrappleChallengeFront is always on Numpad8, code 104)\n";

    std::stable_sort(survey.warnings.begin(), survey.warnings.end(),
                     [](const Warning& a, const Warning& b) { return a.line < b.line; });
    if (!survey.warnings.empty()) out << "\n";
    for (const auto& warning : survey.warnings)
        out << (warning.line ? "line " + std::to_string(warning.line) + ": " : std::string()) << warning.text << "\n";

    out << "\n";
    if (!loadError.empty()) {
        out << "result: the load fails (" << loadError << "); exit 2\n";
        return checkLoadFails;
    }
    if (!survey.warnings.empty()) {
        out << "result: loads, with " << survey.warnings.size() << " warning" << (survey.warnings.size() == 1 ? "" : "s")
            << "; exit 1\n";
        return checkLoadsWithWarnings;
    }
    out << "result: loads completely; exit 0\n";
    return checkLoadsCleanly;
}

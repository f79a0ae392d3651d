#include "pellimore/check/settings_survey.h"

#include "pellimore/common/text.h"
#include "settings/hotkey_settings.h"

#include <cctype>
#include <optional>

namespace {

// A finding about the file or a line, not about one binding.
SettingsFinding wholeFinding(FindingKind kind, int line, std::string text) {
    return {kind, line, std::move(text), "", -1};
}

bool isReadKey(const std::string& key) {
    for (const auto& source : bindingSources)
        if (key == source.settingsKey) return true;
    return false;
}

// The settings key this text differs from only by letter case, if any.
std::optional<std::string> caseVariantOf(const std::string& key) {
    for (const auto& source : bindingSources)
        if (key != source.settingsKey && lowerCase(key) == lowerCase(source.settingsKey)) return source.settingsKey;
    return std::nullopt;
}

void surveyHeader(FileSurvey& survey, int line, const std::string& name, bool& inSettingsSection) {
    inSettingsSection = name == settingsSectionName;
    if (inSettingsSection && survey.headerLine == 0) survey.headerLine = line;
    if (!inSettingsSection && lowerCase(name) == lowerCase(settingsSectionName))
        survey.warnings.push_back(wholeFinding(FindingKind::SectionCase, line,
                                               "section [" + shownAsText(name) + "] is not [" + settingsSectionName +
                                                   "]: letter case matters, so the game ignores it"));
}

void surveySettingsKey(FileSurvey& survey, int line, const std::string& name, const std::string& value) {
    auto& occurrences = survey.sectionKeys[name];
    const std::string shown = shownAsText(name);
    if (!occurrences.empty())
        survey.warnings.push_back(wholeFinding(FindingKind::RepeatedKey, line,
                                               "key '" + shown + "' was already given on line " +
                                                   std::to_string(occurrences.back().line) +
                                                   "; the later value is used"));
    occurrences.push_back({line, value});
    if (isReadKey(name)) return;
    const auto variant = caseVariantOf(name);
    survey.warnings.push_back(wholeFinding(
        variant ? FindingKind::KeyCase : FindingKind::UnknownKey, line,
        variant ? "key '" + shown + "' is not '" + *variant + "': letter case matters, so the game never reads it"
                : "key '" + shown + "' is not one the game reads; it is ignored"));
}

void surveyInvalidLine(FileSurvey& survey, int line, const std::string& text) {
    survey.warnings.push_back(wholeFinding(
        FindingKind::InvalidLine, line,
        "line is neither a header, a comment nor key = value; ignored" +
            std::string(text.find('#') != std::string::npos ? " (comments start with ';', not '#')" : "")));
}

}  // namespace

bool startsWithByteOrderMark(std::string_view bytes) { return bytes.starts_with("\xEF\xBB\xBF"); }

bool looksLikeUtf16(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) return true;
    // Without a byte-order mark: ASCII letters with NUL bytes between them.
    const auto letter = [](char byte) { return std::isalpha(static_cast<unsigned char>(byte)) != 0; };
    for (std::size_t index = 1; index + 1 < bytes.size(); ++index)
        if (bytes[index] == '\0' && letter(bytes[index - 1]) && letter(bytes[index + 1])) return true;
    return false;
}

FileSurvey surveySettingsFile(const std::vector<std::string>& lines, std::string_view rawBytes) {
    FileSurvey survey;
    if (rawBytes.find('\r') != std::string_view::npos && rawBytes.find('\n') == std::string_view::npos &&
        lines.size() == 1)
        survey.warnings.push_back(
            wholeFinding(FindingKind::CarriageReturnsOnly, 0,
                         "the file ends its lines with carriage returns alone; the game reads it as "
                         "one single line, so nothing in it is loaded"));
    if (looksLikeUtf16(rawBytes))
        survey.warnings.push_back(
            wholeFinding(FindingKind::Utf16, 0,
                         "the file is saved as UTF-16 (Unicode); the game reads plain bytes and "
                         "does not understand it. Save it as plain text, or UTF-8 without a BOM"));
    const bool marked = startsWithByteOrderMark(rawBytes);
    if (marked)
        survey.warnings.push_back(wholeFinding(FindingKind::ByteOrderMark, 1,
                                               "the file starts with a UTF-8 byte-order mark; the game does not see "
                                               "a section header on this line. Save the file without a BOM"));
    bool inSettingsSection = false;
    bool seenHeader = false;
    std::string name;
    std::string value;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int line = static_cast<int>(index + 1);
        switch (classifyLine(lines[index], name, value)) {
            case IniLineKind::Section:
                seenHeader = true;
                surveyHeader(survey, line, name, inSettingsSection);
                break;
            case IniLineKind::KeyValue:
                if (!seenHeader)
                    survey.warnings.push_back(wholeFinding(FindingKind::KeyAboveSection, line,
                                                           "key '" + shownAsText(name) +
                                                               "' stands above the first section header; "
                                                               "the game ignores it"));
                else if (inSettingsSection)
                    surveySettingsKey(survey, line, name, value);
                break;
            case IniLineKind::Invalid:
                // The marked first line is explained by the warning above.
                if (!(index == 0 && marked)) surveyInvalidLine(survey, line, lines[index]);
                break;
            default: break;
        }
    }
    return survey;
}

const char* findingKindName(FindingKind kind) {
    switch (kind) {
        case FindingKind::CarriageReturnsOnly: return "carriage-returns-only";
        case FindingKind::Utf16: return "utf16";
        case FindingKind::ByteOrderMark: return "byte-order-mark";
        case FindingKind::SectionCase: return "section-case";
        case FindingKind::RepeatedKey: return "repeated-key";
        case FindingKind::KeyCase: return "key-case";
        case FindingKind::UnknownKey: return "unknown-key";
        case FindingKind::InvalidLine: return "invalid-line";
        case FindingKind::KeyAboveSection: return "key-above-section";
        case FindingKind::NoSection: return "no-section";
        case FindingKind::TextAfterNumber: return "text-after-number";
        case FindingKind::NotAKeyCode: return "not-a-key-code";
        case FindingKind::LoadStops: return "load-stops";
        case FindingKind::SharedKey: return "shared-key";
        case FindingKind::BoundToModifier: return "bound-to-modifier";
        case FindingKind::NumLock: return "num-lock";
    }
    return "";
}

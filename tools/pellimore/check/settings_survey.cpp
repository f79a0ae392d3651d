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
                                               "[" + shownAsText(name) + "] must be written [" + settingsSectionName +
                                                   "]: letter case matters, so the game skips this section"));
}

void surveySettingsKey(FileSurvey& survey, int line, const std::string& name, const std::string& value) {
    auto& occurrences = survey.sectionKeys[name];
    const std::string shown = shownAsText(name);
    if (!occurrences.empty())
        survey.warnings.push_back(wholeFinding(FindingKind::RepeatedKey, line,
                                               shown + " was already set on line " +
                                                   std::to_string(occurrences.back().line) +
                                                   "; the game uses this later line"));
    occurrences.push_back({line, value});
    if (isReadKey(name)) return;
    const auto variant = caseVariantOf(name);
    survey.warnings.push_back(wholeFinding(
        variant ? FindingKind::KeyCase : FindingKind::UnknownKey, line,
        variant ? shown + " must be written " + *variant + ": letter case matters, so the game skips this line"
                : shown + " is not a setting the game knows; it skips this line"));
}

// A comment that holds a setting ("; iKnockout=81"): a key the player switched off by hand.
void noteCommentedKey(FileSurvey& survey, int line, const std::string& text) {
    std::string name, value;
    const std::size_t start = text.find_first_of(";#");
    if (start == std::string::npos) return;
    if (classifyLine(text.substr(start + 1), name, value) == IniLineKind::KeyValue && isReadKey(name))
        survey.commentedKeys[name] = line;
}

void surveyInvalidLine(FileSurvey& survey, int line, const std::string& text) {
    survey.warnings.push_back(wholeFinding(
        FindingKind::InvalidLine, line,
        "the game skips this line: it is not [a section], a comment or name = value" +
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
                         "the lines of this file end with a lone carriage return, so the game reads it as "
                         "one single line and loads nothing from it: open it in Notepad and save it again"));
    survey.utf16 = looksLikeUtf16(rawBytes);
    if (survey.utf16)
        survey.warnings.push_back(
            wholeFinding(FindingKind::Utf16, 0,
                         "the file is saved as \"Unicode\" (UTF-16), which the game cannot read: in Notepad "
                         "choose File > Save As, set Encoding to \"UTF-8\" (not \"UTF-8 with BOM\") and save"));
    const bool marked = startsWithByteOrderMark(rawBytes);
    std::string name;
    std::string value;
    survey.markHidesHeader = marked && !lines.empty() &&
                             classifyLine(lines[0].substr(3), name, value) == IniLineKind::Section &&
                             name == settingsSectionName;
    survey.anyCaseHeader = survey.markHidesHeader;
    if (marked)
        survey.warnings.push_back(
            wholeFinding(FindingKind::ByteOrderMark, 1,
                         "the file starts with a byte-order mark (Notepad's \"UTF-8 with BOM\"), which "
                         "hides [Pellimore] on this line from the game: in Notepad choose "
                         "File > Save As, set Encoding to \"UTF-8\" and save"));
    bool inSettingsSection = false;
    bool seenHeader = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int line = static_cast<int>(index + 1);
        switch (classifyLine(lines[index], name, value)) {
            case IniLineKind::Section:
                seenHeader = true;
                survey.anyCaseHeader = survey.anyCaseHeader || lowerCase(name) == lowerCase(settingsSectionName);
                surveyHeader(survey, line, name, inSettingsSection);
                break;
            case IniLineKind::KeyValue:
                // Below a [Pellimore] hidden by a byte-order mark: fine once the mark is gone.
                if (!seenHeader && !survey.markHidesHeader)
                    survey.warnings.push_back(wholeFinding(FindingKind::KeyAboveSection, line,
                                                           shownAsText(name) +
                                                               " stands above the first [section] line, so the "
                                                               "game skips it: move it below [Pellimore]"));
                else if (inSettingsSection)
                    surveySettingsKey(survey, line, name, value);
                break;
            case IniLineKind::Invalid:
                // The marked first line is explained by the warning above.
                if (!(index == 0 && marked)) surveyInvalidLine(survey, line, lines[index]);
                ++survey.invalidLines;
                break;
            case IniLineKind::Comment: noteCommentedKey(survey, line, lines[index]); break;
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
        case FindingKind::CodeZero: return "code-zero";
        case FindingKind::HexNumber: return "hex-number";
        case FindingKind::LoadStops: return "load-stops";
        case FindingKind::SharedKey: return "shared-key";
        case FindingKind::BoundToModifier: return "bound-to-modifier";
        case FindingKind::LargeFile: return "large-file";
        case FindingKind::NumLock: return "num-lock";
        case FindingKind::GameKey: return "game-key";
    }
    return "";
}

#include "pellimore/check/settings_survey.h"

#include "pellimore/common/text.h"
#include "settings/settings_evaluation.h"

#include <cctype>
#include <optional>

namespace {

bool isReadKey(const std::string& key) {
    for (const KeyOwner owner : loadOrder)
        if (key == keyRow(owner).settingsKey) return true;
    return false;
}

// The settings key this text differs from only by letter case, if any.
std::optional<std::string> caseVariantOf(const std::string& key) {
    for (const KeyOwner owner : loadOrder) {
        const std::string settingsKey = keyRow(owner).settingsKey;
        if (key != settingsKey && lowerCase(key) == lowerCase(settingsKey)) return settingsKey;
    }
    return std::nullopt;
}

SettingsFinding lineFinding(FindingKind kind, int line, const std::string& written = "") {
    SettingsFinding finding{kind, line};
    finding.written = written;
    return finding;
}

void surveyHeader(FileSurvey& survey, int line, const std::string& name, bool& inSettingsSection) {
    inSettingsSection = name == settingsSectionName;
    if (inSettingsSection && survey.headerLine == 0) survey.headerLine = line;
    if (!inSettingsSection && lowerCase(name) == lowerCase(settingsSectionName))
        survey.warnings.push_back(lineFinding(FindingKind::SectionCase, line, name));
}

void surveySettingsKey(FileSurvey& survey, int line, const std::string& name, const std::string& value) {
    auto& occurrences = survey.sectionKeys[name];
    if (!occurrences.empty()) {
        SettingsFinding repeated = lineFinding(FindingKind::RepeatedKey, line, name);
        repeated.otherLine = occurrences.back().line;
        survey.warnings.push_back(repeated);
    }
    occurrences.push_back({line, value});
    if (isReadKey(name)) return;
    const auto variant = caseVariantOf(name);
    SettingsFinding finding = lineFinding(variant ? FindingKind::KeyCase : FindingKind::UnknownKey, line, name);
    finding.settingsKey = variant.value_or("");
    survey.warnings.push_back(finding);
}

// A comment that holds a setting ("; iKnockout=81"): a key the player switched off by hand.
void noteCommentedKey(FileSurvey& survey, int line, const std::string& text) {
    std::string name, value;
    const std::size_t start = text.find_first_of(";#");
    if (start == std::string::npos) return;
    if (classifyLine(text.substr(start + 1), name, value) == IniLineKind::KeyValue && isReadKey(name))
        survey.commentedKeys[name] = line;
}

// A byte-order mark glues itself to the first line, which the game then skips:
// [Pellimore] there hides the whole file, a comment costs nothing.
void surveyHiddenFirstLine(FileSurvey& survey, const std::string& hidden, bool utf16) {
    std::string name, value;
    const IniLineKind kind = classifyLine(hidden, name, value);
    survey.markHidesHeader = kind == IniLineKind::Section && name == settingsSectionName;
    survey.anyCaseHeader = survey.markHidesHeader;
    const bool harmless = kind == IniLineKind::Comment || kind == IniLineKind::Empty;
    SettingsFinding finding = lineFinding(survey.markHidesHeader ? FindingKind::ByteOrderMark
                                          : harmless             ? FindingKind::ByteOrderMarkBeforeComment
                                                                 : FindingKind::ByteOrderMarkHidesLine,
                                          1, hidden);
    finding.utf16Mark = utf16;
    (harmless ? survey.notes : survey.warnings).push_back(finding);
}

void surveyInvalidLine(FileSurvey& survey, int line, const std::string& text) {
    SettingsFinding finding = lineFinding(FindingKind::InvalidLine, line);
    finding.hashComment = text.find('#') != std::string::npos;
    survey.warnings.push_back(finding);
}

}  // namespace

bool startsWithByteOrderMark(std::string_view bytes) { return bytes.starts_with("\xEF\xBB\xBF"); }

std::size_t byteOrderMarkLength(std::string_view firstLine) {
    if (startsWithByteOrderMark(firstLine)) return 3;
    return firstLine.starts_with("\xFF\xFE") || firstLine.starts_with("\xFE\xFF") ? 2 : 0;
}

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
        survey.warnings.push_back(lineFinding(FindingKind::CarriageReturnsOnly, 0));
    survey.utf16 = looksLikeUtf16(rawBytes);
    // The game's reader drops NUL bytes, so it reads a UTF-16 file as plain text: a note, not a problem.
    if (survey.utf16) survey.notes.push_back(lineFinding(FindingKind::Utf16, 0));
    const std::size_t mark = lines.empty() ? 0 : byteOrderMarkLength(lines[0]);
    std::string name;
    std::string value;
    if (mark) surveyHiddenFirstLine(survey, lines[0].substr(mark), survey.utf16);
    const bool marked = mark > 0;
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
                    survey.warnings.push_back(lineFinding(FindingKind::KeyAboveSection, line, name));
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

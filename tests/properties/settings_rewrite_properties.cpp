#include "settings_rewrite_properties.h"

#include "pellimore/check/download_mark.h"
#include "pellimore/check/settings_survey.h"
#include "settings_rewrite.h"

#include <vector>

// Where the file loaded, the saved file loads with exactly the code asked for (and
// the throws that read that key in its place), and every byte outside the changed
// value is kept. The only other changes are the deliberate ones, each allowed below
// by name: 1 the byte-order mark removed, 2 UTF-16 turned into plain text, 3 the
// code note in the comment above a changed key updated, 4 a missing key (and a
// [Pellimore] line for it) added, 5 a line end given to a last line keys follow, 6 as
// a download, the page's mark as the first line, once.
namespace {

// The bytes in lines, each with its own line feed.
std::vector<std::string> piecesOf(std::string_view bytes) {
    std::vector<std::string> pieces;
    while (!bytes.empty()) {
        const std::size_t feed = bytes.find('\n');
        const std::size_t length = feed == std::string_view::npos ? bytes.size() : feed + 1;
        pieces.emplace_back(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return pieces;
}

std::string withoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    return line;
}

// The line as the game's reader has it, classified: is it the changed key's line?
bool holdsKey(const std::string& line, const char* settingsKey) {
    std::string text = withoutLineEnd(line), name, value;
    std::erase(text, '\0');
    std::erase(text, '\r');
    return classifyLine(text, name, value) == IniLineKind::KeyValue && name == settingsKey;
}

// As the game's reader has it: NUL bytes and carriage returns dropped.
bool isComment(const std::string& line) {
    std::string text = withoutLineEnd(line), name, value;
    std::erase(text, '\0');
    std::erase(text, '\r');
    return classifyLine(text, name, value) == IniLineKind::Comment;
}

// Deliberate change 3: the key's own line and the code note above it.
bool mayBeEdited(const std::vector<std::string>& lines, std::size_t index, const char* settingsKey) {
    return holdsKey(lines[index], settingsKey) ||
           (index + 1 < lines.size() && isComment(lines[index]) && holdsKey(lines[index + 1], settingsKey));
}

// Deliberate change 4: a line the save adds.
bool isAddedLine(const std::string& line, const char* settingsKey, std::int32_t code) {
    const std::string text = withoutLineEnd(line);
    return text == std::string(settingsKey) + "=" + std::to_string(code) || text == "[Pellimore]";
}

std::string bytesKept(std::string_view original, const std::string& saved, const char* settingsKey, std::int32_t code) {
    if (startsWithByteOrderMark(original)) original.remove_prefix(3);  // deliberate change 1
    const auto before = piecesOf(original), after = piecesOf(saved);
    std::size_t i = 0, j = 0;
    while (i < before.size()) {
        if (j < after.size() && after[j] == before[i]) {
            ++i, ++j;
        } else if (j < after.size() && mayBeEdited(before, i, settingsKey)) {
            // A key line is edited in place; a key is only added where no line holds it.
            ++i, ++j;
        } else if (j < after.size() && i + 1 == before.size() && before[i].find('\n') == std::string::npos &&
                   (after[j] == before[i] + "\n" || after[j] == before[i] + "\r\n")) {
            ++i, ++j;  // deliberate change 5
        } else if (j < after.size() && isAddedLine(after[j], settingsKey, code)) {
            ++j;
        } else {
            return "line " + std::to_string(i + 1) + " of the file was lost or changed";
        }
    }
    for (; j < after.size(); ++j)
        if (!isAddedLine(after[j], settingsKey, code)) return "an unexpected line was added: " + after[j];
    return "";
}

std::string loadsAsAsked(std::string_view original, const std::string& saved, KeyOwner owner, std::int32_t code) {
    const SettingsEvaluation before = evaluateSettingsBytes(original, HotkeyBindings{});
    if (before.stop.error != ConversionError::None) return "";  // a file that did not load promises nothing
    IniDocument document;
    document.parseBytes(saved);
    const SettingsEvaluation after = evaluateSettings(document, HotkeyBindings{});
    if (after.stop.error != ConversionError::None) return "the saved file no longer loads completely";
    const IniSection* section = document.findTrimmedSection(settingsSectionName);
    if (!section) return "the saved file has no [Pellimore]";
    const std::string changedKey = keyRow(owner).settingsKey;
    for (const KeyOwner other : loadOrder) {
        const KeyRow& key = keyRow(other);
        const bool readsTheChangedKey = other == owner || effectiveSettingsKey(key, *section) == changedKey;
        const std::int32_t expected = readsTheChangedKey ? code : before.bindings.*key.binding;
        if (after.bindings.*key.binding != expected)
            return std::string(key.settingsKey) + " loads as " + std::to_string(after.bindings.*key.binding) +
                   ", not " + std::to_string(expected);
    }
    return "";
}

}  // namespace

// Deliberate change 6: the download is the saved file with one mark line before it, which the game reads as a
// comment, so it loads exactly as the saved file does.
std::string downloadBreaks(const std::string& saved) {
    const std::string marked = withDownloadMark(withDownloadMark(saved, "2026-12-09 14:05"), "2026-12-09 14:06");
    if (!startsWithDownloadMark(marked)) return "the download does not start with the page's mark";
    const std::size_t feed = marked.find('\n');
    const std::string rest = marked.substr(feed + 1);
    if (startsWithDownloadMark(rest) ||
        rest != (startsWithDownloadMark(saved) ? saved.substr(saved.find('\n') + 1) : saved))
        return "the download is not the saved file with one mark before it";
    const auto loads = [](const std::string& bytes) { return evaluateSettingsBytes(bytes, HotkeyBindings{}); };
    const SettingsEvaluation plain = loads(saved), download = loads(marked);
    for (const KeyOwner other : loadOrder)
        if (plain.bindings.*keyRow(other).binding != download.bindings.*keyRow(other).binding ||
            plain.stop.error != download.stop.error)
            return "the mark changes what the game loads";
    return "";
}

std::string rewriteBreaks(std::string_view original, KeyOwner owner, std::int32_t code) {
    const std::string saved = rewriteSettings(original, {{owner, code}});
    if (std::string broken = downloadBreaks(saved); !broken.empty()) return broken;
    // Deliberate change 2: a UTF-16 file becomes plain text, so its bytes cannot be kept as they were.
    if (looksLikeUtf16(original)) return "";
    if (std::string broken = bytesKept(original, saved, keyRow(owner).settingsKey, code); !broken.empty())
        return broken;
    return loadsAsAsked(original, saved, owner, code);
}

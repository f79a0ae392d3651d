#include "pellimore/settings_rewrite.h"

#include "pellimore/settings_survey.h"

namespace {

// One line of the file as it stands, with its own line end.
struct RawLine {
    std::string text;  // without the line feed (and without a carriage return before it)
    std::string end;   // "\r\n", "\n", or "" for a last line without one
};

std::vector<RawLine> rawLines(std::string_view bytes) {
    std::vector<RawLine> lines;
    while (!bytes.empty()) {
        const std::size_t feed = bytes.find('\n');
        std::string_view text = bytes.substr(0, feed);
        std::string end = feed == std::string_view::npos ? "" : "\n";
        if (!end.empty() && text.ends_with('\r')) {
            text.remove_suffix(1);
            end = "\r\n";
        }
        lines.push_back({std::string(text), end});
        bytes.remove_prefix(feed == std::string_view::npos ? bytes.size() : feed + 1);
    }
    return lines;
}

// The line with its value's leading number (after the separator) replaced by code.
std::string withCode(const std::string& line, std::int32_t code) {
    std::size_t at = line.find('=');
    while (at != std::string::npos && at > 0 && line[at - 1] == '\\') at = line.find('=', at + 1);
    if (at == std::string::npos) return line;
    std::size_t begin = at + 1;
    while (begin < line.size() && (line[begin] == ' ' || line[begin] == '\t')) ++begin;
    std::size_t end = begin;
    if (end < line.size() && (line[end] == '+' || line[end] == '-')) ++end;
    const std::size_t digits = end;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
    if (end == digits) end = line.size();  // no number to keep the rest of: the whole value goes
    return line.substr(0, begin) + std::to_string(code) + line.substr(end);
}

struct Layout {
    std::vector<int> keyLine;   // per change: the line the game reads its key from, or -1
    int firstBlockEnd = -1;     // the line after the first [Pellimore] block's last key line
};

Layout findLines(const std::vector<RawLine>& lines, const std::vector<BindingChange>& changes) {
    Layout layout{std::vector<int>(changes.size(), -1), -1};
    bool inSection = false, inFirstBlock = false, seenBlock = false;
    std::string name, value;
    for (int index = 0; index < static_cast<int>(lines.size()); ++index) {
        // Classified as the reader sees the line: without carriage returns and NUL bytes.
        std::string seen = lines[index].text;
        std::erase_if(seen, [](char byte) { return byte == '\r' || byte == '\0'; });
        const IniLineKind kind = classifyLine(seen, name, value);
        if (kind == IniLineKind::Section) {
            inSection = name == settingsSectionName;
            inFirstBlock = inSection && !seenBlock;
            if (inFirstBlock) layout.firstBlockEnd = index + 1;
            seenBlock = seenBlock || inSection;
        } else if (kind == IniLineKind::KeyValue && inSection) {
            if (inFirstBlock) layout.firstBlockEnd = index + 1;
            for (std::size_t change = 0; change < changes.size(); ++change)
                if (name == changes[change].source->settingsKey) layout.keyLine[change] = index;
        }
    }
    return layout;
}

std::string dominantLineEnd(const std::vector<RawLine>& lines) {
    for (const auto& line : lines)
        if (!line.end.empty()) return line.end;
    return "\r\n";  // Windows editors' own
}

}  // namespace

std::string rewriteSettings(std::string_view original, const std::vector<BindingChange>& changes) {
    if (startsWithByteOrderMark(original)) original.remove_prefix(3);
    std::vector<RawLine> lines = rawLines(original);
    const Layout layout = findLines(lines, changes);
    const std::string lineEnd = dominantLineEnd(lines);
    std::vector<RawLine> added;
    for (std::size_t change = 0; change < changes.size(); ++change) {
        const int at = layout.keyLine[change];
        const std::string key = changes[change].source->settingsKey;
        if (at >= 0) lines[at].text = withCode(lines[at].text, changes[change].code);
        else added.push_back({key + "=" + std::to_string(changes[change].code), lineEnd});
    }
    int insertAt = layout.firstBlockEnd;
    if (insertAt < 0 && !added.empty()) {
        if (!lines.empty() && lines.back().end.empty()) lines.back().end = lineEnd;
        lines.push_back({std::string("[") + settingsSectionName + "]", lineEnd});
        insertAt = static_cast<int>(lines.size());
    }
    // A last line without a line end gets one when keys follow it.
    if (!added.empty() && insertAt == static_cast<int>(lines.size()) && !lines.empty() && lines.back().end.empty())
        lines.back().end = lineEnd;
    if (insertAt >= 0) lines.insert(lines.begin() + insertAt, added.begin(), added.end());
    std::string result;
    for (const auto& line : lines) result += line.text + line.end;
    return result;
}

#include "settings_rewrite.h"

#include "pellimore/check/settings_survey.h"
#include "pellimore/common/key_names.h"

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

// The line as the reader sees it: without carriage returns and NUL bytes.
std::string readerView(std::string text) {
    std::erase_if(text, [](char byte) { return byte == '\r' || byte == '\0'; });
    return text;
}

// The line with the leading number of its value replaced by code. The value is
// where the reader found it, the trimmed end of the line, so the separator rule
// lives in the reader alone; a value without a number is replaced whole.
std::string withCode(const std::string& line, const std::string& value, std::int32_t code) {
    const std::size_t end = line.find_last_not_of(" \t\n\r\f\v") + 1;
    const std::size_t begin = end - value.size();
    std::size_t numberEnd = 0;
    if (numberEnd < value.size() && (value[0] == '+' || value[0] == '-')) ++numberEnd;
    const std::size_t digits = numberEnd;
    while (numberEnd < value.size() && value[numberEnd] >= '0' && value[numberEnd] <= '9') ++numberEnd;
    if (numberEnd == digits) numberEnd = value.size();
    return line.substr(0, begin) + std::to_string(code) + line.substr(begin + numberEnd);
}

// The shipped file says each key's code and name in the comment above it,
// "; Execute (69 = E)": when the code changes, so does that note, or the file
// would contradict itself. Any other comment stays as the player wrote it.
void updateCodeNote(std::string& comment, const std::string& value, std::int32_t code) {
    std::string name, ignored;
    if (classifyLine(readerView(comment), name, ignored) != IniLineKind::Comment) return;
    const DecimalConversion old = convertDecimal(value);
    if (old.error != ConversionError::None) return;
    const std::string oldNote = "(" + std::to_string(old.value) + " = ";
    const std::size_t begin = comment.find(oldNote);
    const std::size_t end = begin == std::string::npos ? begin : comment.find(')', begin);
    if (end == std::string::npos) return;
    const std::string key = code < 0 ? "off" : keyName(code);
    comment.replace(begin, end + 1 - begin, "(" + std::to_string(code) + (key.empty() ? "" : " = " + key) + ")");
}

struct Layout {
    std::vector<int> keyLine;           // per change: the line the game reads its key from, or -1
    std::vector<std::string> keyValue;  // per change: that line's value, as the reader delivered it
    int firstBlockEnd = -1;             // the line after the first [Pellimore] block's last key line
};

Layout findLines(const std::vector<RawLine>& lines, const std::vector<BindingChange>& changes) {
    Layout layout{std::vector<int>(changes.size(), -1), std::vector<std::string>(changes.size()), -1};
    bool inSection = false, inFirstBlock = false, seenBlock = false;
    std::string name, value;
    for (int index = 0; index < static_cast<int>(lines.size()); ++index) {
        const IniLineKind kind = classifyLine(readerView(lines[index].text), name, value);
        if (kind == IniLineKind::Section) {
            inSection = name == settingsSectionName;
            inFirstBlock = inSection && !seenBlock;
            if (inFirstBlock) layout.firstBlockEnd = index + 1;
            seenBlock = seenBlock || inSection;
        } else if (kind == IniLineKind::KeyValue && inSection) {
            if (inFirstBlock) layout.firstBlockEnd = index + 1;
            for (std::size_t change = 0; change < changes.size(); ++change) {
                if (name != keyRow(changes[change].owner).settingsKey) continue;
                layout.keyLine[change] = index;
                layout.keyValue[change] = value;
            }
        }
    }
    return layout;
}

// UTF-16 text (little-endian unless its byte-order mark says otherwise) as UTF-8.
std::string utf8FromUtf16(std::string_view bytes) {
    bool bigEndian = bytes.starts_with("\xFE\xFF");
    if (bigEndian || bytes.starts_with("\xFF\xFE")) bytes.remove_prefix(2);
    std::string text;
    const auto unitAt = [&](std::size_t at) {
        const auto first = static_cast<unsigned char>(bytes[at]), second = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        char32_t point = unitAt(at);
        if (point >= 0xD800 && point < 0xDC00 && at + 3 < bytes.size()) {
            const char32_t low = unitAt(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                point = 0x10000 + ((point - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        if (point < 0x80) {
            text += static_cast<char>(point);
        } else if (point < 0x800) {
            text += static_cast<char>(0xC0 | point >> 6);
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            text += static_cast<char>(0xE0 | point >> 12);
            text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            text += static_cast<char>(0xF0 | point >> 18);
            text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
            text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
            text += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return text;
}

std::string dominantLineEnd(const std::vector<RawLine>& lines) {
    for (const auto& line : lines)
        if (!line.end.empty()) return line.end;
    return "\r\n";  // Windows editors' own
}

}  // namespace

std::string rewriteSettings(std::string_view original, const std::vector<BindingChange>& changes) {
    if (looksLikeUtf16(original)) {
        const std::string plain = utf8FromUtf16(original);
        return rewriteSettings(plain, changes);
    }
    if (startsWithByteOrderMark(original)) original.remove_prefix(3);
    std::vector<RawLine> lines = rawLines(original);
    const Layout layout = findLines(lines, changes);
    const std::string lineEnd = dominantLineEnd(lines);
    std::vector<RawLine> added;
    for (std::size_t change = 0; change < changes.size(); ++change) {
        const int at = layout.keyLine[change];
        const std::string key = keyRow(changes[change].owner).settingsKey;
        if (at >= 0) {
            lines[at].text = withCode(readerView(lines[at].text), layout.keyValue[change], changes[change].code);
            if (at > 0) updateCodeNote(lines[at - 1].text, layout.keyValue[change], changes[change].code);
        } else
            added.push_back({key + "=" + std::to_string(changes[change].code), lineEnd});
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

std::vector<SaveRepair> repairsOnSave(std::string_view original) {
    if (looksLikeUtf16(original)) return {SaveRepair::Utf16ToPlainText};
    if (startsWithByteOrderMark(original)) return {SaveRepair::ByteOrderMarkRemoved};
    return {};
}

#include "pellimore/common/text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

namespace {

// The length of the valid UTF-8 sequence at the start of bytes and its code
// point, or 0 when the bytes there are not valid UTF-8.
std::size_t utf8Sequence(std::string_view bytes, char32_t& codePoint) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const std::size_t length = lead < 0x80                   ? 1
                               : lead >= 0xC2 && lead < 0xE0 ? 2
                               : lead >= 0xE0 && lead < 0xF0 ? 3
                               : lead >= 0xF0 && lead < 0xF5 ? 4
                                                             : 0;
    if (length == 0 || length > bytes.size()) return 0;
    codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t index = 1; index < length; ++index) {
        const auto next = static_cast<unsigned char>(bytes[index]);
        if ((next & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint < 0xE000)) return 0;
    return length;
}

bool isControl(char32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0); }

void appendEscaped(std::string& out, std::string_view bytes) {
    for (unsigned char byte : bytes) {
        char escaped[5];
        std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
        out += escaped;
    }
}

}  // namespace

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string shownAsText(std::string_view bytes) {
    std::string out;
    while (!bytes.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(bytes, codePoint);
        const std::size_t taken = length ? length : 1;
        if (length && !isControl(codePoint))
            out.append(bytes.substr(0, taken));
        else
            appendEscaped(out, bytes.substr(0, taken));
        bytes.remove_prefix(taken);
    }
    return out;
}

std::string joinedText(const std::vector<std::string>& parts, std::string_view separator) {
    std::string text;
    for (const auto& part : parts) {
        if (!text.empty()) text += separator;
        text += part;
    }
    return text;
}

std::string hexText(std::uint64_t value, int digits) {
    std::string text;
    for (; value != 0 || digits > 0; value >>= 4, --digits) text.insert(text.begin(), "0123456789ABCDEF"[value & 15]);
    return "0x" + text;
}

std::size_t shownWidth(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(
        text.begin(), text.end(), [](char byte) { return (static_cast<unsigned char>(byte) & 0xC0) != 0x80; }));
}

namespace {

// What unbreakable() puts for a space: a control character no sentence or path holds.
constexpr char unbreakableSpace = '\x1F';

std::string withSpacesShown(std::string_view word) {
    std::string shown(word);
    std::replace(shown.begin(), shown.end(), unbreakableSpace, ' ');
    return shown;
}

// One line of text (no line end in it) wrapped.
std::string wrappedLine(std::string_view text, std::size_t width, std::size_t indent, std::size_t lead) {
    std::string result;
    std::string line;
    const auto finishLine = [&] {
        result += (result.empty() ? "" : "\n" + std::string(indent, ' ')) + line;
        line.clear();
    };
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find(' ', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty()) continue;
        const std::size_t room = result.empty() ? width - lead : width - indent;
        if (!line.empty() && shownWidth(line) + 1 + shownWidth(word) > room) finishLine();
        line += (line.empty() ? "" : " ") + withSpacesShown(word);
    }
    finishLine();
    return result;
}

}  // namespace

std::string unbreakable(std::string_view text) {
    std::string kept(text);
    std::replace(kept.begin(), kept.end(), ' ', unbreakableSpace);
    return kept;
}

std::string wrappedText(std::string_view text, std::size_t width, std::size_t indent, std::size_t lead) {
    std::string result;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        result +=
            wrappedLine(text.substr(start, end == std::string_view::npos ? end : end - start), width, indent, lead);
        if (end == std::string_view::npos) return result;
        result += "\n";
        start = end + 1;
    }
}

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::u32string decodedUtf8(std::string_view bytes) {
    std::u32string codePoints;
    while (!bytes.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(bytes, codePoint);
        codePoints += length ? codePoint : char32_t(0xFFFD);
        bytes.remove_prefix(length ? length : 1);
    }
    return codePoints;
}

std::string encodedUtf8(std::u32string_view codePoints) {
    std::string bytes;
    for (const char32_t point : codePoints) {
        if (point < 0x80) {
            bytes += static_cast<char>(point);
        } else if (point < 0x800) {
            bytes += static_cast<char>(0xC0 | (point >> 6));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            bytes += static_cast<char>(0xE0 | (point >> 12));
            bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            bytes += static_cast<char>(0xF0 | (point >> 18));
            bytes += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            bytes += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            bytes += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return bytes;
}

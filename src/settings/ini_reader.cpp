#include "settings/ini_reader.h"

#include <string_view>

namespace {

constexpr std::string_view whitespaceSet = " \t\n\r\f\v";

// Replaces every backslash-"=" pair of text, left to right, with the replacement.
std::string replaceEscapedEquals(const std::string& text, std::string_view replacement) {
    std::string result;
    result.reserve(text.size());
    for (std::size_t position = 0; position < text.size(); ++position) {
        if (text[position] == '\\' && position + 1 < text.size() && text[position + 1] == '=') {
            result += replacement;
            ++position;
        } else {
            result += text[position];
        }
    }
    return result;
}

}  // namespace

std::size_t Fnv1aHash::operator()(const std::string& text) const noexcept {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : text) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

void trimWhitespace(std::string& text) {
    const std::size_t last = text.find_last_not_of(whitespaceSet);
    if (last == std::string::npos) {
        text.clear();
        return;
    }
    text.erase(last + 1);
    text.erase(0, text.find_first_not_of(whitespaceSet));
}

std::vector<std::string> readLines(std::ifstream& file) {
    std::vector<std::string> lines;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    // An unknown size (or the huge one a directory reports) means nothing to read.
    if (size < 0 || static_cast<std::uint64_t>(size) > maximumSettingsFileBytes) {
        file.close();
        return lines;
    }
    std::string buffer(static_cast<std::size_t>(size), '\0');
    file.seekg(0, std::ios::beg);
    file.read(buffer.data(), size);
    const bool readFailed = file.bad() || (file.fail() && !file.eof());
    file.close();
    if (readFailed) return lines;

    std::string line;
    for (char byte : buffer) {
        if (byte == '\n') {
            lines.push_back(std::move(line));
            line.clear();
        } else if (byte != '\r' && byte != '\0') {
            line += byte;
        }
    }
    if (size > 0) lines.push_back(std::move(line));
    return lines;
}

IniLineKind classifyLine(std::string line, std::string& name, std::string& value) {
    name.clear();
    value.clear();
    trimWhitespace(line);
    if (line.empty()) return IniLineKind::Empty;
    if (line[0] == ';') return IniLineKind::Comment;

    if (line[0] == '[') {
        const std::size_t comment = line.find(';');
        if (comment != std::string::npos) line.erase(comment);
        const std::size_t close = line.rfind(']');
        if (close != std::string::npos) {
            name = line.substr(1, close - 1);
            trimWhitespace(name);
            return IniLineKind::Section;
        }
        // A "[" without "]" falls through and may still be a key/value line.
    }

    // Escaped "=" are blanked out so the first real "=" can be found; the copy
    // keeps the line's length, so its positions are the line's.
    const std::string working = replaceEscapedEquals(line, "  ");
    const std::size_t separator = working.find('=');
    if (separator == std::string::npos) return IniLineKind::Invalid;

    name = line.substr(0, separator);
    trimWhitespace(name);
    name = replaceEscapedEquals(name, "=");
    value = line.substr(separator + 1);
    trimWhitespace(value);
    return IniLineKind::KeyValue;
}

std::string IniSection::getValue(std::string key) const {
    trimWhitespace(key);
    const auto found = index.find(key);
    return found == index.end() ? std::string() : entries[found->second].second;
}

bool IniSection::hasKey(std::string key) const {
    trimWhitespace(key);
    return index.find(key) != index.end();
}

std::string& IniSection::ensureValue(std::string key) {
    trimWhitespace(key);
    const auto found = index.find(key);
    if (found != index.end()) return entries[found->second].second;
    index.emplace(key, entries.size());
    entries.emplace_back(std::move(key), std::string());
    return entries.back().second;
}

bool IniDocument::parseFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return false;

    bool inSection = false;
    std::string currentSection;
    std::string name;
    std::string value;
    for (const std::string& line : readLines(file)) {
        switch (classifyLine(line, name, value)) {
            case IniLineKind::Section:
                currentSection = name;
                inSection = true;
                ensureSection(currentSection);
                break;
            case IniLineKind::KeyValue:
                // Keys above the first header belong to no section and are dropped.
                if (inSection) ensureSection(currentSection).ensureValue(name) = value;
                break;
            default:
                break;
        }
    }
    return true;
}

void IniDocument::clear() {
    sections.clear();
    index.clear();
}

IniSection IniDocument::getSection(std::string name) const {
    trimWhitespace(name);
    const auto found = index.find(name);
    return found == index.end() ? IniSection() : sections[found->second].second;
}

IniSection& IniDocument::ensureSection(std::string name) {
    trimWhitespace(name);
    const auto found = index.find(name);
    if (found != index.end()) return sections[found->second].second;
    index.emplace(name, sections.size());
    sections.emplace_back(std::move(name), IniSection());
    return sections.back().second;
}

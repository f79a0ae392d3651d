#include "settings/ini_reader.h"

#include "settings/whitespace.h"

#include <cstring>

namespace {

std::string_view trimmed(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isSettingsWhitespace(text[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && isSettingsWhitespace(text[begin])) ++begin;
    return text.substr(begin, end - begin);
}

// The position of the first "=" that is not part of a backslash-"=" pair,
// scanning pairs left to right without overlap; npos when there is none.
std::size_t findSeparator(std::string_view line) {
    for (std::size_t position = 0; position < line.size(); ++position) {
        if (line[position] == '\\' && position + 1 < line.size() && line[position + 1] == '=')
            ++position;
        else if (line[position] == '=')
            return position;
    }
    return std::string_view::npos;
}

// Copies text into out with every backslash-"=" pair, left to right, made a single "=".
void assignUnescaped(std::string_view text, std::string& out) {
    if (text.find("\\=") == std::string_view::npos) {
        out.assign(text);
        return;
    }
    out.clear();
    for (std::size_t position = 0; position < text.size(); ++position) {
        const bool escapedSeparator = text[position] == '\\' && position + 1 < text.size() && text[position + 1] == '=';
        out += escapedSeparator ? '=' : text[position];
        if (escapedSeparator) ++position;
    }
}

// One line with its carriage returns and NULs dropped. The usual CR LF end
// costs nothing; other CR and NUL bytes need a cleaned copy in scratch.
std::string_view cleanedLine(std::string_view raw, std::string& scratch) {
    if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
    if (std::memchr(raw.data(), '\r', raw.size()) == nullptr && std::memchr(raw.data(), '\0', raw.size()) == nullptr)
        return raw;
    scratch.clear();
    for (char byte : raw)
        if (byte != '\r' && byte != '\0') scratch += byte;
    return scratch;
}

// Calls onLine for each line feed-separated line of the bytes; the last line
// counts even when empty, and no bytes means no lines.
template <typename OnLine>
void forEachLine(std::string_view bytes, std::string& scratch, OnLine onLine) {
    if (bytes.empty()) return;
    const char* cursor = bytes.data();
    const char* const end = cursor + bytes.size();
    for (;;) {
        const char* lineEnd =
            static_cast<const char*>(std::memchr(cursor, '\n', static_cast<std::size_t>(end - cursor)));
        if (!lineEnd) lineEnd = end;
        onLine(cleanedLine(std::string_view(cursor, static_cast<std::size_t>(lineEnd - cursor)), scratch));
        if (lineEnd == end) return;
        cursor = lineEnd + 1;
    }
}

// classifyLine on a view: name and value reuse their storage.
IniLineKind classifyLineView(std::string_view line, std::string& name, std::string& value) {
    name.clear();
    value.clear();
    line = trimmed(line);
    if (line.empty()) return IniLineKind::Empty;
    if (line[0] == ';') return IniLineKind::Comment;

    if (line[0] == '[') {
        // A ";" anywhere cuts the header line; the cut line is not trimmed again.
        const std::string_view header = line.substr(0, line.find(';'));
        const std::size_t close = header.rfind(']');
        if (close != std::string_view::npos) {
            name.assign(trimmed(header.substr(1, close - 1)));
            return IniLineKind::Section;
        }
        // A "[" without "]" falls through and may still be a key/value line.
        line = header;
    }

    const std::size_t separator = findSeparator(line);
    if (separator == std::string_view::npos) return IniLineKind::Invalid;
    assignUnescaped(trimmed(line.substr(0, separator)), name);
    value.assign(trimmed(line.substr(separator + 1)));
    return IniLineKind::KeyValue;
}

}  // namespace

void trimWhitespace(std::string& text) {
    const std::string_view kept = trimmed(text);
    const auto begin = static_cast<std::size_t>(kept.data() - text.data());
    text.erase(begin + kept.size());
    text.erase(0, begin);
}

std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string scratch;
    forEachLine(bytes, scratch, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

IniLineKind classifyLine(std::string line, std::string& name, std::string& value) {
    return classifyLineView(line, name, value);
}

std::string IniSection::getValue(std::string key) const {
    const std::string* found = findTrimmedValue(trimmed(key));
    return found ? *found : std::string();
}

bool IniSection::hasKey(std::string key) const { return findTrimmedValue(trimmed(key)) != nullptr; }

const std::string* IniSection::findTrimmedValue(std::string_view key) const {
    const std::size_t position =
        findName(index, key, hashName(key), [this](std::size_t at) { return std::string_view(entries[at].first); });
    return position == nameNotFound ? nullptr : &entries[position].second;
}

std::string& IniSection::ensureTrimmedValue(std::string_view key) {
    const std::uint64_t hash = hashName(key);
    const std::size_t position =
        findName(index, key, hash, [this](std::size_t at) { return std::string_view(entries[at].first); });
    if (position != nameNotFound) return entries[position].second;
    recordName(index, hash, entryCount);
    if (entryCount == entries.size()) {
        // Most sections hold several keys; skip the smallest growth steps.
        if (entries.empty()) entries.reserve(4);
        entries.emplace_back();
    }
    Entry& entry = entries[entryCount++];
    entry.first.assign(key);
    entry.second.clear();
    return entry.second;
}

void IniSection::clear() {
    entryCount = 0;
    forgetAllNames(index);
}

void IniDocument::parseBytes(std::string_view bytes) {
    // The current section is kept by position: positions stay valid as sections are appended.
    bool inSection = false;
    std::size_t currentSection = 0;
    forEachLine(bytes, lineScratch, [&](std::string_view line) {
        switch (classifyLineView(line, name, value)) {
            case IniLineKind::Section:
                currentSection = ensureTrimmedSection(name);
                inSection = true;
                break;
            case IniLineKind::KeyValue:
                // Keys above the first header belong to no section and are dropped.
                if (inSection) sections[currentSection].second.ensureTrimmedValue(name).assign(value);
                break;
            default: break;
        }
    });
}

void IniDocument::clear() {
    sectionCount = 0;
    forgetAllNames(index);
}

IniSection IniDocument::getSection(std::string name) const {
    const IniSection* found = findTrimmedSection(trimmed(name));
    return found ? *found : IniSection();
}

const IniSection* IniDocument::findTrimmedSection(std::string_view name) const {
    const std::size_t position =
        findName(index, name, hashName(name), [this](std::size_t at) { return std::string_view(sections[at].first); });
    return position == nameNotFound ? nullptr : &sections[position].second;
}

IniSection& IniDocument::ensureSection(std::string name) {
    return sections[ensureTrimmedSection(trimmed(name))].second;
}

std::size_t IniDocument::ensureTrimmedSection(std::string_view name) {
    const std::uint64_t hash = hashName(name);
    const std::size_t position =
        findName(index, name, hash, [this](std::size_t at) { return std::string_view(sections[at].first); });
    if (position != nameNotFound) return position;
    recordName(index, hash, sectionCount);
    if (sectionCount == sections.size()) sections.emplace_back();
    Section& section = sections[sectionCount];
    section.first.assign(name);
    section.second.clear();
    return sectionCount++;
}

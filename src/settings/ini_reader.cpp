#include "settings/ini_reader.h"

#include <cstring>

namespace {

// Exactly the six trimming bytes: space, tab, line feed, carriage return, form feed, vertical tab.
constexpr bool isWhitespace(char byte) {
    return byte == ' ' || (byte >= '\t' && byte <= '\r');
}

std::string_view trimmed(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && isWhitespace(text[end - 1])) --end;
    std::size_t begin = 0;
    while (begin < end && isWhitespace(text[begin])) ++begin;
    return text.substr(begin, end - begin);
}

// The position of the first "=" that is not part of a backslash-"=" pair,
// scanning pairs left to right without overlap; npos when there is none.
std::size_t findSeparator(std::string_view line) {
    for (std::size_t position = 0; position < line.size(); ++position) {
        if (line[position] == '\\' && position + 1 < line.size() && line[position + 1] == '=') ++position;
        else if (line[position] == '=') return position;
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
        if (text[position] == '\\' && position + 1 < text.size() && text[position + 1] == '=') {
            out += '=';
            ++position;
        } else {
            out += text[position];
        }
    }
}

// Reads a file opened in binary mode whole into buffer and closes it. False
// (and nothing read) when the size is unknown, implausible, or the read fails.
bool readWholeFile(std::ifstream& file, std::string& buffer) {
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    // An unknown size, or the huge one a directory reports, means nothing to read.
    if (size < 0 || static_cast<std::uint64_t>(size) > maximumSettingsFileBytes) {
        file.close();
        return false;
    }
    // Zero-filled, so bytes a short read leaves unfilled are NULs, which are dropped.
    buffer.assign(static_cast<std::size_t>(size), '\0');
    file.seekg(0, std::ios::beg);
    file.read(buffer.data(), size);
    const bool readFailed = file.bad() || (file.fail() && !file.eof());
    file.close();
    return !readFailed;
}

// Calls onLine for each line feed-separated line of the buffer, with carriage
// returns and NULs dropped; the last line counts even when empty, and an
// empty buffer has no lines.
template <typename OnLine>
void forEachLine(const std::string& buffer, OnLine onLine) {
    if (buffer.empty()) return;
    std::string cleaned;
    const char* cursor = buffer.data();
    const char* const end = cursor + buffer.size();
    for (;;) {
        const char* lineEnd =
            static_cast<const char*>(std::memchr(cursor, '\n', static_cast<std::size_t>(end - cursor)));
        if (!lineEnd) lineEnd = end;
        std::string_view raw(cursor, static_cast<std::size_t>(lineEnd - cursor));
        // The usual CR LF end costs nothing; other CR and NUL bytes need a cleaned copy.
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (std::memchr(raw.data(), '\r', raw.size()) == nullptr &&
            std::memchr(raw.data(), '\0', raw.size()) == nullptr) {
            onLine(raw);
        } else {
            cleaned.clear();
            for (char byte : raw)
                if (byte != '\r' && byte != '\0') cleaned += byte;
            onLine(std::string_view(cleaned));
        }
        if (lineEnd == end) return;
        cursor = lineEnd + 1;
    }
}

constexpr std::uint64_t notFound = ~std::uint64_t{0};

// The position of the element named name, or notFound.
template <typename Element>
std::uint64_t findPosition(const IniNameIndex& index, const std::vector<Element>& elements, std::string_view name,
                           std::uint64_t hash) {
    if (index.slots.empty()) return notFound;
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const IniIndexSlot& entry = index.slots[slot];
        if (entry.positionPlusOne == 0) return notFound;
        if (entry.hash == hash && elements[entry.positionPlusOne - 1].first == name) return entry.positionPlusOne - 1;
    }
}

void placeSlot(std::vector<IniIndexSlot>& slots, IniIndexSlot entry) {
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = entry.hash & mask;
    while (slots[slot].positionPlusOne != 0) slot = (slot + 1) & mask;
    slots[slot] = entry;
}

// Records a new name's position; the table doubles to stay at most three quarters full.
void insertPosition(IniNameIndex& index, std::uint64_t hash, std::uint64_t position) {
    if ((index.count + 1) * 4 > index.slots.size() * 3) {
        std::vector<IniIndexSlot> grown(index.slots.empty() ? 8 : index.slots.size() * 2, IniIndexSlot{0, 0});
        for (const IniIndexSlot& entry : index.slots)
            if (entry.positionPlusOne != 0) placeSlot(grown, entry);
        index.slots.swap(grown);
    }
    placeSlot(index.slots, {hash, position + 1});
    ++index.count;
}

}  // namespace

std::uint64_t fnv1aHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : text) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

void trimWhitespace(std::string& text) {
    const std::string_view kept = trimmed(text);
    const auto begin = static_cast<std::size_t>(kept.data() - text.data());
    text.erase(begin + kept.size());
    text.erase(0, begin);
}

std::vector<std::string> readLines(std::ifstream& file) {
    std::vector<std::string> lines;
    std::string buffer;
    if (!readWholeFile(file, buffer)) return lines;
    forEachLine(buffer, [&lines](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

IniLineKind classifyLine(std::string line, std::string& name, std::string& value) {
    return classifyLineView(line, name, value);
}

IniLineKind classifyLineView(std::string_view line, std::string& name, std::string& value) {
    name.clear();
    value.clear();
    line = trimmed(line);
    if (line.empty()) return IniLineKind::Empty;
    if (line[0] == ';') return IniLineKind::Comment;

    if (line[0] == '[') {
        // A ";" anywhere cuts the header line; the cut line is not trimmed again.
        line = line.substr(0, line.find(';'));
        const std::size_t close = line.rfind(']');
        if (close != std::string_view::npos) {
            name.assign(trimmed(line.substr(1, close - 1)));
            return IniLineKind::Section;
        }
        // A "[" without "]" falls through and may still be a key/value line.
    }

    const std::size_t separator = findSeparator(line);
    if (separator == std::string_view::npos) return IniLineKind::Invalid;
    assignUnescaped(trimmed(line.substr(0, separator)), name);
    value.assign(trimmed(line.substr(separator + 1)));
    return IniLineKind::KeyValue;
}

std::string IniSection::getValue(std::string key) const {
    const std::string* found = findTrimmedValue(trimmed(key));
    return found ? *found : std::string();
}

bool IniSection::hasKey(std::string key) const { return findTrimmedValue(trimmed(key)) != nullptr; }

const std::string* IniSection::findTrimmedValue(std::string_view key) const {
    const std::uint64_t position = findPosition(index, entries, key, fnv1aHash(key));
    return position == notFound ? nullptr : &entries[position].second;
}

std::string& IniSection::ensureValue(std::string key) { return ensureTrimmedValue(trimmed(key)); }

std::string& IniSection::ensureTrimmedValue(std::string_view key) {
    const std::uint64_t hash = fnv1aHash(key);
    const std::uint64_t position = findPosition(index, entries, key, hash);
    if (position != notFound) return entries[position].second;
    insertPosition(index, hash, entries.size());
    // Most sections hold several keys; skip the smallest growth steps.
    if (entries.empty()) entries.reserve(4);
    entries.emplace_back(std::string(key), std::string());
    return entries.back().second;
}

bool IniDocument::parseFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) return false;
    std::string buffer;
    if (!readWholeFile(file, buffer)) return true;

    // The current section is kept by position: positions stay valid as sections are appended.
    bool inSection = false;
    std::size_t currentSection = 0;
    std::string name;
    std::string value;
    forEachLine(buffer, [&](std::string_view line) {
        switch (classifyLineView(line, name, value)) {
            case IniLineKind::Section:
                currentSection = ensureTrimmedSection(name);
                inSection = true;
                break;
            case IniLineKind::KeyValue:
                // Keys above the first header belong to no section and are dropped.
                if (inSection) sections[currentSection].second.ensureTrimmedValue(name).assign(value);
                break;
            default:
                break;
        }
    });
    return true;
}

void IniDocument::clear() {
    sections.clear();
    index = IniNameIndex{};
}

IniSection IniDocument::getSection(std::string name) const {
    const IniSection* found = findTrimmedSection(trimmed(name));
    return found ? *found : IniSection();
}

const IniSection* IniDocument::findTrimmedSection(std::string_view name) const {
    const std::uint64_t position = findPosition(index, sections, name, fnv1aHash(name));
    return position == notFound ? nullptr : &sections[position].second;
}

IniSection& IniDocument::ensureSection(std::string name) {
    return sections[ensureTrimmedSection(trimmed(name))].second;
}

std::size_t IniDocument::ensureTrimmedSection(std::string_view name) {
    const std::uint64_t hash = fnv1aHash(name);
    const std::uint64_t position = findPosition(index, sections, name, hash);
    if (position != notFound) return position;
    insertPosition(index, hash, sections.size());
    sections.emplace_back(std::string(name), IniSection());
    return sections.size() - 1;
}

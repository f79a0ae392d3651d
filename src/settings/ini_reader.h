// Reads a settings file of "[section]" headers and "key = value" lines into an
// ordered, hash-indexed document. Lenient: no line is ever an error.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The kinds of line the reader tells apart.
enum class IniLineKind { Empty = 0, Comment = 1, Section = 2, KeyValue = 3, Invalid = 4 };

// 64-bit FNV-1a over a name's bytes; both indexes use it.
std::uint64_t fnv1aHash(std::string_view text);

// One slot of a name index: the name's hash, and its position plus one (0: empty).
struct IniIndexSlot {
    std::uint64_t hash;
    std::uint64_t positionPlusOne;
};

// Hash index from a name to its position in the array it indexes: open
// addressing with linear probing, so a key costs no allocation of its own and
// is stored once, in the array.
struct IniNameIndex {
    std::vector<IniIndexSlot> slots;  // a power of two in size, or empty
    std::size_t count = 0;
};

// A file larger than this is treated as unreadable rather than allocated.
constexpr std::uint64_t maximumSettingsFileBytes = 64ull * 1024 * 1024;

// Removes space, tab, line feed, carriage return, form feed and vertical tab
// from both ends of the text.
void trimWhitespace(std::string& text);

// Reads a file opened in binary mode whole, closes it, and splits it into lines
// at line feeds, dropping carriage returns and NUL bytes.
std::vector<std::string> readLines(std::ifstream& file);

// Tells what one line is, delivering the section name or the key and value.
IniLineKind classifyLine(std::string line, std::string& name, std::string& value);

// The same, without copying the line; name and value reuse their storage.
IniLineKind classifyLineView(std::string_view line, std::string& name, std::string& value);

// One section's keys in the order they first appeared, each with its latest value.
class IniSection {
public:
    // Returns a copy of the key's value, or an empty string when the key is absent.
    std::string getValue(std::string key) const;

    // Tells whether the key was written in the section at all, even with an empty value.
    bool hasKey(std::string key) const;

    // Returns the key's value slot, appending the key with an empty value if absent.
    std::string& ensureValue(std::string key);

    // ensureValue for a key that is already trimmed.
    std::string& ensureTrimmedValue(std::string_view key);

    // The value of a key that is already trimmed, or null when it is absent.
    const std::string* findTrimmedValue(std::string_view key) const;

    const std::vector<std::pair<std::string, std::string>>& getEntries() const { return entries; }

private:
    std::vector<std::pair<std::string, std::string>> entries;
    IniNameIndex index;
};

// A whole settings file: its sections in the order their headers first appeared.
class IniDocument {
public:
    // Merges the file's sections and keys into the document; false if it cannot be opened.
    bool parseFile(const std::string& path);

    // Removes every section and key.
    void clear();

    // Returns a copy of the named section, or an empty section when there is none.
    IniSection getSection(std::string name) const;

    // Returns the named section, appending an empty one if absent.
    IniSection& ensureSection(std::string name);

    // The section with this already trimmed name, or null: a look-up without a copy.
    const IniSection* findTrimmedSection(std::string_view name) const;

    const std::vector<std::pair<std::string, IniSection>>& getSections() const { return sections; }

private:
    // ensureSection for a name that is already trimmed; returns its position.
    std::size_t ensureTrimmedSection(std::string_view name);

    std::vector<std::pair<std::string, IniSection>> sections;
    IniNameIndex index;
};

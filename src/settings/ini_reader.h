// Reads a settings file of "[section]" headers and "key = value" lines into an
// ordered, hash-indexed document. Lenient: no line is ever an error.
#pragma once

#include "settings/name_index.h"

#include <cstdint>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The kinds of line the reader tells apart.
enum class IniLineKind { Empty = 0, Comment = 1, Section = 2, KeyValue = 3, Invalid = 4 };

// A file larger than this is treated as unreadable rather than allocated.
constexpr std::uint64_t maximumSettingsFileBytes = 64ull * 1024 * 1024;

// Removes space, tab, line feed, carriage return, form feed and vertical tab
// from both ends of the text.
void trimWhitespace(std::string& text);

// Reads a file opened in binary mode whole, closes it, and splits it into lines
// (see splitLines). A file of unknown size, or whose read fails, has no lines.
std::vector<std::string> readLines(std::ifstream& file);

// Splits bytes into lines at line feeds, dropping carriage returns and NUL
// bytes; the last line counts even when empty, and no bytes means no lines.
std::vector<std::string> splitLines(std::string_view bytes);

// Tells what one line is, delivering the section name or the key and value.
IniLineKind classifyLine(std::string line, std::string& name, std::string& value);

// Whether the file can be opened for reading; nothing is read.
bool canOpenForReading(const std::string& path);

// One section's keys in the order they first appeared, each with its latest value.
class IniSection {
public:
    using Entry = std::pair<std::string, std::string>;

    // Returns a copy of the key's value, or an empty string when the key is absent.
    std::string getValue(std::string key) const;

    // Tells whether the key was written in the section at all, even with an empty value.
    bool hasKey(std::string key) const;

    std::span<const Entry> getEntries() const { return {entries.data(), entryCount}; }

    // The per-tick load runs every frame inside the game, so these skip the
    // copies and the trimming of the forms above; names must come trimmed.
    const std::string* findTrimmedValue(std::string_view key) const;
    std::string& ensureTrimmedValue(std::string_view key);

    // Removes every key but keeps the storage, so refilling it allocates nothing.
    void clear();

private:
    // Entries past entryCount are spare storage from before the last clear.
    std::vector<Entry> entries;
    std::size_t entryCount = 0;
    IniNameIndex index;
};

// A whole settings file: its sections in the order their headers first appeared.
class IniDocument {
public:
    using Section = std::pair<std::string, IniSection>;

    // Merges the file's sections and keys into the document; false if it cannot be opened.
    bool parseFile(const std::string& path);

    // Merges a file's bytes, already in memory, exactly as parseFile would.
    void parseBytes(std::string_view bytes);

    // Removes every section and key; the storage stays for the next parse.
    void clear();

    // Returns a copy of the named section, or an empty section when there is none.
    IniSection getSection(std::string name) const;

    // Returns the named section, appending an empty one if absent. The module
    // never calls it; tests build documents with it.
    IniSection& ensureSection(std::string name);

    std::span<const Section> getSections() const { return {sections.data(), sectionCount}; }

    // The section with this already trimmed name, or null: the load's look-up without a copy.
    const IniSection* findTrimmedSection(std::string_view name) const;

private:
    // ensureSection for a name that is already trimmed; returns its position.
    std::size_t ensureTrimmedSection(std::string_view name);

    std::vector<Section> sections;
    std::size_t sectionCount = 0;
    IniNameIndex index;
    // Reused by every parse: the file's bytes, and the current line's name and value.
    std::string fileBytes;
    std::string lineScratch;
    std::string name;
    std::string value;
};

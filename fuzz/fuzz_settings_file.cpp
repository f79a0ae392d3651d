// Any bytes as a settings file, from memory: the lines must be the bytes' line
// feed-separated pieces, the document's arrays and indexes must agree, and a
// refill after clear must equal a parse into a fresh document.
#include "settings/ini_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void checkIndexes(const IniDocument& document) {
    const auto sections = document.getSections();
    for (std::size_t position = 0; position < sections.size(); ++position) {
        const auto& [name, section] = sections[position];
        for (std::size_t other = 0; other < position; ++other)
            if (sections[other].first == name) __builtin_trap();
        if (document.findTrimmedSection(name) != &section) __builtin_trap();
        for (const auto& [key, value] : section.getEntries())
            if (section.findTrimmedValue(key) != &value) __builtin_trap();
    }
}

bool sameDocument(const IniDocument& a, const IniDocument& b) {
    return std::ranges::equal(a.getSections(), b.getSections(), [](const auto& left, const auto& right) {
        return left.first == right.first && std::ranges::equal(left.second.getEntries(), right.second.getEntries());
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto lines = splitLines(bytes);
    const auto lineFeeds = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    if (lines.size() != (size == 0 ? 0 : lineFeeds + 1)) __builtin_trap();
    for (const auto& line : lines)
        if (line.find('\r') != std::string::npos || line.find('\0') != std::string::npos) __builtin_trap();

    // The per-tick load refills one document: what an earlier file left must not show.
    static IniDocument reused;
    reused.clear();
    reused.parseBytes(bytes);
    checkIndexes(reused);
    IniDocument fresh;
    fresh.parseBytes(bytes);
    if (!sameDocument(reused, fresh)) __builtin_trap();
    return 0;
}

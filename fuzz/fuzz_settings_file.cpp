// Any bytes as a settings file: the document's arrays and indexes must agree,
// and the lines must be the file's line feed-separated pieces.
#include "settings/ini_reader.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstdint>
#include <fstream>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = [] {
        std::atexit([] { std::remove(("/tmp/pellimore-fuzz-settings-" + std::to_string(::getpid()) + ".ini").c_str()); });
        return "/tmp/pellimore-fuzz-settings-" + std::to_string(::getpid()) + ".ini";
    }();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), size);

    std::ifstream file(path, std::ios::binary);
    const auto lines = readLines(file);
    const auto lineFeeds = static_cast<std::size_t>(std::count(data, data + size, '\n'));
    if (lines.size() != (size == 0 ? 0 : lineFeeds + 1)) __builtin_trap();
    for (const auto& line : lines)
        if (line.find('\r') != std::string::npos || line.find('\0') != std::string::npos) __builtin_trap();

    IniDocument document;
    if (!document.parseFile(path)) __builtin_trap();
    const auto& sections = document.getSections();
    for (std::size_t position = 0; position < sections.size(); ++position) {
        const auto& [name, section] = sections[position];
        for (std::size_t other = 0; other < position; ++other)
            if (sections[other].first == name) __builtin_trap();
        if (document.findTrimmedSection(name) != &section) __builtin_trap();
        for (const auto& [key, value] : section.getEntries())
            if (section.findTrimmedValue(key) != &value) __builtin_trap();
    }
    return 0;
}

// Any bytes as one line: classification must not crash, must deliver trimmed
// names and values, and the document must take from the line exactly what the
// classification delivered.
#include "settings/ini_reader.h"

#include <cstddef>
#include <cstdint>

namespace {

bool isTrimmed(const std::string& text) {
    auto whitespace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    return text.empty() || (!whitespace(text.front()) && !whitespace(text.back()));
}

// Parses the line under a header of its own and checks it landed as classified.
void checkAgainstTheDocument(const std::string& line, IniLineKind kind, const std::string& name,
                             const std::string& value) {
    IniDocument document;
    document.parseBytes("[\x01]\n" + line);
    const IniSection* first = document.findTrimmedSection("\x01");
    if (!first) __builtin_trap();
    if (kind == IniLineKind::KeyValue) {
        const std::string* stored = first->findTrimmedValue(name);
        if (!stored || *stored != value || document.getSections().size() != 1) __builtin_trap();
    } else if (kind == IniLineKind::Section) {
        if (!document.findTrimmedSection(name)) __builtin_trap();
    } else if (document.getSections().size() != 1 || !first->getEntries().empty()) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::string name, value;
    const IniLineKind kind = classifyLine(line, name, value);
    if (!isTrimmed(value)) __builtin_trap();
    if (kind == IniLineKind::Section && !isTrimmed(name)) __builtin_trap();
    if (kind != IniLineKind::Section && kind != IniLineKind::KeyValue && !(name.empty() && value.empty()))
        __builtin_trap();
    // The document splits at line feeds and drops CR and NUL bytes first.
    if (line.find_first_of(std::string("\n\r\0", 3)) == std::string::npos)
        checkAgainstTheDocument(line, kind, name, value);
    return 0;
}

// Any bytes as one line: classification must not crash, must deliver trimmed
// names and values, and must agree between the copying and viewing forms.
#include "settings/ini_reader.h"

#include <cstddef>
#include <cstdint>

namespace {
bool isTrimmed(const std::string& text) {
    auto whitespace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    return text.empty() || (!whitespace(text.front()) && !whitespace(text.back()));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    std::string name, value, viewName, viewValue;
    const IniLineKind kind = classifyLine(line, name, value);
    if (classifyLineView(line, viewName, viewValue) != kind || name != viewName || value != viewValue)
        __builtin_trap();
    if (!isTrimmed(value)) __builtin_trap();
    if (kind == IniLineKind::Section && !isTrimmed(name)) __builtin_trap();
    if (kind != IniLineKind::Section && kind != IniLineKind::KeyValue && !(name.empty() && value.empty()))
        __builtin_trap();
    return 0;
}

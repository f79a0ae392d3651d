// The six bytes the settings format treats as space: space, tab, line feed,
// vertical tab, form feed and carriage return (the C locale's isspace).
#pragma once

constexpr bool isSettingsWhitespace(char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); }

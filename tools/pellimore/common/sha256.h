// SHA-256 of a file's bytes, as lowercase hexadecimal: how the tools tell
// whether a file is the one they know (the released module, the module the
// doctor saw before), whatever its name or time stamps say.
#pragma once

#include <string>
#include <string_view>

// The 64-character lowercase hexadecimal SHA-256 digest of the bytes.
std::string sha256Hex(std::string_view bytes);

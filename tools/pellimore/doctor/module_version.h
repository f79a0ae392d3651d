// The file version a Windows module carries in its version resource, read
// from the file's bytes, so it works on any system the tool runs on.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// "1.0.0" (the fourth part is left out when it is 0), or none when the file
// cannot be read or has no version resource.
std::optional<std::string> moduleFileVersion(const std::filesystem::path& path);

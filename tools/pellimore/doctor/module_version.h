// The file version a Windows module carries in its version resource, read
// from the file's bytes, so it works on any system the tool runs on.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

// "1.0.0" (the fourth part is left out when it is 0), or none when the file
// cannot be read or has no version resource.
std::optional<std::string> moduleFileVersion(const std::filesystem::path& path);

// The same read from bytes already in memory: a module cut short anywhere has no version.
std::optional<std::string> versionInModuleBytes(std::string_view bytes);

// Compares two versions part by part as numbers, so 1.10.0 is newer than 1.9.0:
// below zero when a is older, zero when equal, above zero when newer.
int compareVersions(std::string_view a, std::string_view b);

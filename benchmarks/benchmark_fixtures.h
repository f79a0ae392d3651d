// Shared set-up for the benchmarks: a scratch directory holding Pellimore.ini.
#pragma once

#include <filesystem>
#include <string>

// The twelve-key settings file players have.
extern const char* twelveKeySettingsText;

// Makes a fresh scratch directory, enters it and writes the given settings file
// (none when text is null). Returns the directory.
std::filesystem::path enterScratchDirectory(const char* settingsText);

// Resets the stand-in host, key table, bindings and settings document.
void resetModuleState();

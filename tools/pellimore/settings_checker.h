// Explains a settings file: what each binding becomes in game, and every
// line that silently does something other than what its writer meant.
#pragma once

#include <ostream>
#include <string>

// Exit statuses of `pellimore check`.
constexpr int checkLoadsCleanly = 0;
constexpr int checkLoadsWithWarnings = 1;
constexpr int checkLoadFails = 2;

// Reads the file with the module's own reader and load, prints the report,
// and returns one of the three statuses above.
int checkSettingsFile(const std::string& path, std::ostream& out);

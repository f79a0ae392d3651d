// `pellimore check`: explains a settings file, what each binding becomes in
// game and every line that silently does something other than what its writer
// meant, and returns the verdict as the exit status.
#pragma once

#include "pellimore/check/settings_analysis.h"

#include <ostream>
#include <string>

// Prints the report: the table of bindings, the warnings, the verdict.
void printSettingsReport(const SettingsReport& report, std::ostream& out);

// Analyses the file, prints the report, and returns one of the three statuses.
int checkSettingsFile(const std::string& path, std::ostream& out);

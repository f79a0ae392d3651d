// `pellimore check`: explains a settings file, what each binding becomes in
// game and every line that silently does something other than what its writer
// meant, and returns the verdict as the exit status.
#pragma once

#include "pellimore/check/settings_analysis.h"
#include "pellimore/common/words.h"

#include <ostream>
#include <string>

// Prints the report under its heading (the file's path unless given): the
// verdict, the warnings, the notes, the modders' table and the verdict again.
void printSettingsReport(const Voice& voice, const SettingsReport& report, std::ostream& out,
                         const std::string& heading = "");

// Analyses the file, prints the report, and returns one of the three statuses.
int checkSettingsFile(const Voice& voice, const std::string& path, std::ostream& out, const std::string& heading = "");

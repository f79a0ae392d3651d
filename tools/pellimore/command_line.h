// The pellimore command line: which command runs, its help, its exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Exit status for a bad command line, as for a bad scenario or an unreadable file.
constexpr int usageError = 2;

// Runs the command the arguments name and returns the exit status.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

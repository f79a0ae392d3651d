// The pellimore command line: which command runs, its help, its exit status.
#pragma once

#include "pellimore/common/words.h"

#include <ostream>
#include <string>
#include <vector>

// Runs the command the arguments name and returns the exit status.
int runCommandLine(const Voice& voice, const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

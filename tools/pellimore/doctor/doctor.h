// `pellimore doctor`: whether Pellimore is installed so that it can load, and
// if not, exactly what to move where. Pellimore itself writes no log and shows
// nothing in game, so this is how a player finds out why nothing happens.
#pragma once

#include "pellimore/common/exit_status.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

enum class Severity { Ok, Note, Attention, Blocker };

struct Finding {
    Severity severity;
    std::string text;
};

struct DoctorReport {
    std::string folder;  // as the player gave it, or as found
    std::vector<Finding> findings;
    ExitStatus exitStatus = exitAllGood;  // it loads but see the notes marked "check"; it cannot load
};

// The game folder to look at when none is given: the tool's own folder, or its
// parent (the tools ship in a subfolder of the game folder), whichever holds RDR2.exe.
std::filesystem::path defaultGameFolder(const std::filesystem::path& toolDirectory);

DoctorReport diagnoseGameFolder(const std::filesystem::path& folder);

void printDoctorReport(const DoctorReport& report, std::ostream& out);

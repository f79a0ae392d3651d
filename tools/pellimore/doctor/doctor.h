// `pellimore doctor`: whether Pellimore is installed so that it can load, and
// if not, exactly what to move where. Pellimore itself writes no log and shows
// nothing in game, so this is how a player finds out why nothing happens.
#pragma once

#include "pellimore/common/exit_status.h"

#include <filesystem>
#include <optional>
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
    bool pellimoreStarted = false;        // the hook's log shows its script starting
    ExitStatus exitStatus = exitAllGood;  // it loads but see the notes marked "check"; it cannot load
};

// The game folder the tool stands in: its own folder or one of the two above it
// (the tools ship in Pellimore-tools\, and "Extract All" adds a folder of the
// release's name), whichever holds RDR2.exe first; none when no such folder does.
std::optional<std::filesystem::path> findGameFolder(const std::filesystem::path& toolDirectory);

// The folder the doctor looks at when none is given: the game folder found, or
// the tool's own folder, which then gets the not-the-game-folder advice.
std::filesystem::path defaultGameFolder(const std::filesystem::path& toolDirectory);

DoctorReport diagnoseGameFolder(const std::filesystem::path& folder);

void printDoctorReport(const DoctorReport& report, std::ostream& out);

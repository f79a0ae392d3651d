// The doctor's repairs as the player meets them: after the findings, the plan
// and one question (or, for scripts, --fix without one), the repair, and the
// doctor's new verdict. Without a console or a flag nothing is ever changed.
#pragma once

#include "pellimore/common/words.h"

#include <filesystem>
#include <istream>
#include <ostream>

enum class RepairMode {
    Report,  // only the findings
    Ask,     // the findings, then the plan and "Do this now? [Y/N]"
    Fix,     // the findings, then the safe steps without asking
    DryRun,  // the findings and the whole plan; nothing changes
    Undo,    // reverse the last repair
};

// Runs the doctor on the game folder in this mode and returns the exit status.
int runDoctorFlow(const Voice& voice, const std::filesystem::path& game, RepairMode mode, std::istream& in,
                  std::ostream& out);

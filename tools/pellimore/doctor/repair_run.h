// Carries a repair plan out as one piece: every step is checked before the
// first file moves, a step that fails undoes the ones before it, and what was
// done is written to a log from which `pellimore doctor --undo` reverses it.
#pragma once

#include "pellimore/doctor/repair_plan.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Why a repair did not happen, or did not happen whole.
enum class RepairProblem {
    None,
    GameRunning,         // the game is running: its files are in use
    SourceMissing,       // file: a file of the plan is gone
    TargetTaken,         // file: a file stands where one would go
    NotAllowed,          // file: Windows did not allow changes there (rights, a file in use)
    RolledBack,          // file: a step failed; the steps before it were undone
    RollbackFailed,      // file: a step failed, and undoing the ones before it failed too
    NothingToUndo,       // the log holds no repair to undo
    ChangedSinceRepair,  // file: the file is no longer what the repair left there
};

struct RepairOutcome {
    RepairProblem problem = RepairProblem::None;
    std::filesystem::path file;  // the file the problem is about, relative to the game folder
    int stepsDone = 0;
    bool undo = false;  // the outcome of moving a repair back
};

// Test hooks: make the step of this number (from 1) fail, or the undoing of the step of this number.
struct RepairFailures {
    int failAtStep = 0;
    int failAtRollbackStep = 0;
};

// Where the repairs are logged: the tools' own folder inside the game folder, Pellimore-tools beside the game,
// or the game folder.
std::filesystem::path repairLogFile(const std::filesystem::path& game);

// Checks every step, then carries them out in order, logging them; on a failure undoes what it did.
RepairOutcome runRepairs(const std::filesystem::path& game, const RepairPlan& plan, bool gameRunning,
                         const RepairFailures& failures = {});

// Reverses the last repair in the log, step by step, refusing a file that changed since.
RepairOutcome undoLastRepair(const std::filesystem::path& game, bool gameRunning, const RepairFailures& failures = {});

// Whether the game is running now (Windows), so that no file it uses is moved.
bool gameIsRunning();

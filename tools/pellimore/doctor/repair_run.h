// Carries a repair plan out as one piece. Every step is checked first; the
// whole plan goes into the journal, flushed to disk, before the first file
// moves; each move cannot replace a file; a step that fails puts back the
// ones before it, last first. Whatever is said afterwards was checked on the
// files themselves: each file of the plan, by its digest, where it should be.
#pragma once

#include "pellimore/doctor/repair_files.h"
#include "pellimore/doctor/repair_moves.h"
#include "pellimore/doctor/repair_plan.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

// Why a repair did not happen, or did not happen whole.
enum class RepairProblem {
    None,
    GameRunning,         // the game is running: its files are in use
    SourceMissing,       // file: a file of the plan is gone
    TargetTaken,         // file: a file stands where one would go
    NotAllowed,          // file: Windows did not allow changes there (rights, a file in use)
    JournalRefused,      // file: the journal could not be written, so nothing moved
    RolledBack,          // file: a step failed; every file is back where it was, checked
    NotPutBack,          // file: a step failed and not every file could be put back: places says where each is
    NothingToUndo,       // the journal holds no repair to undo
    ChangedSinceRepair,  // file: the file is no longer what the repair left there
};

// What was done: a repair, its undo, or an interrupted repair put back or finished.
enum class RepairAction { Repair, Undo, PutBack, Finish };

// Where one file of a plan is, for a player who must put it right by hand.
struct FilePlace {
    std::filesystem::path from;  // absolute, as the journal has it
    std::filesystem::path to;
    StepPlace place;
};

struct RepairOutcome {
    RepairOutcome() = default;
    RepairOutcome(RepairProblem problem, std::filesystem::path file = {}, int stepsDone = 0,
                  RepairAction action = RepairAction::Repair, std::vector<FilePlace> places = {})
        : problem(problem), file(std::move(file)), stepsDone(stepsDone), action(action), places(std::move(places)) {}

    RepairProblem problem = RepairProblem::None;
    std::filesystem::path file;  // the file the problem is about, absolute or relative to the game folder
    int stepsDone = 0;
    RepairAction action = RepairAction::Repair;
    std::vector<FilePlace> places;  // every file of the plan, where not all could be put back
};

// Checks every step, journals the plan, then carries the steps out in order; on a failure puts back what it did.
RepairOutcome runRepairs(const std::filesystem::path& game, const RepairPlan& plan, bool gameRunning,
                         const RepairFiles& files = systemRepairFiles());

// Reverses the last finished repair, refusing a file that changed since; an
// interrupted repair is put back instead.
RepairOutcome undoLastRepair(const std::filesystem::path& game, bool gameRunning,
                             const RepairFiles& files = systemRepairFiles());

// An interrupted repair (or undo), judged by its files: every file back where
// it was before the repair, or the repair carried to its end.
RepairOutcome putBackInterruptedRepair(const std::filesystem::path& game, bool gameRunning,
                                       const RepairFiles& files = systemRepairFiles());
RepairOutcome finishInterruptedRepair(const std::filesystem::path& game, bool gameRunning,
                                      const RepairFiles& files = systemRepairFiles());

// Whether the game is running now (Windows), so that no file it uses is moved.
bool gameIsRunning();

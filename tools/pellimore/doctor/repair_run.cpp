#include "pellimore/doctor/repair_run.h"

#include "pellimore/common/platform.h"
#include "pellimore/doctor/repair_journal.h"

#include <algorithm>

#ifdef _WIN32
// windows.h first: the process list's header builds on its types.
#include <windows.h>

#include <tlhelp32.h>
#endif

namespace fs = std::filesystem;

namespace {

// Nothing moves unless every source is there and every target free, or freed by an earlier step.
RepairOutcome preflight(const fs::path& game, const RepairPlan& plan) {
    std::vector<fs::path> arriving;
    for (const RepairStep& step : plan.steps) {
        const bool madeEarlier = std::find(arriving.begin(), arriving.end(), step.from) != arriving.end();
        if (!madeEarlier && !isPresent(game / step.from)) return {RepairProblem::SourceMissing, step.from};
        const bool leaving = std::any_of(plan.steps.begin(), plan.steps.end(),
                                         [&](const RepairStep& other) { return other.from == step.to; });
        if ((isPresent(game / step.to) && !leaving) || isPresent(temporaryCopyFor(game / step.to)))
            return {RepairProblem::TargetTaken, step.to};
        arriving.push_back(step.to);
    }
    return {};
}

// The plan as the journal keeps it: absolute paths and the digest of each file that moves.
std::vector<JournalStep> journalSteps(const fs::path& game, const RepairPlan& plan) {
    std::error_code error;
    const fs::path root = fs::absolute(game, error).lexically_normal();
    std::vector<JournalStep> steps;
    for (const RepairStep& step : plan.steps) {
        // A file set aside earlier in the plan moves with the bytes it had then.
        const auto earlier = std::find_if(steps.begin(), steps.end(),
                                          [&](const JournalStep& made) { return made.to == root / step.from; });
        const std::string digest = earlier != steps.end() ? earlier->digest : fileDigest(root / step.from);
        steps.push_back({root / step.from, root / step.to, digest});
    }
    return steps;
}

bool allAt(const JournalRepair& repair, StepPlace place) {
    const auto places = judgedPlaces(repair);
    return std::all_of(places.begin(), places.end(), [&](StepPlace judged) { return judged == place; }) &&
           std::none_of(repair.steps.begin(), repair.steps.end(), [](const JournalStep& step) {
               return isPresent(temporaryCopyFor(step.from)) || isPresent(temporaryCopyFor(step.to));
           });
}

std::vector<FilePlace> placesOf(const JournalRepair& repair) {
    const auto places = judgedPlaces(repair);
    std::vector<FilePlace> shown;
    for (std::size_t index = 0; index < places.size(); ++index)
        shown.push_back({repair.steps[index].from, repair.steps[index].to, places[index]});
    return shown;
}

// Marks a step as made or moved back, in the journal and in memory; a mark is
// a hint, so one that cannot be written changes nothing of what follows.
void mark(const RepairFiles& files, JournalRepair& repair, std::size_t index, bool moved) {
    files.appendFlushed(repair.journal, journalMarkText(moved ? "moved" : "back", std::to_string(index + 1)));
    repair.marked[index] = moved;
}

bool markEnd(const RepairFiles& files, const JournalRepair& repair, const char* word) {
    return files.appendFlushed(repair.journal, journalMarkText(word, journalTimeNow()));
}

// The folders a repair makes for what it sets aside go again once nothing is in them.
void removeEmptySetAsideFolders(const RepairFiles& files, const std::vector<JournalStep>& steps) {
    for (const JournalStep& step : steps)
        for (const fs::path& file : {step.from, step.to}) {
            const fs::path folder = file.parent_path();
            const std::string name = textFromPath(folder.filename());
            std::error_code error;
            if ((name == "set-aside" || name == "Pellimore-set-aside") && fs::is_empty(folder, error))
                files.removeEmptyFolder(folder);
        }
}

// A move back gets two more tries: another program may hold the file for a moment.
bool moveBack(const RepairFiles& files, const JournalStep& step) {
    for (int attempt = 0; attempt < 3; ++attempt)
        if (moveStep(files, step, true)) return true;
    return false;
}

RepairOutcome notPutBack(const JournalRepair& repair, const RepairOutcome& outcome) {
    return {RepairProblem::NotPutBack, outcome.file, outcome.stepsDone, outcome.action, placesOf(repair)};
}

// Puts every step back at its source, last first, and says only what the files show afterwards.
RepairOutcome putBack(const RepairFiles& files, JournalRepair repair, const RepairOutcome& outcome,
                      const char* endWord) {
    const auto places = judgedPlaces(repair);
    for (std::size_t index = repair.steps.size(); index-- > 0;) {
        removeLeftovers(files, repair.steps[index], places[index]);
        if (places[index] == StepPlace::AtTarget && moveBack(files, repair.steps[index]))
            mark(files, repair, index, false);
    }
    removeEmptySetAsideFolders(files, repair.steps);
    return allAt(repair, StepPlace::AtSource) && markEnd(files, repair, endWord) ? outcome
                                                                                 : notPutBack(repair, outcome);
}

// Carries every step to its target, first first, and says only what the files show afterwards.
RepairOutcome carryThrough(const RepairFiles& files, JournalRepair repair, const RepairOutcome& outcome,
                           const char* endWord) {
    for (std::size_t index = 0; index < repair.steps.size(); ++index) {
        const StepPlace place = judgedPlaces(repair)[index];
        removeLeftovers(files, repair.steps[index], place);
        if (place != StepPlace::AtTarget && place != StepPlace::Missing && moveStep(files, repair.steps[index], false))
            mark(files, repair, index, true);
    }
    return allAt(repair, StepPlace::AtTarget) && markEnd(files, repair, endWord) ? outcome
                                                                                 : notPutBack(repair, outcome);
}

}  // namespace

RepairOutcome runRepairs(const fs::path& game, const RepairPlan& plan, bool running, const RepairFiles& files) {
    if (running) return {RepairProblem::GameRunning, {}};
    if (RepairOutcome checked = preflight(game, plan); checked.problem != RepairProblem::None) return checked;
    JournalRepair repair{
        repairJournalFile(game), journalTimeNow(), journalSteps(game, plan), {}, JournalState::Unfinished};
    repair.marked.assign(repair.steps.size(), false);
    if (!files.appendFlushed(repair.journal, journalPlanText(repair.time, repair.steps)))
        return {RepairProblem::JournalRefused, repair.journal};
    for (std::size_t index = 0; index < repair.steps.size(); ++index) {
        if (!moveStep(files, repair.steps[index], false))
            return putBack(files, repair,
                           {RepairProblem::RolledBack, repair.steps[index].from, static_cast<int>(index)},
                           "rolled back");
        mark(files, repair, index, true);
    }
    // A repair whose end cannot be journalled is put back, so the journal and the folder never disagree.
    if (allAt(repair, StepPlace::AtTarget) && markEnd(files, repair, "done"))
        return {RepairProblem::None, {}, static_cast<int>(repair.steps.size())};
    return putBack(files, repair, {RepairProblem::JournalRefused, repair.journal}, "rolled back");
}

RepairOutcome undoLastRepair(const fs::path& game, bool running, const RepairFiles& files) {
    if (running) return {RepairProblem::GameRunning, {}, 0, RepairAction::Undo};
    if (interruptedRepair(game)) return putBackInterruptedRepair(game, running, files);
    auto repair = lastDoneRepair(game);
    if (!repair || repair->steps.empty()) return {RepairProblem::NothingToUndo, {}, 0, RepairAction::Undo};
    // Every file must still be what the repair left, and every place it came from free, before anything moves.
    for (std::size_t index = 0; index < repair->steps.size(); ++index) {
        const JournalStep& step = repair->steps[index];
        if (fileDigest(step.to) != step.digest)
            return {RepairProblem::ChangedSinceRepair, step.to, 0, RepairAction::Undo};
        // A place a later step filled (a file set aside to make room) is free again by the time this one goes back.
        const bool freedFirst = std::any_of(repair->steps.begin() + static_cast<long>(index) + 1, repair->steps.end(),
                                            [&](const JournalStep& later) { return later.to == step.from; });
        if (!freedFirst && isPresent(step.from)) return {RepairProblem::TargetTaken, step.from, 0, RepairAction::Undo};
    }
    if (!markEnd(files, *repair, "undo"))
        return {RepairProblem::JournalRefused, repair->journal, 0, RepairAction::Undo};
    for (std::size_t index = repair->steps.size(); index-- > 0;) {
        // A step that cannot go back carries the repair through again, so the folder stays as the repair left it.
        if (!moveBack(files, repair->steps[index]))
            return carryThrough(files, *repair,
                                {RepairProblem::RolledBack, repair->steps[index].to, 0, RepairAction::Undo},
                                "finished");
        mark(files, *repair, index, false);
    }
    removeEmptySetAsideFolders(files, repair->steps);
    if (allAt(*repair, StepPlace::AtSource) && markEnd(files, *repair, "undone"))
        return {RepairProblem::None, {}, static_cast<int>(repair->steps.size()), RepairAction::Undo};
    return carryThrough(files, *repair, {RepairProblem::JournalRefused, repair->journal, 0, RepairAction::Undo},
                        "finished");
}

namespace {

// An interrupted repair carried to one end: every file back at its source, or every file at its target.
RepairOutcome recoverInterrupted(const fs::path& game, bool running, const RepairFiles& files, RepairAction action) {
    if (running) return {RepairProblem::GameRunning, {}, 0, action};
    const auto repair = interruptedRepair(game);
    if (!repair) return {RepairProblem::NothingToUndo, {}, 0, action};
    const auto places = judgedPlaces(*repair);
    const StepPlace end = action == RepairAction::PutBack ? StepPlace::AtSource : StepPlace::AtTarget;
    const auto moves = std::count_if(places.begin(), places.end(), [&](StepPlace place) { return place != end; });
    const RepairOutcome outcome{RepairProblem::None, {}, static_cast<int>(moves), action};
    return action == RepairAction::PutBack ? putBack(files, *repair, outcome, "put back")
                                           : carryThrough(files, *repair, outcome, "finished");
}

}  // namespace

RepairOutcome putBackInterruptedRepair(const fs::path& game, bool running, const RepairFiles& files) {
    return recoverInterrupted(game, running, files, RepairAction::PutBack);
}

RepairOutcome finishInterruptedRepair(const fs::path& game, bool running, const RepairFiles& files) {
    return recoverInterrupted(game, running, files, RepairAction::Finish);
}

bool gameIsRunning() {
#ifdef _WIN32
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !running; more = Process32NextW(snapshot, &entry))
        running = _wcsicmp(entry.szExeFile, L"RDR2.exe") == 0;
    CloseHandle(snapshot);
    return running;
#else
    return false;
#endif
}

// A test-only build of the doctor's repairs, for the fixture scripts natively
// and under wine: the shipped tool reads no test switch, so the refusals and
// stops these runs need come through the file operations passed in.
// Usage: repair_probe move FROM TO
//        repair_probe fix|undo GAME_FOLDER [refuse N | stop N] [other-volume]
// A run prints what the player would read and, last, "operations: N".
#include "faulty_repair_files.h"
#include "pellimore/common/platform.h"
#include "pellimore/doctor/doctor_wording.h"
#include "pellimore/doctor/repair_run.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

int usage() {
    std::cerr << "usage: repair_probe move FROM TO | repair_probe fix|undo GAME_FOLDER [refuse N | stop N] "
                 "[other-volume]\n";
    return 2;
}

FaultPlan faultPlanOf(const std::vector<std::string>& words) {
    FaultPlan plan;
    for (std::size_t index = 0; index < words.size(); ++index) {
        if (words[index] == "other-volume") plan.otherVolume = true;
        if ((words[index] == "refuse" || words[index] == "stop") && index + 1 < words.size()) {
            plan.fault = words[index] == "refuse" ? Fault::Refuse : Fault::StopDead;
            plan.atOperation = std::atoi(words[index + 1].c_str());
        }
    }
    return plan;
}

int run(const std::string& action, const std::filesystem::path& game, const FaultPlan& faults) {
    const auto count = std::make_shared<OperationCount>();
    const RepairFiles files = faultyRepairFiles(faults, count);
    const RepairOutcome outcome =
        action == "fix"
            ? runRepairs(
                  game,
                  planRepairs(game, diagnoseGameFolder(game, runningDoctorContext({playerLayout(KeyboardLayout::Us)})),
                              "20261209-1200"),
                  false, files)
            : undoLastRepair(game, false, files);
    std::cout << repairOutcomeSentence(Voice{}, game, outcome) << "\n";
    for (const FilePlace& place : outcome.places) std::cout << "  " << filePlaceSentence(Voice{}, game, place) << "\n";
    std::cout << "operations: " << count->value << "\n";
    return outcome.problem == RepairProblem::None ? 0 : 2;
}

}  // namespace

int main(int argc, char** argv) {
    prepareConsole();
    const std::vector<std::string> words(argv + 1, argv + argc);
    if (words.size() == 3 && words[0] == "move")
        return systemRepairFiles().move(pathFromText(words[1]), pathFromText(words[2])) == MoveResult::Moved ? 0 : 1;
    if (words.size() < 2 || (words[0] != "fix" && words[0] != "undo")) return usage();
    return run(words[0], pathFromText(words[1]), faultPlanOf({words.begin() + 2, words.end()}));
}

#include "pellimore/doctor/repair_flow.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"
#include "pellimore/doctor/doctor.h"
#include "pellimore/doctor/doctor_wording.h"
#include "pellimore/doctor/repair_run.h"

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

namespace fs = std::filesystem;

// "20261208-2312": the .bak names of one repair share it.
std::string repairStamp() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[16];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M", std::localtime(&now));
    return text;
}

// Test hooks: PELLIMORE_TEST_FAIL_STEP and PELLIMORE_TEST_FAIL_ROLLBACK_STEP make that step fail.
RepairFailures failuresFromEnvironment() {
    const auto number = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? std::atoi(value) : 0;
    };
    return {number("PELLIMORE_TEST_FAIL_STEP"), number("PELLIMORE_TEST_FAIL_ROLLBACK_STEP")};
}

void printPlan(const fs::path& game, const RepairPlan& plan, std::ostream& out) {
    out << "\n" << wrappedText(repairPlanHeading(plan)) << "\n";
    for (const RepairStep& step : plan.steps)
        out << "  " << wrappedText(repairStepSentence(game, step), consoleWidth, 4, 2) << "\n";
    for (const fs::path& file : plan.leftAlone)
        out << "  " << wrappedText(leftAloneSentence(file), consoleWidth, 4, 2) << "\n";
}

// After a repair or an undo: what happened, then the doctor's findings anew.
int reportOutcome(const fs::path& game, const RepairOutcome& outcome, std::ostream& out) {
    out << "\n" << wrappedText(repairOutcomeSentence(outcome)) << "\n\n";
    const DoctorReport again = diagnoseGameFolder(game);
    printDoctorReport(again, out);
    return outcome.problem == RepairProblem::None ? again.exitStatus : exitFailed;
}

int repair(const fs::path& game, const RepairPlan& plan, std::ostream& out) {
    return reportOutcome(game, runRepairs(game, plan, gameIsRunning(), failuresFromEnvironment()), out);
}

}  // namespace

int runDoctorFlow(const fs::path& game, RepairMode mode, std::istream& in, std::ostream& out) {
    if (mode == RepairMode::Undo)
        return reportOutcome(game, undoLastRepair(game, gameIsRunning(), failuresFromEnvironment()), out);
    const DoctorReport report = diagnoseGameFolder(game);
    printDoctorReport(report, out);
    if (mode == RepairMode::Report) return report.exitStatus;
    const RepairPlan whole = planRepairs(game, repairStamp());
    const RepairPlan plan = mode == RepairMode::Fix ? safeStepsOf(whole) : whole;
    if (plan.steps.empty()) return report.exitStatus;
    printPlan(game, plan, out);
    if (mode == RepairMode::DryRun) return out << "\n" << wrappedText(dryRunSentence()) << "\n", report.exitStatus;
    if (mode == RepairMode::Fix) return repair(game, plan, out);
    out << "\n" << repairQuestion() << std::flush;
    if (!isYesAnswer(readAnswerLine(in)))
        return out << "\n" << wrappedText(declinedSentence()) << "\n", report.exitStatus;
    return repair(game, plan, out);
}

#include "pellimore/doctor/repair_flow.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"
#include "pellimore/doctor/doctor.h"
#include "pellimore/doctor/doctor_wording.h"
#include "pellimore/doctor/repair_journal.h"
#include "pellimore/doctor/repair_run.h"

#include <algorithm>
#include <chrono>
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

void printPlan(const Voice& voice, const fs::path& game, const RepairPlan& plan, std::ostream& out) {
    out << "\n" << wrappedText(repairPlanHeading(voice, plan)) << "\n";
    for (const RepairStep& step : plan.steps)
        out << "  " << wrappedText(repairStepSentence(voice, game, step), consoleWidth, 4, 2) << "\n";
    for (const fs::path& file : plan.leftAlone)
        out << "  " << wrappedText(leftAloneSentence(voice, file), consoleWidth, 4, 2) << "\n";
}

// After a repair, an undo or a recovery: what the files show, where a module set aside went, then the
// doctor's findings anew.
int reportOutcome(const Voice& voice, const fs::path& game, const RepairOutcome& outcome, std::ostream& out,
                  const RepairPlan& plan = {}) {
    out << "\n" << wrappedText(repairOutcomeSentence(voice, game, outcome)) << "\n";
    for (const FilePlace& place : outcome.places)
        out << "  " << wrappedText(filePlaceSentence(voice, game, place), consoleWidth, 4, 2) << "\n";
    for (const RepairStep& step : plan.steps)
        if (outcome.problem == RepairProblem::None && step.reason == RepairReason::ModuleCopySetAside)
            out << "  "
                << wrappedText(filePlaceSentence(voice, game, {game / step.from, game / step.to, StepPlace::AtTarget}),
                               consoleWidth, 4, 2)
                << "\n";
    out << "\n";
    const DoctorReport again = diagnoseGameFolder(game, runningDoctorContext(voice.layouts));
    printDoctorReport(voice, again, out);
    return outcome.problem == RepairProblem::None ? again.exitStatus : exitFailed;
}

// An interrupted repair comes first: it is put back or finished before anything else is planned.
int recoverInterrupted(const Voice& voice, const fs::path& game, RepairMode mode, const DoctorReport& report,
                       std::istream& in, std::ostream& out) {
    if (mode == RepairMode::Fix)
        return out << "\n" << wrappedText(interruptedFixRefusedSentence(voice)) << "\n", exitFailed;
    if (mode != RepairMode::Ask)
        return out << "\n" << wrappedText(interruptedHowSentence(voice)) << "\n", report.exitStatus;
    out << "\n" << wrappedText(interruptedQuestion(voice)) << " " << std::flush;
    const std::string answer = readAnswerLine(in);
    if (answer == "1") return reportOutcome(voice, game, putBackInterruptedRepair(game, gameIsRunning()), out);
    if (answer == "2") return reportOutcome(voice, game, finishInterruptedRepair(game, gameIsRunning()), out);
    return out << "\n" << wrappedText(declinedSentence(voice)) << "\n", report.exitStatus;
}

// The question, and once more where the answer was neither yes nor no.
bool askedYes(const Voice& voice, std::istream& in, std::ostream& out) {
    out << "\n" << repairQuestion(voice) << std::flush;
    std::string answer = readAnswerLine(in);
    if (!isYesAnswer(voice, answer) && !isNoAnswer(voice, answer)) {
        out << repairQuestion(voice) << std::flush;
        answer = readAnswerLine(in);
    }
    return isYesAnswer(voice, answer);
}

bool gameRunningFound(const DoctorReport& report) {
    return std::any_of(report.findings.begin(), report.findings.end(),
                       [](const Finding& finding) { return finding.kind == DoctorFindingKind::GameRunning; });
}

// The choices only the player can make, each asked on its own: its answer adds the steps that keep that file.
RepairPlan askChoices(const Voice& voice, const fs::path& game, RepairPlan plan, const std::string& stamp,
                      std::istream& in, std::ostream& out) {
    for (const RepairChoice& choice : std::vector<RepairChoice>(plan.choices)) {
        out << "\n"
            << wrappedText(repairChoiceSentence(voice, game, choice)) << "\n"
            << repairChoiceQuestion(voice) << std::flush;
        const std::string answer = readAnswerLine(in);
        plan = withAnswer(game, plan, choice, answer == "1" ? 1 : answer == "2" ? 2 : 0, stamp);
    }
    return plan;
}

}  // namespace

int runDoctorFlow(const Voice& voice, const fs::path& game, RepairMode mode, std::istream& in, std::ostream& out) {
    if (mode == RepairMode::Undo) return reportOutcome(voice, game, undoLastRepair(game, gameIsRunning()), out);
    const auto interrupted = interruptedRepair(game);
    if (interrupted) out << wrappedText(interruptedSentence(voice, game, *interrupted)) << "\n\n";
    const DoctorReport report = diagnoseGameFolder(game, runningDoctorContext(voice.layouts));
    printDoctorReport(voice, report, out, mode == RepairMode::Fix);
    if (interrupted) return recoverInterrupted(voice, game, mode, report, in, out);
    // While the game runs, its finding says so, and no question is asked that would be refused.
    if (mode == RepairMode::Report || gameRunningFound(report)) return report.exitStatus;
    const std::string stamp = repairStamp();
    RepairPlan plan = planRepairs(game, report, stamp);
    if (mode == RepairMode::Fix) plan = safeStepsOf(plan);
    if (mode == RepairMode::Ask) plan = askChoices(voice, game, plan, stamp, in, out);
    if (mode == RepairMode::DryRun)
        for (const RepairChoice& choice : plan.choices)
            out << "\n" << wrappedText(repairChoiceSentence(voice, game, choice)) << "\n";
    if (plan.steps.empty()) return report.exitStatus;
    printPlan(voice, game, plan, out);
    if (mode == RepairMode::DryRun) return out << "\n" << wrappedText(dryRunSentence(voice)) << "\n", report.exitStatus;
    if (mode == RepairMode::Fix) return reportOutcome(voice, game, runRepairs(game, plan, gameIsRunning()), out, plan);
    if (!askedYes(voice, in, out))
        return out << "\n" << wrappedText(declinedSentence(voice)) << "\n", report.exitStatus;
    return reportOutcome(voice, game, runRepairs(game, plan, gameIsRunning()), out, plan);
}

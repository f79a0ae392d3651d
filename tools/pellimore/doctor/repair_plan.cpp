#include "pellimore/doctor/repair_plan.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"

#include <algorithm>

namespace doctor {

namespace {

// Mod managers deploy by links; such a file is theirs to move.
bool isLinked(const fs::path& file) {
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(file, error)) || fs::hard_link_count(file, error) > 1;
}

class Planner {
public:
    Planner(const fs::path& game, const std::string& stamp, RepairPlan plan = {})
        : game(game), stamp(stamp), plan(std::move(plan)) {}

    // A move, with whatever stands at the target set aside first.
    void add(RepairReason reason, const fs::path& from, const fs::path& to, bool consent) {
        if (isLinked(game / from)) {
            plan.leftAlone.push_back(from);
            return;
        }
        if (exists(to) && !leaving(to)) setAside(to, consent);
        plan.steps.push_back({reason, from, to, consent});
    }

    // A file kept under a .bak name beside where it is.
    void setAside(const fs::path& file, bool consent, RepairReason reason = RepairReason::SetAside) {
        if (isLinked(game / file)) {
            plan.leftAlone.push_back(file);
            return;
        }
        plan.steps.push_back({reason, file, bakName(file), consent});
    }

    // A module out of the loader's reach, into the set-aside folder: the loader loads every .asi, even a .bak one
    // would not load, but a module kept whole under its name is easier to find again.
    void moduleAside(const fs::path& module, bool consent) {
        add(RepairReason::ModuleCopySetAside, module, setAsideFolder() / module.filename(), consent);
    }

    // "Pellimore.ini.20261208-2312.bak", with a counter where that is taken.
    fs::path bakName(const fs::path& file) const {
        for (int counter = 0;; ++counter) {
            fs::path name = file;
            name += "." + stamp + (counter ? "-" + std::to_string(counter) : "") + ".bak";
            if (!exists(name)) return name;
        }
    }

    fs::path setAsideFolder() const {
        const auto tools = findEntry(game, "Pellimore-tools");
        return tools ? tools->filename() / "set-aside" : fs::path("Pellimore-set-aside");
    }

    bool planned(const fs::path& target) const {
        return std::any_of(plan.steps.begin(), plan.steps.end(),
                           [&](const RepairStep& step) { return step.to == target; });
    }
    bool leaving(const fs::path& file) const {
        return std::any_of(plan.steps.begin(), plan.steps.end(),
                           [&](const RepairStep& step) { return step.from == file; });
    }
    // Whether something stands there, now or once the steps so far are made.
    bool exists(const fs::path& relative) const {
        std::error_code error;
        return (fs::exists(game / relative, error) && !leaving(relative)) || planned(relative);
    }

    const fs::path game;
    const std::string stamp;
    RepairPlan plan;
};

bool hasSettingsToMoveIn(const DoctorReport& report) {
    return std::any_of(report.findings.begin(), report.findings.end(), [](const Finding& finding) {
        return !finding.source.empty() && (finding.kind == DoctorFindingKind::SettingsNeverRead ||
                                           finding.kind == DoctorFindingKind::SettingsNamedTxt ||
                                           finding.kind == DoctorFindingKind::SettingsNamedOther);
    });
}

// A settings file the game never reads, where it holds the player's keys: into Pellimore.ini's place. Only one
// can go there; without a Pellimore.ini and with only one such file, it is surely meant.
void planSettingsIn(Planner& planner, const Finding& finding, bool onlyCandidate) {
    if (planner.exists("Pellimore.ini") && !finding.realOne) return;
    planner.add(RepairReason::SettingsRenamed, finding.source, "Pellimore.ini", finding.realOne || !onlyCandidate);
}

// A second module: set aside, or kept in place of the installed one, or left to the player.
void planModule(Planner& planner, const Finding& finding, RepairPlan& plan, bool inReleaseFolder) {
    if (finding.kept == ModuleKept::PlayerChooses) {
        plan.choices.push_back({"Pellimore.asi", finding.source, true});
    } else if (finding.kept == ModuleKept::Other) {
        if (planner.exists("Pellimore.asi")) planner.moduleAside("Pellimore.asi", true);
        planner.add(RepairReason::ModuleKeptNewer, finding.source, "Pellimore.asi", true);
    } else if (!inReleaseFolder) {
        planner.moduleAside(finding.source, false);
    }
}

int settingsCandidates(const DoctorReport& report) {
    return static_cast<int>(std::count_if(report.findings.begin(), report.findings.end(), [](const Finding& finding) {
        return !finding.source.empty() && (finding.kind == DoctorFindingKind::SettingsNeverRead ||
                                           finding.kind == DoctorFindingKind::SettingsNamedTxt ||
                                           finding.kind == DoctorFindingKind::SettingsNamedOther);
    }));
}

// Each kind of finding the doctor can repair, and its steps; the others say how to do it by hand.
void planFinding(Planner& planner, const Finding& finding, const DoctorReport& report) {
    if (finding.source.empty()) return;
    switch (finding.kind) {
        case DoctorFindingKind::ModuleMisplaced:
            planner.add(RepairReason::ModuleFromRelease, finding.source, "Pellimore.asi", false);
            return;
        case DoctorFindingKind::ModuleUpdateWaiting: planModule(planner, finding, planner.plan, true); return;
        case DoctorFindingKind::ModuleSecondCopy: planModule(planner, finding, planner.plan, false); return;
        case DoctorFindingKind::ModuleSwitchedOff:
            if (!planner.exists("Pellimore.asi"))
                planner.add(RepairReason::ModuleSwitchedOn, finding.source, "Pellimore.asi", true);
            return;
        case DoctorFindingKind::HookFileMisplaced:
            planner.add(RepairReason::HookFromBin, finding.source, finding.source.filename(), true);
            return;
        case DoctorFindingKind::NoSettings:
            // The player's keys always win: the shipped file goes in only where no other file of theirs could.
            if (!hasSettingsToMoveIn(report))
                planner.add(RepairReason::SettingsFromRelease, finding.source, "Pellimore.ini", false);
            return;
        case DoctorFindingKind::SettingsNeverRead:
        case DoctorFindingKind::SettingsNamedTxt:
        case DoctorFindingKind::SettingsNamedOther:
            planSettingsIn(planner, finding, settingsCandidates(report) == 1);
            return;
        case DoctorFindingKind::SettingsDefaultsCopy:
            planner.setAside(finding.source, false, RepairReason::AddsNothing);
            return;
        case DoctorFindingKind::SettingsTwoDiffer:
            planner.plan.choices.push_back({"Pellimore.ini", finding.source, false});
            return;
        case DoctorFindingKind::GameFolder:
        case DoctorFindingKind::NotGameFolder:
        case DoctorFindingKind::HookFileInstalled:
        case DoctorFindingKind::HookFileDamaged:
        case DoctorFindingKind::HookFileMissing:
        case DoctorFindingKind::OtherLoaderOnly:
        case DoctorFindingKind::SecondLoader:
        case DoctorFindingKind::ModuleDamaged:
        case DoctorFindingKind::ModuleExtraCopies:
        case DoctorFindingKind::ModuleMissing:
        case DoctorFindingKind::ModuleMissingAfterInstall:
        case DoctorFindingKind::ModuleNotReleased:
        case DoctorFindingKind::DownloadMarked:
        case DoctorFindingKind::ModuleWithoutVersion:
        case DoctorFindingKind::ModuleOtherVersion:
        case DoctorFindingKind::ModuleSameVersion:
        case DoctorFindingKind::SettingsFolder:
        case DoctorFindingKind::SettingsVerdict:
        case DoctorFindingKind::NoHookLog:
        case DoctorFindingKind::HookLogFatal:
        case DoctorFindingKind::HookLogRunning:
        case DoctorFindingKind::HookLogNotStarted:
        case DoctorFindingKind::HookLogWithoutPellimore:
        case DoctorFindingKind::HookLogUndated:
        case DoctorFindingKind::HookLogNoScripts:
        case DoctorFindingKind::UnderProgramFiles:
        case DoctorFindingKind::NonAsciiPath:
        case DoctorFindingKind::PageDownloadWaiting:
            // The player's newest keys from the page: with a Pellimore.ini to replace, only by the player's choice.
            if (finding.realOne)
                planner.plan.choices.push_back({"Pellimore.ini", finding.source, false});
            else
                planner.add(RepairReason::SettingsRenamed, finding.source, "Pellimore.ini", true);
            return;
        case DoctorFindingKind::SettingsWalkingKey:
        case DoctorFindingKind::SettingsReadOnly:
        case DoctorFindingKind::GameRunning: return;
    }
}

}  // namespace

}  // namespace doctor

RepairPlan planRepairs(const std::filesystem::path& game, const DoctorReport& report, const std::string& stamp) {
    doctor::Planner planner(game, stamp);
    for (const Finding& finding : report.findings) doctor::planFinding(planner, finding, report);
    return planner.plan;
}

RepairPlan withAnswer(const std::filesystem::path& game, RepairPlan plan, const RepairChoice& choice, int answer,
                      const std::string& stamp) {
    if (answer != 1 && answer != 2) return plan;
    doctor::Planner planner(game, stamp, std::move(plan));
    const bool otherLoads = choice.module && choice.other.parent_path().empty();
    // A file from outside the game folder (the page's download) that the player does not keep stays where it is.
    const bool otherInGame = !choice.other.is_absolute();
    if (answer == 1 && choice.module && otherLoads) planner.moduleAside(choice.other, true);
    if (answer == 1 && !choice.module && otherInGame) planner.setAside(choice.other, true, RepairReason::NotKept);
    if (answer == 2 && choice.module) planner.moduleAside(choice.installed, true);
    if (answer == 2 && !choice.module) planner.setAside(choice.installed, true, RepairReason::NotKept);
    if (answer == 2)
        planner.add(choice.module ? RepairReason::ModuleKeptNewer : RepairReason::SettingsRenamed, choice.other,
                    choice.installed, true);
    return planner.plan;
}

RepairPlan safeStepsOf(const RepairPlan& plan) {
    RepairPlan safe{{}, plan.leftAlone, {}};
    for (const RepairStep& step : plan.steps)
        if (!step.needsConsent) safe.steps.push_back(step);
    return safe;
}

#include "pellimore/doctor/doctor_wording.h"

#include "pellimore/check/check_wording.h"
#include "pellimore/doctor/doctor_checks.h"
#include "pellimore/doctor/install_record.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"
#include "settings/settings_evaluation.h"

#include <algorithm>

namespace {

// Paths listed, each kept whole on a line.
std::string listed(const std::vector<std::string>& paths) {
    std::vector<std::string> kept;
    for (const std::string& path : paths) kept.push_back(unbreakable(path));
    return joinedText(kept, ", ");
}

std::string scriptsListed(const std::vector<std::string>& scripts) {
    std::vector<std::string> shownScripts;
    for (const auto& script : scripts) shownScripts.push_back(shownAsText(script));
    return joinedText(shownScripts, ", ");
}

std::string number(std::size_t value) { return std::to_string(value); }

// What the game makes of the settings file, and where a player sees the details.
std::string settingsVerdict(const Finding& finding) {
    if (finding.empty) return say("doctor.settings.empty");
    if (finding.settingsVerdict == exitAllGood) return say("doctor.settings.fine");
    if (finding.settingsVerdict == exitFailed) return say("doctor.settings.fails");
    return sayCounted("doctor.settings.points", finding.count, {{"count", number(finding.count)}});
}

std::string fatalSentence(const Finding& finding) {
    const std::string line = shownAsText(finding.text);
    if (!finding.native)
        return say(lowerCase(finding.text).find("version") != std::string::npos ? "doctor.log.fatal.version"
                                                                                : "doctor.log.fatal",
                   {{"line", line}});
    std::vector<std::string> names;
    for (const MeleeAction move : finding.moves) names.emplace_back(playerName(move));
    if (finding.moves.size() == static_cast<std::size_t>(meleeActionCount))
        return say("doctor.log.fatal.natives.all", {{"line", line}});
    if (names.empty()) return say("doctor.log.fatal.natives", {{"line", line}});
    return say("doctor.log.fatal.natives.some", {{"line", line}, {"moves", joinedText(names, ", ")}});
}

std::string misplacedModuleSentence(const Finding& finding) {
    return say(finding.extracted ? "doctor.module.misplaced.extracted" : "doctor.module.misplaced",
               {{"folder", unbreakable(finding.file)}});
}

std::string namedOtherSentence(std::string_view key, const Finding& finding) {
    return say(std::string(key) + (finding.realOne ? ".replacing" : ""), {{"file", unbreakable(finding.file)}});
}

// The sentences that name a file, the files found and the versions: most of the doctor's.
std::string fileSentence(std::string_view key, const Finding& finding) {
    return say(key, {{"file", unbreakable(finding.file)},
                     {"paths", listed(finding.paths)},
                     {"scripts", scriptsListed(finding.paths)},
                     {"version", finding.version},
                     {"tool_version", PELLIMORE_VERSION},
                     {"role", say(finding.hookFile == HookFile::Hook ? "doctor.role.hook" : "doctor.role.loader")}});
}

// The default keys, and on a keyboard that walks with some of them, which ones to change.
std::string noSettingsSentence(const Finding& finding) {
    if (finding.moves.empty()) return say("doctor.settings.none");
    std::vector<std::string> moves;
    for (const MeleeAction move : finding.moves)
        moves.push_back(say("doctor.settings.none.walking.move",
                            {{"move", playerName(move)}, {"key", shownKeyLabel(defaultCode(moveRow(move).key))}}));
    return say("doctor.settings.none") + ". " +
           say("doctor.settings.none.walking", {{"layout", finding.layout}, {"moves", joinedText(moves, ", ")}});
}

// The files that show Pellimore was installed; the doctor's own record of an earlier look is said as such.
std::string quarantinedSentence(Finding finding) {
    for (std::string& evidence : finding.paths)
        if (evidence == installRecordName) evidence = say("doctor.evidence.seen_before");
    return fileSentence("doctor.module.quarantined", finding);
}

}  // namespace

std::string doctorHeading(const DoctorReport& report, bool fixing) {
    const bool gameFolder = report.findings.empty() || report.findings.front().kind != DoctorFindingKind::NotGameFolder;
    return say(fixing ? "doctor.heading.fix" : "doctor.heading") + "\n" +
           say(gameFolder ? "doctor.heading.game_folder" : "doctor.heading.folder_checked",
               {{"path", unbreakable(report.folder)}});
}

namespace {

std::string bareTag(Severity severity) {
    switch (severity) {
        case Severity::Ok: return say("doctor.tag.ok");
        case Severity::Note: return say("doctor.tag.note");
        case Severity::Attention: return say("doctor.tag.check");
        case Severity::Blocker: return say("doctor.tag.fix");
    }
    return "";
}

}  // namespace

std::string severityTag(Severity severity) {
    std::size_t width = 0;
    for (const Severity each : {Severity::Ok, Severity::Note, Severity::Attention, Severity::Blocker})
        width = std::max(width, shownWidth(bareTag(each)));
    const std::string tag = bareTag(severity);
    return tag + std::string(width - shownWidth(tag), ' ');
}

std::string doctorFindingSentence(const Finding& finding) {
    switch (finding.kind) {
        case DoctorFindingKind::GameFolder: return say("doctor.game_folder");
        case DoctorFindingKind::NotGameFolder: return say("doctor.not_game_folder");
        case DoctorFindingKind::HookFileInstalled: return fileSentence("doctor.hook.installed", finding);
        case DoctorFindingKind::HookFileDamaged: return fileSentence("doctor.hook.damaged", finding);
        case DoctorFindingKind::HookFileMisplaced: return fileSentence("doctor.hook.misplaced", finding);
        case DoctorFindingKind::HookFileMissing: return fileSentence("doctor.hook.missing", finding);
        case DoctorFindingKind::OtherLoaderOnly: return fileSentence("doctor.loader.other_only", finding);
        case DoctorFindingKind::SecondLoader: return fileSentence("doctor.loader.second", finding);
        case DoctorFindingKind::ModuleDamaged: return say("doctor.module.damaged");
        case DoctorFindingKind::ModuleExtraCopies: return fileSentence("doctor.module.extra_copies", finding);
        case DoctorFindingKind::ModuleMisplaced: return misplacedModuleSentence(finding);
        case DoctorFindingKind::ModuleMissing: return say("doctor.module.missing");
        case DoctorFindingKind::ModuleMissingAfterInstall: return quarantinedSentence(finding);
        case DoctorFindingKind::ModuleNotReleased:
            return fileSentence(
                finding.seenRunning ? "doctor.module.not_released.running" : "doctor.module.not_released", finding);
        case DoctorFindingKind::DownloadMarked: return say("doctor.download_marked");
        case DoctorFindingKind::ModuleSwitchedOff: return fileSentence("doctor.module.switched_off", finding);
        case DoctorFindingKind::ModuleWithoutVersion: return fileSentence("doctor.module.without_version", finding);
        case DoctorFindingKind::ModuleOtherVersion: return fileSentence("doctor.module.other_version", finding);
        case DoctorFindingKind::ModuleSameVersion: return fileSentence("doctor.module.same_version", finding);
        case DoctorFindingKind::ModuleSecondCopy:
            return fileSentence(finding.kept == ModuleKept::Installed ? "doctor.module.second_copy"
                                : finding.kept == ModuleKept::Other   ? "doctor.module.second_copy.kept"
                                                                      : "doctor.module.second_copy.choice",
                                finding);
        case DoctorFindingKind::SettingsNeverRead: return fileSentence("doctor.settings.never_read", finding);
        case DoctorFindingKind::NoSettings: return noSettingsSentence(finding);
        case DoctorFindingKind::SettingsWalkingKey:
            return say("check.walking_key", {{"move", playerName(finding.moves.front())},
                                             {"key", shownKeyLabel(finding.keyCode)},
                                             {"layout", finding.layout}});
        case DoctorFindingKind::SettingsFolder: return say("doctor.settings.folder");
        case DoctorFindingKind::SettingsVerdict:
            return say("doctor.settings.verdict", {{"verdict", settingsVerdict(finding)}});
        case DoctorFindingKind::SettingsNamedTxt: return namedOtherSentence("doctor.settings.named_txt", finding);
        case DoctorFindingKind::SettingsNamedOther: return namedOtherSentence("doctor.settings.named_other", finding);
        case DoctorFindingKind::SettingsDefaultsCopy: return fileSentence("doctor.settings.adds_nothing", finding);
        case DoctorFindingKind::SettingsTwoDiffer: return fileSentence("doctor.settings.two_differ", finding);
        case DoctorFindingKind::GameRunning: return say("doctor.game_running");
        case DoctorFindingKind::SettingsReadOnly: return say("doctor.settings.read_only");
        case DoctorFindingKind::PageDownloadWaiting:
            return fileSentence(
                finding.realOne ? "doctor.settings.page_download" : "doctor.settings.page_download.only", finding);
        case DoctorFindingKind::ModuleUpdateWaiting:
            return fileSentence(
                finding.kept == ModuleKept::Other ? "doctor.module.update_waiting" : "doctor.module.update_choice",
                finding);
        case DoctorFindingKind::NoHookLog: return say("doctor.log.none");
        case DoctorFindingKind::HookLogFatal: return fatalSentence(finding);
        case DoctorFindingKind::HookLogRunning: return say("doctor.log.running");
        case DoctorFindingKind::HookLogNotStarted: return say("doctor.log.not_started");
        case DoctorFindingKind::HookLogWithoutPellimore: return fileSentence("doctor.log.without_pellimore", finding);
        case DoctorFindingKind::HookLogUndated: return fileSentence("doctor.log.undated", finding);
        case DoctorFindingKind::HookLogNoScripts: return say("doctor.log.no_scripts");
        case DoctorFindingKind::UnderProgramFiles: return say("doctor.program_files");
        case DoctorFindingKind::NonAsciiPath: return say("doctor.non_ascii_path");
    }
    return "";
}

std::string straySettingsHeading() { return say("doctor.stray_settings"); }

std::string doctorVerdictSentence(ExitStatus status) {
    switch (status) {
        case exitFailed: return say("doctor.verdict.fails");
        case exitWithWarnings: return say("doctor.verdict.attention");
        case exitAllGood: return say("doctor.verdict.fine");
    }
    return "";
}

namespace {

std::string shownPath(const std::filesystem::path& path) { return unbreakable(doctor::shown(path)); }

// What a step is for, in a few words after the move itself.
std::string stepPurpose(RepairReason reason) {
    switch (reason) {
        case RepairReason::ModuleFromRelease: return say("repair.purpose.module");
        case RepairReason::SettingsFromRelease: return say("repair.purpose.shipped_settings");
        case RepairReason::SettingsRenamed: return say("repair.purpose.settings_renamed");
        case RepairReason::ModuleCopySetAside: return say("repair.purpose.copy_set_aside");
        case RepairReason::ModuleSwitchedOn: return say("repair.purpose.switched_on");
        case RepairReason::HookFromBin: return say("repair.purpose.hook_from_bin");
        case RepairReason::SetAside: return say("repair.purpose.set_aside");
        case RepairReason::AddsNothing: return say("repair.purpose.adds_nothing");
        case RepairReason::NotKept: return say("repair.purpose.not_kept");
        case RepairReason::ModuleKeptNewer: return say("repair.purpose.kept_module");
    }
    return "";
}

// Where Windows refused, the last advice is to run the doctor as administrator.
std::string refused(std::string_view key, const std::string& file) {
    return say(key, {{"file", file}}) + " " + say("repair.administrator");
}

}  // namespace

std::string repairPlanHeading(const RepairPlan& plan) {
    const bool asks =
        std::any_of(plan.steps.begin(), plan.steps.end(), [](const RepairStep& step) { return step.needsConsent; });
    return say(asks ? "repair.heading.asks" : "repair.heading");
}

std::string repairStepSentence(const std::filesystem::path& game, const RepairStep& step) {
    const bool rename = step.reason == RepairReason::SetAside || step.reason == RepairReason::ModuleSwitchedOn ||
                        step.reason == RepairReason::AddsNothing || step.reason == RepairReason::NotKept;
    return say(rename ? "repair.step.rename" : "repair.step.move", {{"from", shownPath(game / step.from)},
                                                                    {"to", shownPath(game / step.to)},
                                                                    {"purpose", stepPurpose(step.reason)}}) +
           (step.needsConsent ? " " + say("repair.step.your_call") : "");
}

std::string leftAloneSentence(const std::filesystem::path& file) {
    return say("repair.left_alone", {{"file", shownPath(file)}});
}

std::string repairQuestion() { return say("repair.question") + " "; }

std::string declinedSentence() { return say("repair.declined"); }

std::string dryRunSentence() { return say("repair.dry_run"); }

namespace {

// A path the journal holds (absolute) as the plan showed it: from the game folder as the player gave it.
std::string shownJournalPath(const std::filesystem::path& game, const std::filesystem::path& path) {
    std::error_code error;
    const auto inside = path.lexically_relative(std::filesystem::absolute(game, error).lexically_normal());
    return shownPath(!inside.empty() && *inside.begin() != ".." ? game / inside : path);
}

std::string doneSentence(const RepairOutcome& outcome) {
    const std::string count = std::to_string(outcome.stepsDone);
    switch (outcome.action) {
        case RepairAction::Repair: return sayCounted("repair.done", outcome.stepsDone, {{"count", count}});
        case RepairAction::Undo: return sayCounted("repair.done.undo", outcome.stepsDone, {{"count", count}});
        case RepairAction::PutBack: return say("repair.done.put_back");
        case RepairAction::Finish: return say("repair.done.finish");
    }
    return "";
}

}  // namespace

std::string repairOutcomeSentence(const std::filesystem::path& game, const RepairOutcome& outcome) {
    const std::string file = shownJournalPath(game, outcome.file.is_absolute() ? outcome.file : game / outcome.file);
    const bool undo = outcome.action == RepairAction::Undo;
    switch (outcome.problem) {
        case RepairProblem::None: return doneSentence(outcome);
        case RepairProblem::GameRunning: return say("repair.game_running");
        case RepairProblem::SourceMissing: return say("repair.source_missing", {{"file", file}});
        case RepairProblem::TargetTaken: return say("repair.target_taken", {{"file", file}});
        case RepairProblem::NotAllowed: return refused("repair.not_allowed", file);
        case RepairProblem::JournalRefused: return refused("repair.journal_refused", file);
        case RepairProblem::RolledBack: return refused(undo ? "repair.rolled_back.undo" : "repair.rolled_back", file);
        case RepairProblem::NotPutBack: return say("repair.not_put_back");
        case RepairProblem::NothingToUndo: return say("repair.nothing_to_undo");
        case RepairProblem::ChangedSinceRepair: return say("repair.changed_since", {{"file", file}});
    }
    return "";
}

std::string filePlaceSentence(const std::filesystem::path& game, const FilePlace& place) {
    const Filling from{"from", shownJournalPath(game, place.from)};
    const Filling to{"to", shownJournalPath(game, place.to)};
    switch (place.place) {
        case StepPlace::AtSource: return say("repair.place.source", {from});
        case StepPlace::AtTarget: return say("repair.place.target", {from, to});
        case StepPlace::AtBoth: return say("repair.place.both", {from, to});
        case StepPlace::Missing: return say("repair.place.missing", {from, to});
    }
    return "";
}

std::string interruptedSentence(const std::filesystem::path& game, const JournalRepair& repair) {
    std::vector<std::string> moved, notMoved, missing;
    const auto places = judgedPlaces(repair);
    for (std::size_t index = 0; index < places.size(); ++index) {
        const std::string from = shownJournalPath(game, repair.steps[index].from);
        (places[index] == StepPlace::AtSource  ? notMoved
         : places[index] == StepPlace::Missing ? missing
                                               : moved)
            .push_back(from);
    }
    const Filling time{"time", repair.time};
    std::string sentence = moved.empty()      ? say("repair.interrupted.none", {time})
                           : notMoved.empty() ? say("repair.interrupted.all", {time, {"moved", listed(moved)}})
                                              : say("repair.interrupted",
                                                    {time, {"moved", listed(moved)}, {"not_moved", listed(notMoved)}});
    if (!missing.empty()) sentence += " " + say("repair.interrupted.missing", {{"missing", listed(missing)}});
    return sentence;
}

std::string interruptedHowSentence() { return say("repair.interrupted.how"); }

std::string interruptedQuestion() { return say("repair.interrupted.question"); }

std::string interruptedFixRefusedSentence() { return say("repair.interrupted.fix_refused"); }

namespace {

// The moves whose keys differ between two settings files: "Knock out: Q (81) in 1, 75 in 2".
std::vector<std::string> keyDifferences(const std::filesystem::path& first, const std::filesystem::path& second) {
    const HotkeyBindings one = evaluateSettingsBytes(readWholeFile(first).value_or(""), HotkeyBindings{}).bindings;
    const HotkeyBindings two = evaluateSettingsBytes(readWholeFile(second).value_or(""), HotkeyBindings{}).bindings;
    std::vector<std::string> differences;
    for (const KeyOwner owner : loadOrder) {
        const auto binding = keyRow(owner).binding;
        if (!binding || one.*binding == two.*binding) continue;
        differences.push_back(say("repair.choice.difference", {{"move", playerName(owner)},
                                                               {"first", shownKeyLabel(one.*binding)},
                                                               {"second", shownKeyLabel(two.*binding)}}));
    }
    return differences;
}

}  // namespace

std::string repairChoiceSentence(const std::filesystem::path& game, const RepairChoice& choice) {
    const Filling first{"first", shownPath(game / choice.installed)};
    const Filling second{"second", shownPath(game / choice.other)};
    if (choice.module) return say("repair.choice.module", {first, second});
    const auto differences = keyDifferences(game / choice.installed, game / choice.other);
    return say("repair.choice.settings", {first, second, {"differences", joinedText(differences, "; ")}});
}

std::string repairChoiceQuestion() { return say("repair.choice.question") + " "; }

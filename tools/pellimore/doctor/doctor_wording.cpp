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
std::string settingsVerdict(const Voice& voice, const Finding& finding) {
    if (finding.empty) return say(voice, message::doctor_settings_empty);
    if (finding.settingsVerdict == exitAllGood) return say(voice, message::doctor_settings_fine);
    if (finding.settingsVerdict == exitFailed) return say(voice, message::doctor_settings_fails);
    return sayCounted(voice, message::doctor_settings_points, finding.count, {{"count", number(finding.count)}});
}

std::string fatalSentence(const Voice& voice, const Finding& finding) {
    const std::string line = shownAsText(finding.text);
    if (!finding.native)
        return say(voice,
                   lowerCase(finding.text).find("version") != std::string::npos ? message::doctor_log_fatal_version
                                                                                : message::doctor_log_fatal,
                   {{"line", line}});
    std::vector<std::string> names;
    for (const MeleeAction move : finding.moves) names.emplace_back(playerName(voice, move));
    if (finding.moves.size() == static_cast<std::size_t>(meleeActionCount))
        return say(voice, message::doctor_log_fatal_natives_all, {{"line", line}});
    if (names.empty()) return say(voice, message::doctor_log_fatal_natives, {{"line", line}});
    return say(voice, message::doctor_log_fatal_natives_some, {{"line", line}, {"moves", joinedText(names, ", ")}});
}

std::string misplacedModuleSentence(const Voice& voice, const Finding& finding) {
    return say(voice, finding.extracted ? message::doctor_module_misplaced_extracted : message::doctor_module_misplaced,
               {{"folder", unbreakable(finding.file)}});
}

// A settings file under another name: as it stands, or (`replacing`) beside a Pellimore.ini it would replace.
std::string namedOtherSentence(const Voice& voice, MessageKey alone, MessageKey replacing, const Finding& finding) {
    return say(voice, finding.realOne ? replacing : alone, {{"file", unbreakable(finding.file)}});
}

// The sentences that name a file, the files found and the versions: most of the doctor's.
std::string fileSentence(const Voice& voice, MessageKey key, const Finding& finding) {
    return say(voice, key,
               {{"file", unbreakable(finding.file)},
                {"paths", listed(finding.paths)},
                {"scripts", scriptsListed(finding.paths)},
                {"version", finding.version},
                {"tool_version", PELLIMORE_VERSION},
                {"role", say(voice, finding.hookFile == HookFile::Hook ? message::doctor_role_hook
                                                                       : message::doctor_role_loader)}});
}

// The default keys, and on a keyboard that walks with some of them, which ones to change.
std::string noSettingsSentence(const Voice& voice, const Finding& finding) {
    if (finding.moves.empty()) return say(voice, message::doctor_settings_none);
    std::vector<std::string> moves;
    for (const MeleeAction move : finding.moves)
        moves.push_back(
            say(voice, message::doctor_settings_none_walking_move,
                {{"move", playerName(voice, move)}, {"key", shownKeyLabel(voice, defaultCode(moveRow(move).key))}}));
    return say(voice, message::doctor_settings_none) + ". " +
           say(voice, message::doctor_settings_none_walking,
               {{"layout", finding.layout}, {"moves", joinedText(moves, ", ")}});
}

// The files that show Pellimore was installed; the doctor's own record of an earlier look is said as such.
std::string quarantinedSentence(const Voice& voice, Finding finding) {
    for (std::string& evidence : finding.paths)
        if (evidence == installRecordName) evidence = say(voice, message::doctor_evidence_seen_before);
    return fileSentence(voice, message::doctor_module_quarantined, finding);
}

}  // namespace

std::string doctorHeading(const Voice& voice, const DoctorReport& report, bool fixing) {
    const bool gameFolder = report.findings.empty() || report.findings.front().kind != DoctorFindingKind::NotGameFolder;
    return say(voice, fixing ? message::doctor_heading_fix : message::doctor_heading) + "\n" +
           say(voice, gameFolder ? message::doctor_heading_game_folder : message::doctor_heading_folder_checked,
               {{"path", unbreakable(report.folder)}});
}

namespace {

std::string bareTag(const Voice& voice, Severity severity) {
    switch (severity) {
        case Severity::Ok: return say(voice, message::doctor_tag_ok);
        case Severity::Note: return say(voice, message::doctor_tag_note);
        case Severity::Attention: return say(voice, message::doctor_tag_check);
        case Severity::Blocker: return say(voice, message::doctor_tag_fix);
    }
    return "";
}

}  // namespace

std::string severityTag(const Voice& voice, Severity severity) {
    std::size_t width = 0;
    for (const Severity each : {Severity::Ok, Severity::Note, Severity::Attention, Severity::Blocker})
        width = std::max(width, shownWidth(bareTag(voice, each)));
    const std::string tag = bareTag(voice, severity);
    return tag + std::string(width - shownWidth(tag), ' ');
}

std::string doctorFindingSentence(const Voice& voice, const Finding& finding) {
    switch (finding.kind) {
        case DoctorFindingKind::GameFolder: return say(voice, message::doctor_game_folder);
        case DoctorFindingKind::NotGameFolder: return say(voice, message::doctor_not_game_folder);
        case DoctorFindingKind::HookFileInstalled: return fileSentence(voice, message::doctor_hook_installed, finding);
        case DoctorFindingKind::HookFileDamaged: return fileSentence(voice, message::doctor_hook_damaged, finding);
        case DoctorFindingKind::HookFileMisplaced: return fileSentence(voice, message::doctor_hook_misplaced, finding);
        case DoctorFindingKind::HookFileMissing: return fileSentence(voice, message::doctor_hook_missing, finding);
        case DoctorFindingKind::OtherLoaderOnly: return fileSentence(voice, message::doctor_loader_other_only, finding);
        case DoctorFindingKind::SecondLoader: return fileSentence(voice, message::doctor_loader_second, finding);
        case DoctorFindingKind::ModuleDamaged: return say(voice, message::doctor_module_damaged);
        case DoctorFindingKind::ModuleExtraCopies:
            return fileSentence(voice, message::doctor_module_extra_copies, finding);
        case DoctorFindingKind::ModuleMisplaced: return misplacedModuleSentence(voice, finding);
        case DoctorFindingKind::ModuleMissing: return say(voice, message::doctor_module_missing);
        case DoctorFindingKind::ModuleMissingAfterInstall: return quarantinedSentence(voice, finding);
        case DoctorFindingKind::ModuleNotReleased:
            return fileSentence(
                voice,
                finding.seenRunning ? message::doctor_module_not_released_running : message::doctor_module_not_released,
                finding);
        case DoctorFindingKind::DownloadMarked: return say(voice, message::doctor_download_marked);
        case DoctorFindingKind::ModuleSwitchedOff:
            return fileSentence(voice, message::doctor_module_switched_off, finding);
        case DoctorFindingKind::ModuleWithoutVersion:
            return fileSentence(voice, message::doctor_module_without_version, finding);
        case DoctorFindingKind::ModuleOtherVersion:
            return fileSentence(voice, message::doctor_module_other_version, finding);
        case DoctorFindingKind::ModuleSameVersion:
            return fileSentence(voice, message::doctor_module_same_version, finding);
        case DoctorFindingKind::ModuleSecondCopy:
            return fileSentence(voice,
                                finding.kept == ModuleKept::Installed ? message::doctor_module_second_copy
                                : finding.kept == ModuleKept::Other   ? message::doctor_module_second_copy_kept
                                                                      : message::doctor_module_second_copy_choice,
                                finding);
        case DoctorFindingKind::SettingsNeverRead:
            return fileSentence(voice, message::doctor_settings_never_read, finding);
        case DoctorFindingKind::NoSettings: return noSettingsSentence(voice, finding);
        case DoctorFindingKind::SettingsWalkingKey:
            return say(voice, message::check_walking_key,
                       {{"move", playerName(voice, finding.moves.front())},
                        {"key", shownKeyLabel(voice, finding.keyCode)},
                        {"layout", finding.layout}});
        case DoctorFindingKind::SettingsFolder: return say(voice, message::doctor_settings_folder);
        case DoctorFindingKind::SettingsVerdict:
            return say(voice, message::doctor_settings_verdict, {{"verdict", settingsVerdict(voice, finding)}});
        case DoctorFindingKind::SettingsNamedTxt:
            return namedOtherSentence(voice, message::doctor_settings_named_txt,
                                      message::doctor_settings_named_txt_replacing, finding);
        case DoctorFindingKind::SettingsNamedOther:
            return namedOtherSentence(voice, message::doctor_settings_named_other,
                                      message::doctor_settings_named_other_replacing, finding);
        case DoctorFindingKind::SettingsDefaultsCopy:
            return fileSentence(voice, message::doctor_settings_adds_nothing, finding);
        case DoctorFindingKind::SettingsTwoDiffer:
            return fileSentence(voice, message::doctor_settings_two_differ, finding);
        case DoctorFindingKind::GameRunning: return say(voice, message::doctor_game_running);
        case DoctorFindingKind::SettingsReadOnly: return say(voice, message::doctor_settings_read_only);
        case DoctorFindingKind::PageDownloadWaiting:
            return fileSentence(
                voice,
                finding.realOne ? message::doctor_settings_page_download : message::doctor_settings_page_download_only,
                finding);
        case DoctorFindingKind::ModuleUpdateWaiting:
            return fileSentence(voice,
                                finding.kept == ModuleKept::Other ? message::doctor_module_update_waiting
                                                                  : message::doctor_module_update_choice,
                                finding);
        case DoctorFindingKind::NoHookLog: return say(voice, message::doctor_log_none);
        case DoctorFindingKind::HookLogFatal: return fatalSentence(voice, finding);
        case DoctorFindingKind::HookLogRunning: return say(voice, message::doctor_log_running);
        case DoctorFindingKind::HookLogNotStarted: return say(voice, message::doctor_log_not_started);
        case DoctorFindingKind::HookLogWithoutPellimore:
            return fileSentence(voice, message::doctor_log_without_pellimore, finding);
        case DoctorFindingKind::HookLogUndated: return fileSentence(voice, message::doctor_log_undated, finding);
        case DoctorFindingKind::HookLogNoScripts: return say(voice, message::doctor_log_no_scripts);
        case DoctorFindingKind::UnderProgramFiles: return say(voice, message::doctor_program_files);
        case DoctorFindingKind::NonAsciiPath: return say(voice, message::doctor_non_ascii_path);
    }
    return "";
}

std::string straySettingsHeading(const Voice& voice) { return say(voice, message::doctor_stray_settings); }

std::string doctorVerdictSentence(const Voice& voice, ExitStatus status) {
    switch (status) {
        case exitFailed: return say(voice, message::doctor_verdict_fails);
        case exitWithWarnings: return say(voice, message::doctor_verdict_attention);
        case exitAllGood: return say(voice, message::doctor_verdict_fine);
    }
    return "";
}

namespace {

std::string shownPath(const std::filesystem::path& path) { return unbreakable(doctor::shown(path)); }

// What a step is for, in a few words after the move itself.
std::string stepPurpose(const Voice& voice, RepairReason reason) {
    switch (reason) {
        case RepairReason::ModuleFromRelease: return say(voice, message::repair_purpose_module);
        case RepairReason::SettingsFromRelease: return say(voice, message::repair_purpose_shipped_settings);
        case RepairReason::SettingsRenamed: return say(voice, message::repair_purpose_settings_renamed);
        case RepairReason::ModuleCopySetAside: return say(voice, message::repair_purpose_copy_set_aside);
        case RepairReason::ModuleSwitchedOn: return say(voice, message::repair_purpose_switched_on);
        case RepairReason::HookFromBin: return say(voice, message::repair_purpose_hook_from_bin);
        case RepairReason::SetAside: return say(voice, message::repair_purpose_set_aside);
        case RepairReason::AddsNothing: return say(voice, message::repair_purpose_adds_nothing);
        case RepairReason::NotKept: return say(voice, message::repair_purpose_not_kept);
        case RepairReason::ModuleKeptNewer: return say(voice, message::repair_purpose_kept_module);
    }
    return "";
}

// Where Windows refused, the last advice is to run the doctor as administrator.
std::string refused(const Voice& voice, MessageKey key, const std::string& file) {
    return say(voice, key, {{"file", file}}) + " " + say(voice, message::repair_administrator);
}

}  // namespace

std::string repairPlanHeading(const Voice& voice, const RepairPlan& plan) {
    const bool asks =
        std::any_of(plan.steps.begin(), plan.steps.end(), [](const RepairStep& step) { return step.needsConsent; });
    return say(voice, asks ? message::repair_heading_asks : message::repair_heading);
}

std::string repairStepSentence(const Voice& voice, const std::filesystem::path& game, const RepairStep& step) {
    const bool rename = step.reason == RepairReason::SetAside || step.reason == RepairReason::ModuleSwitchedOn ||
                        step.reason == RepairReason::AddsNothing || step.reason == RepairReason::NotKept;
    return say(voice, rename ? message::repair_step_rename : message::repair_step_move,
               {{"from", shownPath(game / step.from)},
                {"to", shownPath(game / step.to)},
                {"purpose", stepPurpose(voice, step.reason)}}) +
           (step.needsConsent ? " " + say(voice, message::repair_step_your_call) : "");
}

std::string leftAloneSentence(const Voice& voice, const std::filesystem::path& file) {
    return say(voice, message::repair_left_alone, {{"file", shownPath(file)}});
}

std::string repairQuestion(const Voice& voice) { return say(voice, message::repair_question) + " "; }

std::string declinedSentence(const Voice& voice) { return say(voice, message::repair_declined); }

std::string dryRunSentence(const Voice& voice) { return say(voice, message::repair_dry_run); }

namespace {

// A path the journal holds (absolute) as the plan showed it: from the game folder as the player gave it.
std::string shownJournalPath(const std::filesystem::path& game, const std::filesystem::path& path) {
    std::error_code error;
    const auto inside = path.lexically_relative(std::filesystem::absolute(game, error).lexically_normal());
    return shownPath(!inside.empty() && *inside.begin() != ".." ? game / inside : path);
}

std::string doneSentence(const Voice& voice, const RepairOutcome& outcome) {
    const std::string count = std::to_string(outcome.stepsDone);
    switch (outcome.action) {
        case RepairAction::Repair:
            return sayCounted(voice, message::repair_done, outcome.stepsDone, {{"count", count}});
        case RepairAction::Undo:
            return sayCounted(voice, message::repair_done_undo, outcome.stepsDone, {{"count", count}});
        case RepairAction::PutBack: return say(voice, message::repair_done_put_back);
        case RepairAction::Finish: return say(voice, message::repair_done_finish);
    }
    return "";
}

}  // namespace

std::string repairOutcomeSentence(const Voice& voice, const std::filesystem::path& game, const RepairOutcome& outcome) {
    const std::string file = shownJournalPath(game, outcome.file.is_absolute() ? outcome.file : game / outcome.file);
    const bool undo = outcome.action == RepairAction::Undo;
    switch (outcome.problem) {
        case RepairProblem::None: return doneSentence(voice, outcome);
        case RepairProblem::GameRunning: return say(voice, message::repair_game_running);
        case RepairProblem::SourceMissing: return say(voice, message::repair_source_missing, {{"file", file}});
        case RepairProblem::TargetTaken: return say(voice, message::repair_target_taken, {{"file", file}});
        case RepairProblem::NotAllowed: return refused(voice, message::repair_not_allowed, file);
        case RepairProblem::JournalRefused: return refused(voice, message::repair_journal_refused, file);
        case RepairProblem::RolledBack:
            return refused(voice, undo ? message::repair_rolled_back_undo : message::repair_rolled_back, file);
        case RepairProblem::NotPutBack: return say(voice, message::repair_not_put_back);
        case RepairProblem::NothingToUndo: return say(voice, message::repair_nothing_to_undo);
        case RepairProblem::ChangedSinceRepair: return say(voice, message::repair_changed_since, {{"file", file}});
    }
    return "";
}

std::string filePlaceSentence(const Voice& voice, const std::filesystem::path& game, const FilePlace& place) {
    const Filling from{"from", shownJournalPath(game, place.from)};
    const Filling to{"to", shownJournalPath(game, place.to)};
    switch (place.place) {
        case StepPlace::AtSource: return say(voice, message::repair_place_source, {from});
        case StepPlace::AtTarget: return say(voice, message::repair_place_target, {from, to});
        case StepPlace::AtBoth: return say(voice, message::repair_place_both, {from, to});
        case StepPlace::Missing: return say(voice, message::repair_place_missing, {from, to});
    }
    return "";
}

std::string interruptedSentence(const Voice& voice, const std::filesystem::path& game, const JournalRepair& repair) {
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
    std::string sentence = moved.empty() ? say(voice, message::repair_interrupted_none, {time})
                           : notMoved.empty()
                               ? say(voice, message::repair_interrupted_all, {time, {"moved", listed(moved)}})
                               : say(voice, message::repair_interrupted,
                                     {time, {"moved", listed(moved)}, {"not_moved", listed(notMoved)}});
    if (!missing.empty())
        sentence += " " + say(voice, message::repair_interrupted_missing, {{"missing", listed(missing)}});
    return sentence;
}

std::string interruptedHowSentence(const Voice& voice) { return say(voice, message::repair_interrupted_how); }

std::string interruptedQuestion(const Voice& voice) { return say(voice, message::repair_interrupted_question); }

std::string interruptedFixRefusedSentence(const Voice& voice) {
    return say(voice, message::repair_interrupted_fix_refused);
}

namespace {

// The moves whose keys differ between two settings files: "Knock out: Q (81) in 1, 75 in 2".
std::vector<std::string> keyDifferences(const Voice& voice, const std::filesystem::path& first,
                                        const std::filesystem::path& second) {
    const HotkeyBindings one = evaluateSettingsBytes(readWholeFile(first).value_or(""), HotkeyBindings{}).bindings;
    const HotkeyBindings two = evaluateSettingsBytes(readWholeFile(second).value_or(""), HotkeyBindings{}).bindings;
    std::vector<std::string> differences;
    for (const KeyOwner owner : loadOrder) {
        const auto binding = keyRow(owner).binding;
        if (!binding || one.*binding == two.*binding) continue;
        differences.push_back(say(voice, message::repair_choice_difference,
                                  {{"move", playerName(voice, owner)},
                                   {"first", shownKeyLabel(voice, one.*binding)},
                                   {"second", shownKeyLabel(voice, two.*binding)}}));
    }
    return differences;
}

}  // namespace

std::string repairChoiceSentence(const Voice& voice, const std::filesystem::path& game, const RepairChoice& choice) {
    const Filling first{"first", shownPath(game / choice.installed)};
    const Filling second{"second", shownPath(game / choice.other)};
    if (choice.module) return say(voice, message::repair_choice_module, {first, second});
    const auto differences = keyDifferences(voice, game / choice.installed, game / choice.other);
    return say(voice, message::repair_choice_settings, {first, second, {"differences", joinedText(differences, "; ")}});
}

std::string repairChoiceQuestion(const Voice& voice) { return say(voice, message::repair_choice_question) + " "; }

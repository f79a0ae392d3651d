#include "pellimore/doctor/doctor_wording.h"

#include "pellimore/doctor/doctor_checks.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"

#include <algorithm>

namespace {

std::string listed(const std::vector<std::string>& paths) { return joinedText(paths, ", "); }

std::string scriptsListed(const std::vector<std::string>& scripts) {
    std::vector<std::string> shownScripts;
    for (const auto& script : scripts) shownScripts.push_back(shownAsText(script));
    return joinedText(shownScripts, ", ");
}

std::string hookRole(HookFile file) { return file == HookFile::Hook ? "the script hook" : "the ASI loader"; }

// What the game makes of the settings file, and where a player sees the details.
std::string settingsVerdict(const Finding& finding) {
    const std::string details = "double-click pellimore.exe in Pellimore-tools to see ";
    if (finding.empty)
        return "the file is empty, so the game loads no key from it and uses the default keys: delete it, or open it "
               "in Pellimore-editor.html and start from the shipped file";
    if (finding.settingsVerdict == exitAllGood)
        return "the game loads every key from it (" + details + "what each key does)";
    if (finding.settingsVerdict == exitFailed)
        return "the game stops reading it part-way, so some moves keep their old keys: " + details +
               "where, and what to write instead";
    return "the game loads it, but " + std::to_string(finding.count) +
           (finding.count == 1 ? " point does" : " points do") + " not work as written: " + details + "which";
}

std::string fatalSentence(const Finding& finding) {
    std::string text = "the hook's log says \"FATAL: " + shownAsText(finding.text) + "\"";
    if (!finding.native)
        return text + (lowerCase(finding.text).find("version") != std::string::npos
                           ? ": the hook does not know this version of the game, which an update brought. Install the "
                             "newest ScriptHookRDR2.dll made for it; until then no script plug-in works"
                           : ": the hook stopped there. Install the newest ScriptHookRDR2.dll; if the line stays, "
                             "look for it where the hook is published");
    text +=
        ": the hook does not match this version of the game. A game update stops every script plug-in until the "
        "hook is updated: install the newest ScriptHookRDR2.dll";
    std::vector<std::string> names;
    for (const MeleeAction move : finding.moves) names.emplace_back(moveRow(move).key.playerName);
    if (finding.moves.size() == static_cast<std::size_t>(meleeActionCount))
        text += ". Until then, no Pellimore move can work";
    else if (!names.empty())
        text += ". Until then, these Pellimore moves cannot work: " + joinedText(names, ", ");
    return text;
}

std::string misplacedModuleSentence(const Finding& finding) {
    return "Pellimore.asi is in " + finding.file +
           "\\, a folder inside the game folder, where the hook's loader does not look: move Pellimore.asi and "
           "Pellimore.ini from " +
           finding.file + " into the game folder itself, beside RDR2.exe" +
           (finding.extracted ? std::string(" (Windows' \"Extract All\" made that folder; next time, extract into the "
                                            "game folder itself)")
                              : std::string());
}

std::string replacingTheOldOne(const Finding& finding) { return finding.realOne ? " (replacing the old one)" : ""; }

}  // namespace

std::string doctorHeading(const DoctorReport& report) {
    const bool gameFolder = report.findings.empty() || report.findings.front().kind != DoctorFindingKind::NotGameFolder;
    return "Pellimore's doctor checks whether Pellimore can load. It changes nothing unless it asks and you say "
           "yes.\n" +
           std::string(gameFolder ? "game folder: " : "folder checked: ") + report.folder;
}

std::string severityTag(Severity severity) {
    switch (severity) {
        case Severity::Ok: return "ok   ";
        case Severity::Note: return "note ";
        case Severity::Attention: return "check";
        case Severity::Blocker: return "FIX  ";
    }
    return "";
}

std::string doctorFindingSentence(const Finding& finding) {
    switch (finding.kind) {
        case DoctorFindingKind::GameFolder: return "RDR2.exe: this is the game folder";
        case DoctorFindingKind::NotGameFolder:
            return "this is not the game folder: there is no RDR2.exe in it. Extract the Pellimore archive into the "
                   "game "
                   "folder (the folder with RDR2.exe), then double-click doctor.cmd in its Pellimore-tools folder";
        case DoctorFindingKind::HookFileInstalled:
            return finding.file + ": " + hookRole(finding.hookFile) + " is installed";
        case DoctorFindingKind::HookFileDamaged:
            return finding.file +
                   " is damaged: it is empty or not a Windows library, so no script plug-in can load. Copy it again "
                   "from the hook's archive (the files inside its bin folder) into the game folder";
        case DoctorFindingKind::HookFileMisplaced:
            return finding.file + " is in " + listed(finding.paths) +
                   ", not beside RDR2.exe: copy the files inside the hook's bin folder into the game folder itself";
        case DoctorFindingKind::HookFileMissing:
            return finding.file +
                   " is missing: install the script hook first (copy ScriptHookRDR2.dll and dinput8.dll from its "
                   "archive into the game folder, beside RDR2.exe)";
        case DoctorFindingKind::OtherLoaderOnly:
            return "no dinput8.dll, the ASI loader the hook ships, but " + listed(finding.paths) +
                   " may be another ASI loader; if Pellimore does not load, add dinput8.dll";
        case DoctorFindingKind::SecondLoader:
            return listed(finding.paths) +
                   " beside dinput8.dll may be a second ASI loader: two loaders can load Pellimore twice or stop each "
                   "other; keep only dinput8.dll unless another mod needs it";
        case DoctorFindingKind::ModuleDamaged:
            return "Pellimore.asi is damaged: it is empty or not a Windows library. Copy it again from the release "
                   "archive into the game folder";
        case DoctorFindingKind::ModuleExtraCopies:
            return "another copy of Pellimore.asi is in " + listed(finding.paths) +
                   ": delete it, so that no loader runs Pellimore twice";
        case DoctorFindingKind::ModuleMisplaced: return misplacedModuleSentence(finding);
        case DoctorFindingKind::ModuleMissing:
            return "Pellimore.asi is not installed: copy it from the release archive into the game folder, beside "
                   "RDR2.exe";
        case DoctorFindingKind::ModuleMissingAfterInstall:
            return "Pellimore.asi is missing, though Pellimore's other files are here (" + listed(finding.paths) +
                   "): an antivirus may have removed it. Open your antivirus's quarantine (in Windows Security: Virus "
                   "& threat protection, Protection history); if Pellimore.asi is there, check it as README.txt says "
                   "under \"Windows' guards\", then restore that one file and allow that one detection, never the "
                   "whole game folder. Otherwise copy Pellimore.asi again from the release archive";
        case DoctorFindingKind::ModuleNotReleased:
            return finding.file + " says it is version " + finding.version +
                   ", but its bytes are not those of the released file: it is damaged, or another program changed "
                   "it. Copy Pellimore.asi again from the release archive (check the archive first, as README.txt "
                   "says under \"Windows' guards\")";
        case DoctorFindingKind::DownloadMarked:
            return "Windows marks these tools as downloaded from the internet, so it may warn before they run "
                   "(\"Windows protected your PC\": click More info, then Run anyway). To spare yourself that with "
                   "the next release, right-click its archive, choose Properties, tick Unblock and click OK before "
                   "extracting it";
        case DoctorFindingKind::ModuleSwitchedOff:
            return "Pellimore.asi is switched off: it is named " + finding.file +
                   ", so the loader skips it (a mod manager, or you, renamed it). To switch Pellimore on, rename it "
                   "back to Pellimore.asi";
        case DoctorFindingKind::ModuleWithoutVersion:
            return finding.file +
                   " has no version information: it may be damaged or not Pellimore; copy it again from the release "
                   "archive";
        case DoctorFindingKind::ModuleOtherVersion:
            return finding.file + " is version " + finding.version + ", this tool is " + PELLIMORE_VERSION +
                   ": use the Pellimore.asi and the tools of one release";
        case DoctorFindingKind::ModuleSameVersion:
            return finding.file + " is version " + finding.version + ", the same as this tool";
        case DoctorFindingKind::ModuleSecondCopy:
            return finding.file +
                   " is a second copy of Pellimore: the loader loads every .asi file beside RDR2.exe, so every move "
                   "would be ordered twice. Delete " +
                   finding.file;
        case DoctorFindingKind::SettingsNeverRead:
            return finding.file +
                   " is never read: the game reads Pellimore.ini only from the folder with RDR2.exe; move it there";
        case DoctorFindingKind::NoSettings:
            return "no Pellimore.ini beside RDR2.exe: the default keys apply (Q knocks out; hold X and press an arrow "
                   "to throw)";
        case DoctorFindingKind::SettingsFolder:
            return "Pellimore.ini is a folder, not a file: the game cannot read it; delete the folder and copy the "
                   "file "
                   "from the release archive";
        case DoctorFindingKind::SettingsVerdict: return "Pellimore.ini: " + settingsVerdict(finding);
        case DoctorFindingKind::SettingsNamedTxt:
            return finding.file +
                   " is not Pellimore.ini: the game reads only a file named exactly Pellimore.ini, and Windows hides "
                   "the \".txt\" at the end. In File Explorer choose View > Show > File name extensions, then rename "
                   "it to Pellimore.ini" +
                   replacingTheOldOne(finding);
        case DoctorFindingKind::SettingsNamedOther:
            return finding.file +
                   " is not Pellimore.ini: the game reads only a file named exactly Pellimore.ini. If it holds the "
                   "keys "
                   "you want, rename it to Pellimore.ini" +
                   replacingTheOldOne(finding);
        case DoctorFindingKind::NoHookLog:
            return "no ScriptHookRDR2.log yet: start the game once with the hook installed, then double-click "
                   "doctor.cmd again to see whether Pellimore loaded";
        case DoctorFindingKind::HookLogFatal: return fatalSentence(finding);
        case DoctorFindingKind::HookLogRunning:
            return "the hook's log shows Pellimore.asi registering and its script starting";
        case DoctorFindingKind::HookLogNotStarted:
            return "the hook's log shows Pellimore.asi registering, but its script never started: load a save in story "
                   "mode, then look again";
        case DoctorFindingKind::HookLogWithoutPellimore:
            return "the hook's log, from a game start after this Pellimore.asi was in place, lists other scripts (" +
                   scriptsListed(finding.paths) +
                   ") but not Pellimore.asi: the loader did not load it. Check the points above, then start the game "
                   "again";
        case DoctorFindingKind::HookLogUndated:
            return "the hook's log lists other scripts (" + scriptsListed(finding.paths) +
                   ") but not Pellimore.asi, and may be from a game start before Pellimore was installed: start the "
                   "game once in story mode, then double-click doctor.cmd again to see whether Pellimore loads";
        case DoctorFindingKind::HookLogNoScripts: return "the hook's log names no script yet";
        case DoctorFindingKind::UnderProgramFiles:
            return "the game folder is under Program Files: saving Pellimore.ini there may need administrator rights "
                   "(edit a copy elsewhere, then copy it in)";
        case DoctorFindingKind::NonAsciiPath:
            return "the game folder's path has letters outside English: some ASI loaders fail there; if Pellimore does "
                   "not load, try a folder with plain letters";
    }
    return "";
}

std::string straySettingsHeading() { return "Also in the game folder, but never read by the game:"; }

std::string doctorVerdictSentence(ExitStatus status) {
    switch (status) {
        case exitFailed: return "result: Pellimore cannot work until the points marked FIX are done";
        case exitWithWarnings:
            return "result: nothing stops Pellimore from loading, but look at the points marked check";
        case exitAllGood: return "result: everything is in place";
    }
    return "";
}

namespace {

std::string shownPath(const std::filesystem::path& path) { return doctor::shown(path); }

// What a step is for, in a few words after the move itself.
std::string stepPurpose(RepairReason reason) {
    switch (reason) {
        case RepairReason::ModuleFromRelease: return "so the loader finds Pellimore";
        case RepairReason::SettingsFromRelease: return "the shipped keys, as you have no Pellimore.ini yet";
        case RepairReason::SettingsRenamed: return "so the game reads your keys";
        case RepairReason::ModuleCopySetAside: return "out of the loader's reach, so no move fires twice";
        case RepairReason::ModuleSwitchedOn: return "switching Pellimore back on";
        case RepairReason::HookFromBin: return "out of the hook's bin folder, beside RDR2.exe";
        case RepairReason::SetAside: return "kept, not deleted, to make room";
    }
    return "";
}

// Where Windows refused, the last advice is to run the doctor as administrator.
std::string administratorAdvice() {
    return " If this folder is under Program Files, right-click doctor.cmd, choose Run as administrator and answer Y "
           "again.";
}

}  // namespace

std::string repairPlanHeading(const RepairPlan& plan) {
    const bool asks =
        std::any_of(plan.steps.begin(), plan.steps.end(), [](const RepairStep& step) { return step.needsConsent; });
    return std::string(
               "The doctor can put this right itself, moving files only (it deletes and overwrites nothing; "
               "everything it moves is listed in doctor-repairs.log, and pellimore doctor --undo moves it back)") +
           (asks ? "; the steps marked (your call) happen only if you say yes:" : ":");
}

std::string repairStepSentence(const std::filesystem::path& game, const RepairStep& step) {
    return (step.reason == RepairReason::SetAside || step.reason == RepairReason::ModuleSwitchedOn ? "rename "
                                                                                                   : "move ") +
           shownPath(game / step.from) + " to " + shownPath(game / step.to) + " (" + stepPurpose(step.reason) + ")" +
           (step.needsConsent ? " (your call)" : "");
}

std::string leftAloneSentence(const std::filesystem::path& file) {
    return "left alone: " + shownPath(file) + " is a link, as mod managers make them; move it with the mod manager";
}

std::string repairQuestion() { return "Do this now? [Y/N] "; }

std::string declinedSentence() { return "Nothing was changed."; }

std::string dryRunSentence() { return "This was a dry run: nothing was changed."; }

std::string repairOutcomeSentence(const RepairOutcome& outcome) {
    const std::string file = shownPath(outcome.file);
    switch (outcome.problem) {
        case RepairProblem::None:
            return "Done: " + std::to_string(outcome.stepsDone) + (outcome.stepsDone == 1 ? " file" : " files") +
                   (outcome.undo ? " moved back where the repair found them" : " moved") +
                   ". The doctor checked again:";
        case RepairProblem::GameRunning:
            return "The game is running, so its files are in use: nothing was changed. Close the game, then run the "
                   "doctor again.";
        case RepairProblem::SourceMissing:
            return file + " is gone since the doctor looked, so nothing was changed. Run the doctor again.";
        case RepairProblem::TargetTaken:
            return "A file now stands at " + file +
                   ", where one would go, so nothing was changed. Run the doctor again.";
        case RepairProblem::NotAllowed:
            return "Windows did not allow changes in " + file + ", so nothing was changed." + administratorAdvice();
        case RepairProblem::RolledBack:
            if (outcome.undo)
                return "Windows did not allow moving " + file +
                       " back, so the doctor put everything where the repair had left it." + administratorAdvice();
            return "Windows did not allow moving " + file +
                   " (it may be in use, or the folder protected), so the doctor moved back everything it had moved: "
                   "the folder is as it was." +
                   administratorAdvice();
        case RepairProblem::RollbackFailed:
            return "Moving " + file +
                   " failed, and so did moving back what was moved before it: compare the folder with "
                   "doctor-repairs.log in Pellimore-tools, and move those files back by hand.";
        case RepairProblem::NothingToUndo: return "There is no repair of the doctor's to undo.";
        case RepairProblem::ChangedSinceRepair:
            return file +
                   " has changed since the repair moved it, so nothing was moved back: the doctor never moves "
                   "a file it did not leave there.";
    }
    return "";
}

bool isYes(const std::string& answer) {
    std::string word = lowerCase(answer);
    std::erase_if(word, [](char byte) { return byte == ' ' || byte == '\t' || byte == '\r'; });
    for (const char* yes : {"y", "yes", "\xD0\xB4", "\xD0\xB4\xD0\xB0", "\xD0\x94", "\xD0\x94\xD0\xB0", "\xD0\xBD",
                            "\xD0\x9D"})  // д, да, Д, Да, and н, Н (the Y key on a Russian layout)
        if (word == yes) return true;
    return false;
}

#include "pellimore/doctor/doctor_checks.h"

#include "brawl/melee_actions.h"
#include "pellimore/doctor/host_log.h"
#include "pellimore/doctor/native_moves.h"
#include "pellimore/common/platform.h"
#include "pellimore/check/settings_analysis.h"
#include "pellimore/common/text.h"

#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>

namespace doctor {

std::optional<fs::path> findEntry(const fs::path& folder, const std::string& name) {
    std::error_code error;
    const std::string wanted = lowerCase(name);
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        if (lowerCase(textFromPath(entry->path().filename())) == wanted) return entry->path();
    return std::nullopt;
}

std::string shown(const fs::path& relative) {
    std::string text = textFromPath(relative.generic_u8string());
#ifdef _WIN32
    for (char& byte : text)
        if (byte == '/') byte = '\\';
#endif
    return text;
}

void add(DoctorReport& report, Severity severity, const std::string& text) {
    report.findings.push_back({severity, text});
}

namespace {

std::string settingsVerdict(const SettingsReport& settings) {
    if (settings.verdict == exitAllGood) return "loads completely";
    if (settings.verdict == exitFailed) return "does not load completely (" + settings.loadError + ")";
    return "loads, with " + std::to_string(settings.warnings.size()) + " warning" +
           (settings.warnings.size() == 1 ? "" : "s");
}

void reportFatal(DoctorReport& report, const HostLogFatal& fatal) {
    std::string text = "the hook's log says \"FATAL: " + shownAsText(fatal.text) + "\"";
    if (fatal.native) {
        text +=
            ": the hook does not match this version of the game. A game update stops every script plug-in "
            "until the hook is updated: install the newest ScriptHookRDR2.dll";
        const auto needing = movesUsingNative(*fatal.native);
        std::string moves = joinedText(needing, ", ");
        if (needing.size() == meleeActionCount) moves = "every move";
        if (!moves.empty()) text += ". Pellimore needs " + hexText(*fatal.native, 16) + " for " + moves;
    }
    add(report, Severity::Blocker, text);
}

bool mentionsPellimore(const std::vector<std::string>& scripts) {
    for (const auto& script : scripts)
        if (lowerCase(textFromPath(pathFromText(script).filename())) == "pellimore.asi") return true;
    return false;
}

std::string otherScripts(const std::vector<std::string>& scripts) {
    std::vector<std::string> shownScripts;
    for (const auto& script : scripts) shownScripts.push_back(shownAsText(script));
    return joinedText(shownScripts, ", ");
}

bool hasNonAsciiLetters(const std::string& text) {
    for (unsigned char byte : text)
        if (byte >= 0x80) return true;
    return false;
}

}  // namespace

void checkSettings(DoctorReport& report, const fs::path& folder) {
    for (const char* subfolder : misplacedFolders)
        if (const auto inside = findEntry(folder, subfolder))
            if (const auto stray = findEntry(*inside, "Pellimore.ini"))
                add(report, Severity::Attention,
                    shown(fs::path(subfolder) / stray->filename()) +
                        " is never read: the game reads Pellimore.ini from the folder "
                        "with RDR2.exe; move it there");
    const auto settings = findEntry(folder, "Pellimore.ini");
    if (!settings) {
        add(report, Severity::Note,
            "no Pellimore.ini beside RDR2.exe: the default keys apply (Q knocks out; hold X "
            "and press an arrow to throw)");
        return;
    }
    std::error_code error;
    if (fs::is_directory(*settings, error)) {
        add(report, Severity::Attention,
            "Pellimore.ini is a folder, not a file: the game cannot read it; delete the "
            "folder and copy the file from the release archive");
        return;
    }
    const SettingsReport analysis = analyzeSettingsFile(textFromPath(*settings));
    add(report, analysis.verdict == exitAllGood ? Severity::Ok : Severity::Attention,
        "Pellimore.ini " + settingsVerdict(analysis) + "; pellimore check \"" + textFromPath(*settings) +
            "\" explains every binding");
}

void checkHostLog(DoctorReport& report, const fs::path& folder) {
    const auto logFile = findEntry(folder, "ScriptHookRDR2.log");
    if (!logFile) {
        add(report, Severity::Note,
            "no ScriptHookRDR2.log yet: start the game once with the hook installed, then run "
            "pellimore doctor again to see whether Pellimore loaded");
        return;
    }
    const HostLog log = parseHostLog(readWholeFile(*logFile).value_or(""));
    for (const auto& fatal : log.fatals) reportFatal(report, fatal);
    const bool registered = mentionsPellimore(log.registeredScripts);
    if (registered && mentionsPellimore(log.launchedScripts))
        add(report, Severity::Ok, "the hook's log shows Pellimore.asi registering and its script starting");
    else if (registered)
        add(report, Severity::Attention,
            "the hook's log shows Pellimore.asi registering, but its script never "
            "started: load a save in story mode, then look again");
    else if (!log.registeredScripts.empty())
        add(report, Severity::Attention,
            "the hook's log lists other scripts (" + otherScripts(log.registeredScripts) +
                ") but not Pellimore.asi: the loader never loaded it. If the log is "
                "from a game start after you installed Pellimore, check where it is");
    else
        add(report, Severity::Note, "the hook's log names no script yet");
}

void checkFolderPath(DoctorReport& report, const fs::path& folder) {
    std::error_code error;
    const std::string absolute = textFromPath(fs::absolute(folder, error));
    if (lowerCase(absolute).find("program files") != std::string::npos)
        add(report, Severity::Attention,
            "the game folder is under Program Files: saving Pellimore.ini there may need "
            "administrator rights (edit a copy elsewhere, then copy it in)");
    if (hasNonAsciiLetters(absolute))
        add(report, Severity::Attention,
            "the game folder's path has letters outside English: some ASI loaders fail "
            "there; if Pellimore does not load, try a folder with plain letters");
}

}  // namespace doctor

std::filesystem::path defaultGameFolder(const std::filesystem::path& toolDirectory) {
    if (!doctor::findEntry(toolDirectory, "RDR2.exe") && doctor::findEntry(toolDirectory.parent_path(), "RDR2.exe"))
        return toolDirectory.parent_path();
    return toolDirectory;
}

DoctorReport diagnoseGameFolder(const std::filesystem::path& folder) {
    DoctorReport report;
    report.folder = textFromPath(folder);
    if (doctor::checkGame(report, folder)) {
        doctor::checkHook(report, folder);
        doctor::checkLoader(report, folder);
        doctor::checkPlugin(report, folder);
        doctor::checkSettings(report, folder);
        doctor::checkHostLog(report, folder);
        doctor::checkFolderPath(report, folder);
    }
    for (const auto& finding : report.findings) {
        if (finding.severity == Severity::Blocker)
            report.exitStatus = exitFailed;
        else if (finding.severity == Severity::Attention && report.exitStatus == exitAllGood)
            report.exitStatus = exitWithWarnings;
    }
    return report;
}

void printDoctorReport(const DoctorReport& report, std::ostream& out) {
    static const char* const tags[] = {"ok   ", "note ", "check", "FIX  "};
    out << "game folder: " << report.folder << "\n\n";
    for (const auto& finding : report.findings)
        out << tags[static_cast<int>(finding.severity)] << "  " << finding.text << "\n";
    out << "\n";
    if (report.exitStatus == exitFailed)
        out << "result: Pellimore cannot load until the points marked FIX are done; exit 2\n";
    else if (report.exitStatus == exitWithWarnings)
        out << "result: Pellimore loads, but see the points marked check; exit 1\n";
    else
        out << "result: everything is in place; exit 0\n";
}

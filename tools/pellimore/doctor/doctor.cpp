#include "pellimore/doctor/doctor_checks.h"

#include "brawl/melee_actions.h"
#include "pellimore/doctor/host_log.h"
#include "pellimore/doctor/native_moves.h"
#include "pellimore/common/platform.h"
#include "pellimore/check/settings_analysis.h"
#include "pellimore/common/text.h"

#include <algorithm>
#include <fstream>

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

std::vector<fs::path> misplacedCopies(const fs::path& folder, const std::string& name) {
    std::vector<fs::path> copies;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::error_code kind;
        if (!entry->is_directory(kind)) continue;
        if (const auto copy = findEntry(entry->path(), name))
            copies.push_back(entry->path().filename() / copy->filename());
    }
    std::sort(copies.begin(), copies.end());
    return copies;
}

bool isWindowsLibrary(const fs::path& file) {
    std::ifstream stream(file, std::ios::binary);
    char start[2] = {};
    return stream.read(start, 2) && start[0] == 'M' && start[1] == 'Z';
}

namespace {

// What the game makes of the settings file, and where a player sees the details.
std::string settingsVerdict(const SettingsReport& settings) {
    const std::string details = "double-click pellimore.exe in Pellimore-tools to see ";
    if (settings.verdict == exitAllGood) return "the game loads every key from it (" + details + "what each key does)";
    if (settings.verdict == exitFailed)
        return "the game stops reading it part-way, so some moves keep their old keys: " + details +
               "where, and what to write instead";
    const std::size_t count = settings.warnings.size();
    return "the game loads it, but " + std::to_string(count) + (count == 1 ? " point does" : " points do") +
           " not work as written: " + details + "which";
}

void reportFatal(DoctorReport& report, const HostLogFatal& fatal) {
    std::string text = "the hook's log says \"FATAL: " + shownAsText(fatal.text) + "\"";
    if (fatal.native) {
        text +=
            ": the hook does not match this version of the game. A game update stops every script plug-in "
            "until the hook is updated: install the newest ScriptHookRDR2.dll";
        const auto needing = movesUsingNative(*fatal.native);
        if (needing.size() == static_cast<std::size_t>(meleeActionCount))
            text += ". Until then, no Pellimore move can work";
        else if (!needing.empty())
            text += ". Until then, these Pellimore moves cannot work: " + joinedText(needing, ", ");
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

// Whether the game started, and wrote its log, after Pellimore.asi was put in place.
bool logIsNewerThanPellimore(const fs::path& logFile, const fs::path& folder) {
    const auto plugin = findEntry(folder, "Pellimore.asi");
    std::error_code error;
    if (!plugin) return true;
    const auto logTime = fs::last_write_time(logFile, error);
    const auto pluginTime = fs::last_write_time(*plugin, error);
    return !error && logTime >= pluginTime;
}

bool hasNonAsciiLetters(const std::string& text) {
    for (unsigned char byte : text)
        if (byte >= 0x80) return true;
    return false;
}

}  // namespace

void checkSettings(DoctorReport& report, const fs::path& folder) {
    for (const auto& stray : misplacedCopies(folder, "Pellimore.ini"))
        add(report, Severity::Attention,
            shown(stray) +
                " is never read: the game reads Pellimore.ini only from the folder with RDR2.exe; "
                "move it there");
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
        "Pellimore.ini: " + settingsVerdict(analysis));
}

// Names a settings file gets by mistake: "Pellimore.ini.txt" (Notepad, with
// Explorer hiding extensions), "Pellimore (1).ini" (a second download).
void checkSettingsNames(DoctorReport& report, const fs::path& folder) {
    const bool realOne = findEntry(folder, "Pellimore.ini").has_value();
    std::error_code error;
    std::vector<std::string> names;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error))
        names.push_back(textFromPath(entry->path().filename()));
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        const std::string lower = lowerCase(name);
        if (!lower.starts_with("pellimore") || lower == "pellimore.ini" || lower.ends_with(".asi")) continue;
        if (!lower.ends_with(".ini") && !lower.ends_with(".txt")) continue;
        if (lower.ends_with(".ini.txt"))
            add(report, Severity::Attention,
                name +
                    " is not Pellimore.ini: the game reads only a file named exactly Pellimore.ini, and Windows "
                    "hides the \".txt\" at the end. In File Explorer choose View > Show > File name extensions, "
                    "then rename it to Pellimore.ini" +
                    (realOne ? " (replacing the old one)" : ""));
        else if (lower.ends_with(".ini"))
            add(report, Severity::Attention,
                name +
                    " is not Pellimore.ini: the game reads only a file named exactly Pellimore.ini. If it holds "
                    "the keys you want, rename it to Pellimore.ini" +
                    (realOne ? " (replacing the old one)" : ""));
    }
}

void checkHostLog(DoctorReport& report, const fs::path& folder) {
    const auto logFile = findEntry(folder, "ScriptHookRDR2.log");
    if (!logFile) {
        add(report, Severity::Note,
            "no ScriptHookRDR2.log yet: start the game once with the hook installed, then double-click "
            "doctor.cmd again to see whether Pellimore loaded");
        return;
    }
    const HostLog log = parseHostLog(readWholeFile(*logFile).value_or(""));
    for (const auto& fatal : log.fatals) reportFatal(report, fatal);
    const bool registered = mentionsPellimore(log.registeredScripts);
    report.pellimoreStarted = registered && mentionsPellimore(log.launchedScripts);
    if (report.pellimoreStarted)
        add(report, Severity::Ok, "the hook's log shows Pellimore.asi registering and its script starting");
    else if (registered)
        add(report, Severity::Attention,
            "the hook's log shows Pellimore.asi registering, but its script never "
            "started: load a save in story mode, then look again");
    else if (!log.registeredScripts.empty() && logIsNewerThanPellimore(*logFile, folder))
        add(report, Severity::Blocker,
            "the hook's log, from a game start after Pellimore.asi was put in place, lists other scripts (" +
                otherScripts(log.registeredScripts) +
                ") but not Pellimore.asi: the loader did not load it. Check the points above, then start the "
                "game again");
    else if (!log.registeredScripts.empty())
        add(report, Severity::Note,
            "the hook's log is from a game start before Pellimore.asi was put in place: start the game once, "
            "then run the doctor again to see whether Pellimore loads");
    else
        add(report, Severity::Note, "the hook's log names no script yet");
}

// Only worth a look while nothing shows Pellimore running: once the hook's log
// shows it starting, the path evidently works.
void checkFolderPath(DoctorReport& report, const fs::path& folder) {
    std::error_code error;
    const std::string absolute = textFromPath(fs::absolute(folder, error));
    const Severity severity = report.pellimoreStarted ? Severity::Note : Severity::Attention;
    if (lowerCase(absolute).find("program files") != std::string::npos)
        add(report, severity,
            "the game folder is under Program Files: saving Pellimore.ini there may need "
            "administrator rights (edit a copy elsewhere, then copy it in)");
    if (hasNonAsciiLetters(absolute))
        add(report, severity,
            "the game folder's path has letters outside English: some ASI loaders fail "
            "there; if Pellimore does not load, try a folder with plain letters");
}

}  // namespace doctor

std::optional<std::filesystem::path> findGameFolder(const std::filesystem::path& toolDirectory) {
    std::filesystem::path candidate = toolDirectory;
    for (int level = 0; level <= 2; ++level, candidate = candidate.parent_path())
        if (doctor::findEntry(candidate, "RDR2.exe")) return candidate;
    return std::nullopt;
}

std::filesystem::path defaultGameFolder(const std::filesystem::path& toolDirectory) {
    return findGameFolder(toolDirectory).value_or(toolDirectory);
}

DoctorReport diagnoseGameFolder(const std::filesystem::path& folder) {
    DoctorReport report;
    report.folder = textFromPath(folder);
    if (doctor::checkGame(report, folder)) {
        doctor::checkHook(report, folder);
        doctor::checkLoader(report, folder);
        doctor::checkPlugin(report, folder);
        doctor::checkPluginCopies(report, folder);
        doctor::checkSettings(report, folder);
        doctor::checkSettingsNames(report, folder);
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
        out << "result: Pellimore cannot work until the points marked FIX are done\n";
    else if (report.exitStatus == exitWithWarnings)
        out << "result: nothing stops Pellimore from loading, but look at the points marked check\n";
    else
        out << "result: everything is in place\n";
}

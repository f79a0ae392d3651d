#include "pellimore/command_line.h"

#include "pellimore/check/check_wording.h"
#include "pellimore/check/settings_checker.h"
#include "pellimore/common/exit_status.h"
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"
#include "pellimore/doctor/doctor.h"
#include "pellimore/doctor/doctor_wording.h"
#include "pellimore/doctor/repair_flow.h"
#include "pellimore/sim/scenario.h"
#include "pellimore/sim/simulator.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// What one run of a command was given: its flags and its one operand.
struct CommandArguments {
    std::vector<std::string> flags;
    std::string operand;
    bool wants(const std::string& flag) const { return std::find(flags.begin(), flags.end(), flag) != flags.end(); }
};

// One command: how it is called, what it does, what its exit statuses mean, and how it runs.
struct Command {
    const char* name;
    const char* usage;        // "check [PATH]"
    const char* summary;      // one line for the overview
    const char* description;  // the paragraph of its --help
    const char* operandName;  // what its one operand is, for "only one ... may be given"
    std::vector<std::string> flags;
    const char* exitMeanings[3];  // what 0, 1 and 2 mean for it
    int (*run)(const Voice& voice, const CommandArguments& arguments, std::ostream& out, std::ostream& err);
};

int runCheck(const Voice& voice, const CommandArguments& arguments, std::ostream& out, std::ostream&) {
    return checkSettingsFile(voice, arguments.operand.empty() ? settingsFileName : arguments.operand, out);
}

RepairMode repairModeOf(const CommandArguments& arguments) {
    if (arguments.wants("--undo")) return RepairMode::Undo;
    if (arguments.wants("--dry-run")) return RepairMode::DryRun;
    if (arguments.wants("--fix")) return RepairMode::Fix;
    return arguments.wants("--ask") ? RepairMode::Ask : RepairMode::Report;
}

int runDoctor(const Voice& voice, const CommandArguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& folder = arguments.operand;
    const RepairMode mode = repairModeOf(arguments);
    // Repairs without a question change a folder the caller named, never one the tool guessed.
    if ((mode == RepairMode::Fix || mode == RepairMode::Undo) && folder.empty()) {
        const char* flag = mode == RepairMode::Fix ? "--fix" : "--undo";
        err << "pellimore doctor: " << flag << " needs the game folder named, as in: pellimore doctor " << flag
            << " \"C:\\Games\\Red Dead Redemption 2\"\n";
        return exitFailed;
    }
    return runDoctorFlow(voice, folder.empty() ? defaultGameFolder(toolDirectory()) : pathFromText(folder), mode,
                         std::cin, out);
}

int runSim(const Voice&, const CommandArguments& arguments, std::ostream& out, std::ostream& err) {
    const std::string& path = arguments.operand;
    try {
        const Scenario scenario =
            path.empty() ? parseScenario(builtInScenarioText(), "<built-in demo>") : loadScenarioFile(path);
        return runScenario(scenario, out, SimulationOptions{arguments.wants("--trace")}) == 0 ? exitAllGood
                                                                                              : exitWithWarnings;
    } catch (const ScenarioError& error) {
        err << "pellimore sim: " << error.what() << "\n";
        return exitFailed;
    }
}

const std::vector<Command>& commands() {
    static const std::vector<Command> table = {
        {"check",
         "check [PATH]",
         "explain a settings file (default ./Pellimore.ini)",
         "Reads a settings file (default ./Pellimore.ini) with the plug-in's own reader and load, and\n"
         "shows what each binding becomes in game and every line the game silently reads otherwise.",
         "settings file",
         {},
         {"loads completely", "loads with warnings", "the load fails or the file cannot be read"},
         runCheck},
        {"doctor",
         "doctor [GAME_FOLDER]",
         "tell whether Pellimore is installed so that it can load",
         "Looks at the game folder (default: the folder this tool is in, or its parent) and says\n"
         "whether the game, the script hook, its ASI loader, Pellimore.asi and Pellimore.ini are\n"
         "where they must be, and what the hook's log says; each point says what to move where.\n"
         "It can move the files itself, deleting and overwriting nothing:\n"
         "  --ask      list the moves and ask \"Do this now? [Y/N]\" (doctor.cmd passes it)\n"
         "  --fix      make the moves that need no decision, without asking (name the game folder)\n"
         "  --dry-run  list every move and make none\n"
         "  --undo     move back what the last repair moved (name the game folder)",
         "game folder",
         {"--ask", "--fix", "--dry-run", "--undo"},
         {"everything in place", "it loads but something deserves attention", "it cannot load or is not installed"},
         runDoctor},
        {"sim",
         "sim [--trace] [SCENARIO]",
         "run the plug-in against a simulated world",
         "Runs the plug-in's own tick over a simulated world, one scenario step a line; with no\n"
         "scenario, a built-in demo of the default keys and a settings file written mid-run.\n"
         "--trace also lists every call into the game's script functions.",
         "scenario",
         {"--trace"},
         {"all expectations met", "an expectation failed", "a malformed scenario"},
         runSim},
    };
    return table;
}

// Words joined into lines of at most `width` characters.
std::string wrapped(const std::string& text, std::size_t width) {
    std::istringstream words(text);
    std::string result, line;
    for (std::string word; words >> word;) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            result += line + "\n";
            line.clear();
        }
        line += (line.empty() ? "" : " ") + word;
    }
    return result + line + "\n";
}

std::string overview() {
    std::ostringstream text;
    const auto row = [&](const std::string& left, const std::string& right) {
        text << "  " << left << std::string(left.size() < 26 ? 26 - left.size() : 1, ' ') << right << "\n";
    };
    text << "usage: pellimore <command> [options]\n\ncommands:\n";
    for (const Command& command : commands()) row(command.usage, command.summary);
    row("help, --help", "show this text; pellimore COMMAND --help for one command");
    row("--version", "show the version");
    row("--language xx", "speak " + joinedText(knownLanguages(), ", ") + " (default: the display language)");
    std::vector<std::string> layouts;
    for (const LayoutRow& layout : layoutRows()) layouts.emplace_back(layout.name);
    text << "\nA settings file given alone (or dropped onto pellimore.exe) is checked.\n"
         << "PELLIMORE_KEYBOARD=NAME names the keyboard layout in place of Windows' own (its key names, and the\n"
         << "keys you walk with): " << joinedText(layouts, ", ") << ", or a language tag such as fr-CA.\n";
    return text.str();
}

std::string helpOf(const Command& command) {
    std::string exits = "exit status:";
    for (int status = 0; status < 3; ++status)
        exits += " " + std::to_string(status) + " " + command.exitMeanings[status] + (status < 2 ? "," : "");
    return "usage: pellimore " + std::string(command.usage) + "\n\n" + command.description + "\n\n" +
           wrapped(exits, 88);
}

// The command's options and operand; none (after telling why) when they do not fit.
std::optional<CommandArguments> splitArguments(const Command& command, const std::vector<std::string>& arguments,
                                               std::ostream& err) {
    CommandArguments split;
    std::vector<std::string> known = command.flags;
    known.insert(known.end(), {"--help", "-h"});
    for (const auto& argument : arguments) {
        const bool isFlag = !argument.empty() && argument[0] == '-';
        if (isFlag && std::find(known.begin(), known.end(), argument) != known.end()) {
            split.flags.push_back(argument);
        } else if (isFlag) {
            err << "pellimore " << command.name << ": unknown option '" << argument << "' (see pellimore "
                << command.name << " --help)\n";
            return std::nullopt;
        } else if (!split.operand.empty()) {
            err << "pellimore " << command.name << ": only one " << command.operandName << " may be given\n";
            return std::nullopt;
        } else {
            split.operand = argument;
        }
    }
    return split;
}

int runCommand(const Voice& voice, const Command& command, const std::vector<std::string>& arguments, std::ostream& out,
               std::ostream& err) {
    const auto split = splitArguments(command, arguments, err);
    if (!split) return exitFailed;
    if (split->wants("--help") || split->wants("-h")) return out << helpOf(command), exitAllGood;
    return command.run(voice, *split, out, err);
}

const Command* commandNamed(const std::string& name) {
    for (const Command& command : commands())
        if (name == command.name) return &command;
    return nullptr;
}

#ifdef _WIN32
// Settings files the game never reads (Pellimore.ini.txt, a copy in scripts\), as the doctor words them:
// a player who double-clicks looks for the file they edited.
void printStraySettingsFiles(const Voice& voice, const fs::path& game, std::ostream& out) {
    std::vector<Finding> strays;
    for (const Finding& finding : diagnoseGameFolder(game, runningDoctorContext(voice.layouts)).findings)
        if (finding.kind == DoctorFindingKind::SettingsNeverRead ||
            finding.kind == DoctorFindingKind::SettingsNamedTxt ||
            finding.kind == DoctorFindingKind::SettingsNamedOther)
            strays.push_back(finding);
    if (strays.empty()) return;
    out << "\n" << wrappedText(straySettingsHeading(voice)) << "\n";
    const std::size_t tagWidth = shownWidth(severityTag(voice, Severity::Ok)) + 2;
    for (const Finding& finding : strays)
        out << severityTag(voice, finding.severity) << "  "
            << wrappedText(doctorFindingSentence(voice, finding), consoleWidth, tagWidth, tagWidth) << "\n";
}

// Double-clicked with nothing to do: check the settings file the game reads.
// Outside the game folder, or with the release in a folder of its own inside
// it, a file beside the tool is not the one the game reads: say so instead.
int checkTheGamesSettings(const Voice& voice, std::ostream& out) {
    const fs::path here = toolDirectory();
    const auto game = findGameFolder(here);
    if (!game) {
        out << wrappedText(notInGameFolderSentence(voice, textFromPath(here))) << "\n";
        return exitFailed;
    }
    if (here.parent_path() != *game && here != *game)
        // The release sits one folder too deep: the doctor names both folders and offers to move the files.
        return runDoctorFlow(voice, *game, consoleOpenedForThisRun() ? RepairMode::Ask : RepairMode::Report, std::cin,
                             out);
    const fs::path settings = *game / settingsFileName;
    std::error_code error;
    int status = exitWithWarnings;
    if (!fs::exists(settings, error))
        out << wrappedText(noSettingsInGameFolderSentence(voice, textFromPath(*game))) << "\n";
    else
        status = checkSettingsFile(voice, textFromPath(settings), out,
                                   checkingGameSettingsLine(voice, textFromPath(settings)));
    printStraySettingsFiles(voice, *game, out);
    return status;
}
#endif

bool allAreFiles(const std::vector<std::string>& paths) {
    std::error_code error;
    return std::all_of(paths.begin(), paths.end(),
                       [&](const std::string& path) { return fs::is_regular_file(pathFromText(path), error); });
}

// Several files dropped at once: each checked in turn; the status is the worst of them.
int checkEachFile(const Voice& voice, const std::vector<std::string>& paths, std::ostream& out) {
    int worst = exitAllGood;
    for (std::size_t index = 0; index < paths.size(); ++index) {
        if (index) out << "\n";
        worst = std::max(worst, checkSettingsFile(voice, paths[index], out));
    }
    return worst;
}

}  // namespace

int runCommandLine(const Voice& voice, const std::vector<std::string>& arguments, std::ostream& out,
                   std::ostream& err) {
#ifdef _WIN32
    if (arguments.empty()) return checkTheGamesSettings(voice, out);
#endif
    if (arguments.empty()) return err << overview(), exitFailed;
    const std::string& name = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (const Command* command = commandNamed(name)) return runCommand(voice, *command, rest, out, err);
    if (name == "help" || name == "--help" || name == "-h") return out << overview(), exitAllGood;
    if (name == "--version") return out << "pellimore " << PELLIMORE_VERSION << "\n", exitAllGood;
    // Files or a folder dropped onto pellimore.exe: check each file, or the doctor on the folder.
    std::error_code error;
    if (allAreFiles(arguments)) return checkEachFile(voice, arguments, out);
    if (rest.empty() && fs::is_directory(pathFromText(name), error))
        return runCommand(voice, *commandNamed("doctor"), {name}, out, err);
    err << "pellimore: unknown command '" << name << "'\n\n" << overview();
    return exitFailed;
}

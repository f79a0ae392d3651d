#include "pellimore/command_line.h"

#include "pellimore/common/exit_status.h"

#include "pellimore/doctor/doctor.h"
#include "pellimore/common/platform.h"
#include "pellimore/sim/scenario.h"
#include "pellimore/check/settings_checker.h"
#include "pellimore/sim/simulator.h"

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const char* const overview =
    "usage: pellimore <command> [options]\n"
    "\n"
    "commands:\n"
    "  check [PATH]              explain a settings file (default ./Pellimore.ini)\n"
    "  doctor [GAME_FOLDER]      tell whether Pellimore is installed so that it can load\n"
    "  sim [--trace] [SCENARIO]  run the plug-in against a simulated world\n"
    "  help, --help              show this text; pellimore COMMAND --help for one command\n"
    "  --version                 show the version\n"
    "\n"
    "A settings file given alone (or dropped onto pellimore.exe) is checked.\n";

const char* const checkHelp =
    "usage: pellimore check [PATH]\n"
    "\n"
    "Reads a settings file (default ./Pellimore.ini) with the plug-in's own reader and load, and\n"
    "shows what each binding becomes in game and every line the game silently reads otherwise.\n"
    "\n"
    "exit status: 0 loads completely, 1 loads with warnings, 2 the load fails or the file\n"
    "cannot be read\n";

const char* const doctorHelp =
    "usage: pellimore doctor [GAME_FOLDER]\n"
    "\n"
    "Looks at the game folder (default: the folder this tool is in, or its parent) and says\n"
    "whether the game, the script hook, its ASI loader, Pellimore.asi and Pellimore.ini are\n"
    "where they must be, and what the hook's log says; each point says what to move where.\n"
    "\n"
    "exit status: 0 everything in place, 1 it loads but something deserves attention,\n"
    "2 it cannot load or is not installed\n";

const char* const simHelp =
    "usage: pellimore sim [--trace] [SCENARIO]\n"
    "\n"
    "Runs the plug-in's own tick over a simulated world, one scenario step a line; with no\n"
    "scenario, a built-in demo of the default keys and a settings file written mid-run.\n"
    "--trace also lists every call into the game's script functions.\n"
    "\n"
    "exit status: 0 all expectations met, 1 an expectation failed, 2 a malformed scenario\n";

// The command's options and operands; false (after telling why) when they do not fit.
bool splitArguments(const std::vector<std::string>& arguments, const std::vector<std::string>& flags,
                    std::vector<std::string>& given, std::string& operand, const std::string& command,
                    std::ostream& err) {
    for (const auto& argument : arguments) {
        const bool isFlag = !argument.empty() && argument[0] == '-';
        if (isFlag && std::find(flags.begin(), flags.end(), argument) != flags.end())
            given.push_back(argument);
        else if (isFlag) {
            err << "pellimore " << command << ": unknown option '" << argument << "' (see pellimore " << command
                << " --help)\n";
            return false;
        } else if (!operand.empty()) {
            const char* what = command == "sim" ? "scenario" : command == "doctor" ? "game folder" : "settings file";
            err << "pellimore " << command << ": only one " << what << " may be given\n";
            return false;
        } else {
            operand = argument;
        }
    }
    return true;
}

bool wants(const std::vector<std::string>& given, const std::string& flag) {
    return std::find(given.begin(), given.end(), flag) != given.end();
}

int runSim(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> given;
    std::string path;
    if (!splitArguments(arguments, {"--trace", "--help", "-h"}, given, path, "sim", err)) return exitFailed;
    if (wants(given, "--help") || wants(given, "-h")) return out << simHelp, exitAllGood;
    try {
        const Scenario scenario =
            path.empty() ? parseScenario(builtInScenarioText(), "<built-in demo>") : loadScenarioFile(path);
        return runScenario(scenario, out, SimulationOptions{wants(given, "--trace")}) == 0 ? exitAllGood
                                                                                           : exitWithWarnings;
    } catch (const ScenarioError& error) {
        err << "pellimore sim: " << error.what() << "\n";
        return exitFailed;
    }
}

int runCheck(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> given;
    std::string path;
    if (!splitArguments(arguments, {"--help", "-h"}, given, path, "check", err)) return exitFailed;
    if (!given.empty()) return out << checkHelp, exitAllGood;
    return checkSettingsFile(path.empty() ? "Pellimore.ini" : path, out);
}

int runDoctor(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    std::vector<std::string> given;
    std::string folder;
    if (!splitArguments(arguments, {"--help", "-h"}, given, folder, "doctor", err)) return exitFailed;
    if (!given.empty()) return out << doctorHelp, exitAllGood;
    const DoctorReport report =
        diagnoseGameFolder(folder.empty() ? defaultGameFolder(toolDirectory()) : pathFromText(folder));
    printDoctorReport(report, out);
    return report.exitStatus;
}

#ifdef _WIN32
// Double-clicked with nothing to do: check the settings file the game reads.
// Outside the game folder, or with the release in a folder of its own inside
// it, a file beside the tool is not the one the game reads: say so instead.
int checkTheGamesSettings(std::ostream& out) {
    const fs::path here = toolDirectory();
    const auto game = findGameFolder(here);
    if (!game) {
        out << "pellimore.exe is not inside the game folder: there is no RDR2.exe in " << textFromPath(here)
            << " or the two folders above it, so the game never reads a Pellimore.ini from here.\n"
               "Extract the Pellimore archive into the game folder (the folder with RDR2.exe), then double-click\n"
               "pellimore.exe in the Pellimore-tools folder there. To check some other file, drop it onto "
               "pellimore.exe.\n";
        return exitFailed;
    }
    if (here.parent_path() != *game && here != *game) {
        // The release sits one folder too deep: the doctor names both folders and what to move.
        const DoctorReport report = diagnoseGameFolder(*game);
        printDoctorReport(report, out);
        return report.exitStatus;
    }
    const fs::path settings = *game / "Pellimore.ini";
    std::error_code error;
    if (!fs::exists(settings, error)) {
        out << "there is no Pellimore.ini in the game folder, " << textFromPath(*game)
            << ", so the game uses the default keys.\nTo change them, open Pellimore-editor.html in this folder. "
               "To check the whole installation, double-click doctor.cmd.\n";
        return exitWithWarnings;
    }
    out << "checking " << textFromPath(settings) << ", the file the game reads\n\n";
    return checkSettingsFile(textFromPath(settings), out);
}
#endif

}  // namespace

int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
#ifdef _WIN32
    if (arguments.empty()) return checkTheGamesSettings(out);
#endif
    if (arguments.empty()) return err << overview, exitFailed;
    const std::string& command = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (command == "sim") return runSim(rest, out, err);
    if (command == "check") return runCheck(rest, out, err);
    if (command == "doctor") return runDoctor(rest, out, err);
    if (command == "help" || command == "--help" || command == "-h") return out << overview, exitAllGood;
    if (command == "--version") return out << "pellimore " << PELLIMORE_VERSION << "\n", exitAllGood;
    // A file or a folder dropped onto pellimore.exe: check the file, or the doctor on the folder.
    std::error_code error;
    if (rest.empty() && fs::is_regular_file(pathFromText(command), error)) return checkSettingsFile(command, out);
    if (rest.empty() && fs::is_directory(pathFromText(command), error)) return runDoctor({command}, out, err);
    err << "pellimore: unknown command '" << command << "'\n\n" << overview;
    return exitFailed;
}

// pellimore: the plug-in's modder tools, run without the game.
#include "pellimore/scenario.h"
#include "pellimore/settings_checker.h"
#include "pellimore/simulator.h"

#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr int usageError = 2;

const char* usageText =
    "usage: pellimore <command> [options]\n"
    "\n"
    "commands:\n"
    "  sim [--trace] [SCENARIO]  run the plug-in against a simulated world; with no\n"
    "                            scenario, a built-in demo of the default keys and a\n"
    "                            settings file written mid-run\n"
    "  check [PATH]              explain a settings file (default ./Pellimore.ini)\n"
    "  help                      show this text\n"
    "\n"
    "sim exit status: 0 all expectations met, 1 an expectation failed, 2 bad scenario\n"
    "check exit status: 0 loads completely, 1 loads with warnings, 2 the load fails\n"
    "                   or the file cannot be read\n";

int runSim(const std::vector<std::string>& arguments) {
    SimulationOptions options;
    std::string path;
    for (const auto& argument : arguments) {
        if (argument == "--trace") options.trace = true;
        else if (argument == "--help" || argument == "-h") {
            std::cout << usageText;
            return 0;
        } else if (!argument.empty() && argument[0] == '-') {
            std::cerr << "pellimore sim: unknown option '" << argument << "'\n" << usageText;
            return usageError;
        } else if (path.empty()) path = argument;
        else {
            std::cerr << "pellimore sim: only one scenario may be given\n";
            return usageError;
        }
    }
    try {
        const Scenario scenario = path.empty() ? parseScenario(builtInScenarioText(), "<built-in demo>")
                                               : loadScenarioFile(path);
        return runScenario(scenario, std::cout, options) == 0 ? 0 : 1;
    } catch (const ScenarioError& error) {
        std::cerr << "pellimore sim: " << error.what() << "\n";
        return usageError;
    }
}

int runCheck(const std::vector<std::string>& arguments) {
    std::string path;
    for (const auto& argument : arguments) {
        if (argument == "--help" || argument == "-h") {
            std::cout << usageText;
            return 0;
        }
        if (!argument.empty() && argument[0] == '-') {
            std::cerr << "pellimore check: unknown option '" << argument << "'\n" << usageText;
            return usageError;
        }
        if (!path.empty()) {
            std::cerr << "pellimore check: only one settings file may be given\n";
            return usageError;
        }
        path = argument;
    }
    return checkSettingsFile(path.empty() ? "Pellimore.ini" : path, std::cout);
}

}  // namespace

int main(int argumentCount, char** argumentValues) {
    std::vector<std::string> arguments(argumentValues + 1, argumentValues + argumentCount);
    if (arguments.empty()) {
        std::cerr << usageText;
        return usageError;
    }
    const std::string command = arguments.front();
    arguments.erase(arguments.begin());
    try {
        if (command == "sim") return runSim(arguments);
        if (command == "check") return runCheck(arguments);
        if (command == "help" || command == "--help" || command == "-h") {
            std::cout << usageText;
            return 0;
        }
        std::cerr << "pellimore: unknown command '" << command << "'\n" << usageText;
        return usageError;
    } catch (const std::exception& error) {
        std::cerr << "pellimore: " << error.what() << "\n";
        return usageError;
    }
}

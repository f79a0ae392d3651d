// pellimore: the players' and modders' tool, run without the game.
#include "pellimore/command_line.h"
#include "pellimore/common/exit_status.h"
#include "pellimore/common/platform.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Anything the commands did not expect (a folder that cannot be listed, a disk
// error) ends in one sentence, not in a window that vanishes.
int runGuarded(const std::vector<std::string>& arguments) {
    try {
        return runCommandLine(arguments, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "pellimore: stopped by an unexpected problem: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "pellimore: stopped by an unexpected problem\n";
    }
    return exitFailed;
}

}  // namespace

int main(int argumentCount, char** argumentValues) {
    prepareConsole();
    // On Windows the program's manifest makes the arguments UTF-8, whatever letters a path holds.
    const std::vector<std::string> arguments(argumentValues + 1, argumentValues + argumentCount);
    const int status = runGuarded(arguments);
    if (consoleOpenedForThisRun()) {
        std::cout << "\nPress Enter to close this window." << std::flush;
        std::string ignored;
        std::getline(std::cin, ignored);
    }
    return status;
}

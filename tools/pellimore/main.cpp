// pellimore: the players' and modders' tool, run without the game.
#include "pellimore/command_line.h"
#include "pellimore/platform.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argumentCount, char** argumentValues) {
    prepareConsole();
    // On Windows the program's manifest makes the arguments UTF-8, whatever letters a path holds.
    const std::vector<std::string> arguments(argumentValues + 1, argumentValues + argumentCount);
    const int status = runCommandLine(arguments, std::cout, std::cerr);
    if (consoleOpenedForThisRun()) {
        std::cout << "\nPress Enter to close this window." << std::flush;
        std::string ignored;
        std::getline(std::cin, ignored);
    }
    return status;
}

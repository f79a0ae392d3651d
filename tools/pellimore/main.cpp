// pellimore: the players' and modders' tool, run without the game.
#include "pellimore/command_line.h"
#include "pellimore/common/exit_status.h"
#include "pellimore/common/language_choice.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/words.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace {

// Anything the commands did not expect (a folder that cannot be listed, a disk
// error) ends in one sentence, not in a window that vanishes.
int runGuarded(const Voice& voice, const std::vector<std::string>& arguments) {
    try {
        return runCommandLine(voice, arguments, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << say(voice, message::tool_unexpected_problem_detail, {{"detail", error.what()}}) << "\n";
    } catch (...) {
        std::cerr << say(voice, message::tool_unexpected_problem) << "\n";
    }
    return exitFailed;
}

}  // namespace

int main(int argumentCount, char** argumentValues) {
    prepareConsole();
    // On Windows the program's manifest makes the arguments UTF-8, whatever letters a path holds.
    const RunStart run = chooseRunVoice(std::vector<std::string>(argumentValues + 1, argumentValues + argumentCount));
    const int status = runGuarded(run.voice, run.arguments);
    if (consoleOpenedForThisRun()) {
        std::cout << "\n" << say(run.voice, message::tool_press_enter) << std::flush;
        readAnswerLine(std::cin);
    }
    return status;
}

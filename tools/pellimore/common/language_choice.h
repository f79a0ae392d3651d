// Which language a run of the tool speaks, and which keyboard its key names follow.
#pragma once

#include "pellimore/common/words.h"

#include <string>
#include <vector>

// A run's voice, and its arguments without the language option, for the commands.
struct RunStart {
    Voice voice;
    std::vector<std::string> arguments;
};

// Chooses the run's language: "--language xx" (or "--language=xx") among the
// arguments, else the PELLIMORE_LANGUAGE variable, else the first of the
// player's preferred languages that has a catalogue, else English. Key names
// and walking keys follow PELLIMORE_KEYBOARD, else the player's keyboard layouts.
RunStart chooseRunVoice(std::vector<std::string> arguments);

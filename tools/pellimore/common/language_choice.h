// Which language a run of the tool speaks, and which keyboard its key names follow.
#pragma once

#include <string>
#include <vector>

// Chooses the run's language: "--language xx" (or "--language=xx") among the
// arguments, else the PELLIMORE_LANGUAGE variable, else the first of the
// player's preferred languages that has a catalogue, else English. Key names
// follow PELLIMORE_KEYBOARD, else the keyboard layout. Returns the arguments
// without the option, for the commands.
std::vector<std::string> chooseRunLanguage(std::vector<std::string> arguments);

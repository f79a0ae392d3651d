// The per-tick settings load and the module state it fills: the game's own
// bindings and settings document. Tools use the pure evaluation instead.
#pragma once

#include "settings/hotkey_bindings.h"
#include "settings/ini_reader.h"
#include "settings/settings_evaluation.h"

#include <string>

// Written only by the settings load, read by the script loop, both on the script thread.
extern HotkeyBindings hotkeyBindings;

// "Pellimore.ini", relative to the game's working directory.
extern std::string settingsPath;

// The file's contents as last loaded.
extern IniDocument settingsDocument;

// Reloads the fourteen bindings from the settings file when it exists. A value
// that does not convert ends the load there; the failure is returned, not thrown.
// Without a file nothing changes and nothing is reported.
LoadStop loadHotkeySettings();

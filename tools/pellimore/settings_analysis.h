// What a settings file does in game: the module's own reader and load run on
// it, and the result is a report value that the printing only formats.
#pragma once

#include "pellimore/settings_survey.h"
#include "settings/hotkey_settings.h"

#include <cstdint>
#include <string>
#include <vector>

// Exit statuses of `pellimore check`, and the three verdicts.
constexpr int checkLoadsCleanly = 0;
constexpr int checkLoadsWithWarnings = 1;
constexpr int checkLoadFails = 2;

struct BindingRow {
    const BindingSource* source;
    std::string readFrom;  // the settings key the binding is read from
    std::string rawValue;  // as written, or "(missing)"
    int line = 0;          // of the key's last occurrence; 0 when absent
    bool loaded = false;
    std::int32_t code = 0;
    std::string state;     // what happens in game
};

struct SettingsReport {
    std::string path;
    std::string fileError;            // set when the file cannot be read at all
    std::vector<BindingRow> rows;     // the fourteen bindings in load order
    std::vector<Warning> warnings;    // sorted by line; whole-file ones first
    std::vector<std::string> notes;   // advice that does not change the verdict
    std::string loadError;            // the load's failure message, if it failed
    int verdict = checkLoadsCleanly;
};

// Reads the file and explains it, starting from the bindings a fresh game has.
SettingsReport analyzeSettingsFile(const std::string& path);

// What a settings file does in game: the plug-in's own reader and load rules
// run on its bytes, and the result is a report value that the printing and the
// editor page only present. Nothing here reads or changes the plug-in's state.
#pragma once

#include "pellimore/check/settings_finding.h"
#include "pellimore/common/exit_status.h"
#include "settings/hotkey_settings.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What a binding does in game, as the page tells keys apart.
enum class BindingState {
    Ok,
    Modifier,                  // xKey: held for the throws
    Off,                       // not a key code: the move is switched off
    KeepsPreviousKey,          // at or after the value that stopped the load
    NeverFiresSharedKey,       // an earlier move on the same key takes every release
    FiresOnlyWithoutModifier,  // an earlier throw on the same key takes it while the modifier is held
    NeverFiresOnModifier,      // a throw on the modifier's own key
    NeverFiresCodeZero,        // code 0, which no key sends
};

struct BindingRow {
    const BindingSource* source;
    std::string readFrom;  // the settings key the binding is read from
    std::string rawValue;  // as written, or "(missing)"
    int line = 0;          // of the key's last occurrence; 0 when absent
    bool loaded = false;
    std::int32_t code = 0;
    BindingState state = BindingState::Ok;
    std::string sharedWith;  // the earlier move, for the two shared-key states
};

// The name players know a binding by, as the editor lists it: "Knock out", "Modifier".
std::string playerNameOf(const BindingSource& source);

// The state as `pellimore check` words it ("never fires: same key as GrappleThrowFront").
std::string bindingStateText(const BindingRow& row);

struct SettingsReport {
    std::string path;
    std::string fileError;                  // set when the file cannot be read at all
    std::vector<BindingRow> rows;           // the fourteen bindings in load order
    std::vector<SettingsFinding> warnings;  // sorted by line; whole-file ones first
    std::vector<SettingsFinding> notes;     // advice that does not change the verdict
    std::string loadError;                  // the load's failure message, if it failed
    ExitStatus verdict = exitAllGood;
};

// Explains a file's bytes, starting from the bindings a fresh game has; path
// only names the file in the report.
SettingsReport analyzeSettingsBytes(std::string_view bytes, const std::string& path);

// Reads the file and explains it.
SettingsReport analyzeSettingsFile(const std::string& path);

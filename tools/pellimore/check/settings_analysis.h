// What a settings file does in game: the plug-in's own reader and load rules
// run on its bytes, and the result is a report of facts that the printing and
// the editor page only present. Nothing here reads or changes the plug-in's
// state, and nothing here is worded: check_wording.h says it.
#pragma once

#include "pellimore/check/settings_finding.h"
#include "pellimore/common/exit_status.h"
#include "pellimore/common/keyboard_layout.h"
#include "settings/settings_evaluation.h"

#include <cstdint>
#include <optional>
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
    FiresOnModifierRelease,    // on the modifier's key: letting go of the modifier fires it too
    NeverFiresNoModifier,      // a throw while the modifier is on no key (off, or code 0)
};

struct BindingRow {
    KeyOwner owner;                       // the move the binding triggers, or the modifier
    std::string readFrom;                 // the settings key the binding is read from
    std::optional<std::string> rawValue;  // as written; none when the key is missing
    int line = 0;                         // of the key's last occurrence; 0 when absent
    bool loaded = false;
    std::int32_t code = 0;
    BindingState state = BindingState::Ok;
    std::optional<MeleeAction> sharedWith;  // the earlier move, for the two shared-key states
};

// Why a file cannot be explained at all.
enum class FileProblem {
    None,
    Folder,         // the path is a folder
    Unreadable,     // no such file, or it cannot be read
    ProgramFile,    // some other file dropped by mistake: a program
    BinaryData,     // ... binary data
    ReadsLikeText,  // ... a text with no [Pellimore] section
};

struct SettingsReport {
    std::string path;
    FileProblem fileProblem = FileProblem::None;
    std::vector<BindingRow> rows;                       // the fourteen bindings in load order
    std::vector<SettingsFinding> warnings;              // sorted by line; whole-file ones first
    std::vector<SettingsFinding> notes;                 // advice that does not change the verdict
    ConversionError loadError = ConversionError::None;  // how the load failed, if it failed
    ExitStatus verdict = exitAllGood;
    bool empty = false;  // the file has no bytes: one finding says so, and the verdict
};

// The keyboards an analysis looks for walking keys on, where none are named: a US keyboard.
const std::vector<PlayerLayout>& usKeyboardOnly();

// Explains a file's bytes, starting from the bindings a fresh game has; path
// only names the file in the report. A move on a key the player walks with on
// one of `layouts` is a warning.
SettingsReport analyzeSettingsBytes(std::string_view bytes, const std::string& path,
                                    const std::vector<PlayerLayout>& layouts = usKeyboardOnly());

// Reads the file and explains its bytes.
SettingsReport analyzeSettingsFileContent(const std::string& path,
                                          const std::vector<PlayerLayout>& layouts = usKeyboardOnly());

// The same, and what the file itself says besides its bytes: a name the game
// never reads, a read-only file.
SettingsReport analyzeSettingsFile(const std::string& path,
                                   const std::vector<PlayerLayout>& layouts = usKeyboardOnly());

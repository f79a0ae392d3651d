// The settings load's rules as a pure function: what a settings file does to
// the bindings, from given bindings, touching no file and no module state, so
// tools can ask "what would the game do with these bytes" without a game.
#pragma once

#include "settings/decimal_conversion.h"
#include "settings/hotkey_bindings.h"
#include "settings/ini_reader.h"
#include "settings/move_table.h"

#include <string_view>

constexpr const char* settingsSectionName = "Pellimore";

// The file the game reads, in its working directory.
constexpr const char* settingsFileName = "Pellimore.ini";

// The settings key a binding is read from in this section: its own, or the
// fallback when the section lacks its own.
const char* effectiveSettingsKey(const KeyRow& key, const IniSection& section);

// Where and why a load stopped: no error and position -1 when it completed.
struct LoadStop {
    ConversionError error = ConversionError::None;
    int position = -1;  // index into loadOrder of the value that did not convert
};

// What one load does to the bindings. A value that does not convert ends the
// load there; that binding and every later one keep their values from before.
struct SettingsEvaluation {
    HotkeyBindings bindings;
    LoadStop stop;
};

// The load's own rules over a document already read, from the given bindings.
SettingsEvaluation evaluateSettings(const IniDocument& document, const HotkeyBindings& before);

// The same over a file's bytes, read as the game reads the file.
SettingsEvaluation evaluateSettingsBytes(std::string_view bytes, const HotkeyBindings& before);

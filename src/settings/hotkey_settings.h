// Re-reads the key bindings from the settings file on every tick.
#pragma once

#include "settings/decimal_conversion.h"
#include "settings/ini_reader.h"

#include <string>

constexpr const char* settingsSectionName = "Pellimore";

// "Pellimore.ini", relative to the game's working directory.
extern std::string settingsPath;

// The file's contents as last loaded.
extern IniDocument settingsDocument;

// Where one binding is read from: the settings key and, for the two throws
// that older files give no key of their own, the key read in its place.
struct BindingSource {
    std::int32_t* binding;
    const char* fieldName;
    const char* settingsKey;
    const char* fallbackSettingsKey;  // null for the bindings that have no fallback
};

constexpr int bindingSourceCount = 14;

// The bindings in load order; a failed conversion leaves its binding and all later ones as they were.
extern const BindingSource bindingSources[bindingSourceCount];

// The settings key a binding is read from in this section.
const char* effectiveSettingsKey(const BindingSource& source, const IniSection& section);

// How one load ended.
struct SettingsLoadResult {
    bool fileFound = false;
    ConversionError error = ConversionError::None;
    int failedSource = -1;  // index into bindingSources of the value that did not convert
};

// Reloads the fourteen bindings from the settings file when it exists. A value
// that does not convert ends the load there; the failure is returned, not thrown.
SettingsLoadResult loadHotkeySettings();

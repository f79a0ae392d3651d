// Re-reads the key bindings from the settings file on every tick.
#pragma once

#include "settings/ini_reader.h"

#include <string>

constexpr const char* settingsSectionName = "Pellimore";

// "Pellimore.ini", relative to the game's working directory.
extern std::string settingsPath;

// The file's contents as last loaded.
extern IniDocument settingsDocument;

// One binding the load fills: the settings key it reads and, for the two throws
// that share a key with another, the key read when their own is absent.
struct HotkeySetting {
    std::int32_t* binding;
    const char* fieldName;
    const char* settingsKey;
    const char* fallbackSettingsKey;  // null for the bindings that have no fallback
};

constexpr int hotkeySettingCount = 14;

// The bindings in load order; a failed conversion leaves its binding and all later ones as they were.
extern const HotkeySetting hotkeySettings[hotkeySettingCount];

// The settings key a binding is read from in this section.
const char* effectiveSettingsKey(const HotkeySetting& setting, const IniSection& section);

// Reloads the fourteen bindings from the settings file when it exists. A value
// that does not convert throws (see convertDecimal) and stops the load there.
void loadHotkeySettings();

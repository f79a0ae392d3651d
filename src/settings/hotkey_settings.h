// Re-reads the key bindings from the settings file on every tick.
#pragma once

#include "settings/decimal_conversion.h"
#include "settings/hotkey_bindings.h"
#include "settings/ini_reader.h"

#include <iterator>
#include <string>
#include <string_view>

constexpr const char* settingsSectionName = "Pellimore";

// "Pellimore.ini", relative to the game's working directory.
extern std::string settingsPath;

// The file's contents as last loaded.
extern IniDocument settingsDocument;

// Where one binding is read from: the settings key and, for the two throws
// that older files give no key of their own, the key read in its place.
struct BindingSource {
    std::int32_t HotkeyBindings::*binding;
    const char* fieldName;
    const char* settingsKey;
    const char* fallbackSettingsKey;  // null for the bindings that have no fallback
};

// The bindings in load order; a failed conversion leaves its binding and all later ones as they were.
inline constexpr BindingSource bindingSources[] = {
    {&HotkeyBindings::xKey, "xKey", "iXKey", nullptr},
    {&HotkeyBindings::knockout, "knockout", "iKnockout", nullptr},
    {&HotkeyBindings::execute, "execute", "iExecute", nullptr},
    {&HotkeyBindings::grappleFront, "grappleFront", "iGrappleFront", nullptr},
    {&HotkeyBindings::grappleBack, "grappleBack", "iGrappleBack", nullptr},
    {&HotkeyBindings::tackle, "tackle", "iTackle", nullptr},
    {&HotkeyBindings::grappleSwitchFrontToBack, "grappleSwitchFrontToBack", "iGrappleSwitchFrontToBack", nullptr},
    {&HotkeyBindings::grappleSwitchBackToFront, "grappleSwitchBackToFront", "iGrappleSwitchBackToFront", nullptr},
    {&HotkeyBindings::grappleSwitchFrontToMount, "grappleSwitchFrontToMount", "iGrappleSwitchFrontToMount", nullptr},
    {&HotkeyBindings::subdue, "subdue", "iSubdue", nullptr},
    {&HotkeyBindings::grappleThrowFront, "grappleThrowFront", "iGrappleThrowFront", nullptr},
    {&HotkeyBindings::grappleThrowLeft, "grappleThrowLeft", "iGrappleThrowLeft", nullptr},
    // Older files have no keys of their own for these two and share the keys above.
    {&HotkeyBindings::grappleThrowRight, "grappleThrowRight", "iGrappleThrowRight", "iGrappleThrowFront"},
    {&HotkeyBindings::grappleThrowBackLeft, "grappleThrowBackLeft", "iGrappleThrowBackLeft", "iGrappleThrowLeft"},
};
inline constexpr int bindingSourceCount = static_cast<int>(std::size(bindingSources));

// Every binding is loaded from somewhere: a field without a source fails the build.
static_assert(sizeof(HotkeyBindings) == bindingSourceCount * sizeof(std::int32_t),
              "every HotkeyBindings field needs its row in bindingSources");

// The settings key a binding is read from in this section.
const char* effectiveSettingsKey(const BindingSource& source, const IniSection& section);

// What one load does to the bindings: the bindings after it, and where and why
// it stopped. A value that does not convert ends the load there; that binding
// and every later one keep their values from before.
struct SettingsEvaluation {
    HotkeyBindings bindings;
    ConversionError error = ConversionError::None;
    int failedSource = -1;  // index into bindingSources of the value that did not convert
};

// The load's own rules over a document already read, from the given bindings.
// Touches no file and no module state, so tools can ask "what would the game
// do with these bytes" without disturbing a running game or each other.
SettingsEvaluation evaluateSettings(const IniDocument& document, const HotkeyBindings& before);

// The same over a file's bytes, read as the game reads the file.
SettingsEvaluation evaluateSettingsBytes(std::string_view bytes, const HotkeyBindings& before);

// How one load ended.
struct SettingsLoadResult {
    bool fileFound = false;
    ConversionError error = ConversionError::None;
    int failedSource = -1;  // index into bindingSources of the value that did not convert
};

// Reloads the fourteen bindings from the settings file when it exists. A value
// that does not convert ends the load there; the failure is returned, not thrown.
SettingsLoadResult loadHotkeySettings();

#include "settings/hotkey_settings.h"

#include "brawl/hotkey_bindings.h"
#include "settings/decimal_conversion.h"

std::string settingsPath = "Pellimore.ini";
IniDocument settingsDocument;

const HotkeySetting hotkeySettings[hotkeySettingCount] = {
    {&hotkeyBindings.xKey, "xKey", "iXKey", nullptr},
    {&hotkeyBindings.knockout, "knockout", "iKnockout", nullptr},
    {&hotkeyBindings.execute, "execute", "iExecute", nullptr},
    {&hotkeyBindings.grappleFront, "grappleFront", "iGrappleFront", nullptr},
    {&hotkeyBindings.grappleBack, "grappleBack", "iGrappleBack", nullptr},
    {&hotkeyBindings.tackle, "tackle", "iTackle", nullptr},
    {&hotkeyBindings.grappleSwitchFrontToBack, "grappleSwitchFrontToBack",
     "iGrappleSwitchFrontToBack", nullptr},
    {&hotkeyBindings.grappleSwitchBackToFront, "grappleSwitchBackToFront",
     "iGrappleSwitchBackToFront", nullptr},
    {&hotkeyBindings.grappleSwitchFrontToMount, "grappleSwitchFrontToMount",
     "iGrappleSwitchFrontToMount", nullptr},
    {&hotkeyBindings.subdue, "subdue", "iSubdue", nullptr},
    {&hotkeyBindings.grappleThrowFront, "grappleThrowFront", "iGrappleThrowFront", nullptr},
    {&hotkeyBindings.grappleThrowLeft, "grappleThrowLeft", "iGrappleThrowLeft", nullptr},
    // Older files have no keys of their own for these two and share the keys above.
    {&hotkeyBindings.grappleThrowRight, "grappleThrowRight", "iGrappleThrowRight",
     "iGrappleThrowFront"},
    {&hotkeyBindings.grappleThrowBackLeft, "grappleThrowBackLeft", "iGrappleThrowBackLeft",
     "iGrappleThrowLeft"},
};

const char* effectiveSettingsKey(const HotkeySetting& setting, const IniSection& section) {
    if (setting.fallbackSettingsKey && !section.findTrimmedValue(setting.settingsKey))
        return setting.fallbackSettingsKey;
    return setting.settingsKey;
}

void loadHotkeySettings() {
    {
        std::ifstream probe(settingsPath);
        // No file: keep the bindings and the document exactly as they are.
        if (!probe.is_open()) return;
    }
    settingsDocument.clear();
    settingsDocument.parseFile(settingsPath);
    // Nothing changes the document during the load, so one look-up of the
    // section, without a copy, serves all fourteen bindings.
    static const IniSection noSection;
    const IniSection* found = settingsDocument.findTrimmedSection(settingsSectionName);
    const IniSection& section = found ? *found : noSection;
    for (const HotkeySetting& setting : hotkeySettings) {
        const std::string* text = section.findTrimmedValue(effectiveSettingsKey(setting, section));
        *setting.binding = convertDecimal(text ? std::string_view(*text) : std::string_view());
    }
}

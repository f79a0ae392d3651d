#include "settings/hotkey_settings.h"

#include "settings/hotkey_bindings.h"

std::string settingsPath = "Pellimore.ini";
IniDocument settingsDocument;

const BindingSource bindingSources[bindingSourceCount] = {
    {&hotkeyBindings.xKey, "xKey", "iXKey", nullptr},
    {&hotkeyBindings.knockout, "knockout", "iKnockout", nullptr},
    {&hotkeyBindings.execute, "execute", "iExecute", nullptr},
    {&hotkeyBindings.grappleFront, "grappleFront", "iGrappleFront", nullptr},
    {&hotkeyBindings.grappleBack, "grappleBack", "iGrappleBack", nullptr},
    {&hotkeyBindings.tackle, "tackle", "iTackle", nullptr},
    {&hotkeyBindings.grappleSwitchFrontToBack, "grappleSwitchFrontToBack", "iGrappleSwitchFrontToBack", nullptr},
    {&hotkeyBindings.grappleSwitchBackToFront, "grappleSwitchBackToFront", "iGrappleSwitchBackToFront", nullptr},
    {&hotkeyBindings.grappleSwitchFrontToMount, "grappleSwitchFrontToMount", "iGrappleSwitchFrontToMount",
     nullptr},
    {&hotkeyBindings.subdue, "subdue", "iSubdue", nullptr},
    {&hotkeyBindings.grappleThrowFront, "grappleThrowFront", "iGrappleThrowFront", nullptr},
    {&hotkeyBindings.grappleThrowLeft, "grappleThrowLeft", "iGrappleThrowLeft", nullptr},
    // Older files have no keys of their own for these two and share the keys above.
    {&hotkeyBindings.grappleThrowRight, "grappleThrowRight", "iGrappleThrowRight", "iGrappleThrowFront"},
    {&hotkeyBindings.grappleThrowBackLeft, "grappleThrowBackLeft", "iGrappleThrowBackLeft", "iGrappleThrowLeft"},
};

const char* effectiveSettingsKey(const BindingSource& source, const IniSection& section) {
    if (source.fallbackSettingsKey && !section.findTrimmedValue(source.settingsKey))
        return source.fallbackSettingsKey;
    return source.settingsKey;
}

SettingsLoadResult loadHotkeySettings() {
    SettingsLoadResult result;
    // No file: keep the bindings and the document exactly as they are.
    if (!canOpenForReading(settingsPath)) return result;
    result.fileFound = true;
    settingsDocument.clear();
    settingsDocument.parseFile(settingsPath);
    // Nothing changes the document during the load, so one look-up of the
    // section, without a copy, serves all fourteen bindings.
    static const IniSection noSection;
    const IniSection* found = settingsDocument.findTrimmedSection(settingsSectionName);
    const IniSection& section = found ? *found : noSection;
    for (int index = 0; index < bindingSourceCount; ++index) {
        const BindingSource& source = bindingSources[index];
        const std::string* text = section.findTrimmedValue(effectiveSettingsKey(source, section));
        const DecimalConversion converted = convertDecimal(text ? std::string_view(*text) : std::string_view());
        if (converted.error != ConversionError::None) {
            result.error = converted.error;
            result.failedSource = index;
            return result;
        }
        *source.binding = converted.value;
    }
    return result;
}

#include "settings/hotkey_settings.h"

std::string settingsPath = "Pellimore.ini";
IniDocument settingsDocument;

const char* effectiveSettingsKey(const BindingSource& source, const IniSection& section) {
    if (source.fallbackSettingsKey && !section.findTrimmedValue(source.settingsKey)) return source.fallbackSettingsKey;
    return source.settingsKey;
}

SettingsEvaluation evaluateSettings(const IniDocument& document, const HotkeyBindings& before) {
    SettingsEvaluation evaluation{before};
    // Nothing changes the document during the load, so one look-up of the
    // section, without a copy, serves all fourteen bindings.
    static const IniSection noSection;
    const IniSection* found = document.findTrimmedSection(settingsSectionName);
    const IniSection& section = found ? *found : noSection;
    for (int index = 0; index < bindingSourceCount; ++index) {
        const BindingSource& source = bindingSources[index];
        const std::string* text = section.findTrimmedValue(effectiveSettingsKey(source, section));
        const DecimalConversion converted = convertDecimal(text ? std::string_view(*text) : std::string_view());
        if (converted.error != ConversionError::None) {
            evaluation.error = converted.error;
            evaluation.failedSource = index;
            return evaluation;
        }
        evaluation.bindings.*source.binding = converted.value;
    }
    return evaluation;
}

SettingsEvaluation evaluateSettingsBytes(std::string_view bytes, const HotkeyBindings& before) {
    IniDocument document;
    document.parseBytes(bytes);
    return evaluateSettings(document, before);
}

SettingsLoadResult loadHotkeySettings() {
    // No file: keep the bindings and the document exactly as they are.
    if (!canOpenForReading(settingsPath)) return {};
    settingsDocument.clear();
    settingsDocument.parseFile(settingsPath);
    const SettingsEvaluation evaluation = evaluateSettings(settingsDocument, hotkeyBindings);
    hotkeyBindings = evaluation.bindings;
    return {true, evaluation.error, evaluation.failedSource};
}

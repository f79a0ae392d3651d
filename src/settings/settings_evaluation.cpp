#include "settings/settings_evaluation.h"

#include <array>

const char* effectiveSettingsKey(const KeyRow& key, const IniSection& section) {
    if (key.fallbackSettingsKey && !section.findTrimmedValue(key.settingsKey)) return key.fallbackSettingsKey;
    return key.settingsKey;
}

namespace {

// The key rows in load order, resolved once when compiled: the per-tick load walks them directly.
constexpr auto keysInLoadOrder = [] {
    std::array<const KeyRow*, loadOrderLength> keys{};
    for (int position = 0; position < loadOrderLength; ++position) keys[position] = &keyRow(loadOrder[position]);
    return keys;
}();

}  // namespace

SettingsEvaluation evaluateSettings(const IniDocument& document, const HotkeyBindings& before) {
    SettingsEvaluation evaluation{before, {}};
    // Nothing changes the document during the load, so one look-up of the
    // section, without a copy, serves all fourteen bindings.
    static const IniSection noSection;
    const IniSection* found = document.findTrimmedSection(settingsSectionName);
    const IniSection& section = found ? *found : noSection;
    for (int position = 0; position < loadOrderLength; ++position) {
        const KeyRow& key = *keysInLoadOrder[position];
        const std::string* text = section.findTrimmedValue(effectiveSettingsKey(key, section));
        const DecimalConversion converted = convertDecimal(text ? std::string_view(*text) : std::string_view());
        if (converted.error != ConversionError::None) {
            evaluation.stop = {converted.error, position};
            return evaluation;
        }
        evaluation.bindings.*key.binding = converted.value;
    }
    return evaluation;
}

SettingsEvaluation evaluateSettingsBytes(std::string_view bytes, const HotkeyBindings& before) {
    IniDocument document;
    document.parseBytes(bytes);
    return evaluateSettings(document, before);
}

#include "settings/hotkey_settings.h"

HotkeyBindings hotkeyBindings{};
std::string settingsPath = settingsFileName;
IniDocument settingsDocument;

LoadStop loadHotkeySettings() {
    // No file: keep the bindings and the document exactly as they are.
    if (!canOpenForReading(settingsPath)) return {};
    settingsDocument.clear();
    settingsDocument.parseFile(settingsPath);
    const SettingsEvaluation evaluation = evaluateSettings(settingsDocument, hotkeyBindings);
    hotkeyBindings = evaluation.bindings;
    return evaluation.stop;
}

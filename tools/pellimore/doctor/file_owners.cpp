#include "pellimore/doctor/file_owners.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"
#include "pellimore/doctor/module_version.h"
#include "settings/settings_evaluation.h"

namespace fs = std::filesystem;

namespace {

bool sameBindings(const HotkeyBindings& a, const HotkeyBindings& b) {
    for (const KeyOwner owner : loadOrder)
        if (const auto binding = keyRow(owner).binding; binding && a.*binding != b.*binding) return false;
    return true;
}

std::string digestOf(const std::optional<std::string>& bytes) { return bytes ? sha256Hex(*bytes) : ""; }

}  // namespace

bool holdsOnlyShippedKeys(const fs::path& file, const DoctorContext& context) {
    const auto bytes = readWholeFile(file);
    if (!bytes) return false;
    if (!context.releasedSettingsDigest.empty() && sha256Hex(*bytes) == context.releasedSettingsDigest) return true;
    return sameBindings(evaluateSettingsBytes(*bytes, HotkeyBindings{}).bindings, HotkeyBindings{});
}

SecondSettings secondSettingsFile(const fs::path& installed, const fs::path& other, const DoctorContext& context) {
    if (readWholeFile(installed) == readWholeFile(other) || holdsOnlyShippedKeys(other, context))
        return SecondSettings::AddsNothing;
    return holdsOnlyShippedKeys(installed, context) ? SecondSettings::Replaces : SecondSettings::Differs;
}

ModuleKept keptModule(const fs::path& installed, const fs::path& other, const DoctorContext& context) {
    const std::string released = context.releasedModuleDigest;
    const std::string installedDigest = digestOf(readWholeFile(installed));
    if (installedDigest == digestOf(readWholeFile(other))) return ModuleKept::Installed;
    if (!released.empty() && installedDigest == released) return ModuleKept::Installed;
    if (!released.empty() && digestOf(readWholeFile(other)) == released) return ModuleKept::Other;
    const auto installedVersion = moduleFileVersion(installed);
    const auto otherVersion = moduleFileVersion(other);
    if (!installedVersion || !otherVersion) return ModuleKept::PlayerChooses;
    const int order = compareVersions(*otherVersion, *installedVersion);
    return order > 0 ? ModuleKept::Other : order < 0 ? ModuleKept::Installed : ModuleKept::PlayerChooses;
}

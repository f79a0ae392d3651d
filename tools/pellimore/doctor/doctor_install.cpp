// The files that must be in place for the game to load Pellimore at all.
#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"
#include "pellimore/doctor/file_owners.h"
#include "pellimore/doctor/install_record.h"
#include "pellimore/doctor/module_version.h"
#include "settings/settings_evaluation.h"

namespace doctor {

namespace {

// Other names an ASI loader goes by; two loaders in one game folder fight.
const char* const otherLoaderNames[] = {"version.dll", "winmm.dll", "dsound.dll", "winhttp.dll", "wininet.dll"};

const char* fileName(HookFile file) { return file == HookFile::Hook ? "ScriptHookRDR2.dll" : "dinput8.dll"; }

// A file the hook's archive ships: beside RDR2.exe, or only in its bin\ folder.
void checkHookFile(DoctorReport& report, const fs::path& folder, HookFile file) {
    const std::string name = fileName(file);
    const auto found = findEntry(folder, name);
    const auto copies = found ? std::vector<fs::path>() : misplacedCopies(folder, name);
    Finding& finding =
        found ? (isWindowsLibrary(*found) ? add(report, Severity::Ok, DoctorFindingKind::HookFileInstalled)
                                          : add(report, Severity::Blocker, DoctorFindingKind::HookFileDamaged))
              : add(report, Severity::Blocker,
                    copies.empty() ? DoctorFindingKind::HookFileMissing : DoctorFindingKind::HookFileMisplaced);
    finding.hookFile = file;
    finding.file = name;
    finding.paths = shownPaths(copies);
    // The hook's archive has a bin\ folder, and players copy it whole: from there the doctor can move it.
    for (const fs::path& copy : copies)
        if (lowerCase(textFromPath(copy.parent_path())) == "bin") finding.source = copy;
}

// This release's version with other bytes than this release's module: damaged, or changed by another program.
// A module of another version is a version finding, and where the release's digest is unknown nothing is said.
bool isNotTheReleasedModule(const fs::path& module, const std::optional<std::string>& version,
                            const DoctorContext& context) {
    if (!version || *version != PELLIMORE_VERSION || context.releasedModuleDigest.empty()) return false;
    const auto bytes = readWholeFile(module);
    return bytes && sha256Hex(*bytes) != context.releasedModuleDigest;
}

void checkVersion(DoctorReport& report, const fs::path& module, const std::string& where,
                  const DoctorContext& context) {
    const auto version = moduleFileVersion(module);
    Finding& finding = !version ? add(report, Severity::Attention, DoctorFindingKind::ModuleWithoutVersion)
                       : *version != PELLIMORE_VERSION
                           ? add(report, Severity::Attention, DoctorFindingKind::ModuleOtherVersion)
                       : isNotTheReleasedModule(module, version, context)
                           ? add(report, Severity::Blocker, DoctorFindingKind::ModuleNotReleased)
                           : add(report, Severity::Ok, DoctorFindingKind::ModuleSameVersion);
    finding.file = where;
    finding.version = version.value_or("");
}

// Files that only an install of Pellimore leaves in the game folder: its settings, its tools with
// this very program, or the doctor's own record of a Pellimore.asi seen here before.
std::vector<std::string> evidenceOfInstall(const fs::path& folder, const DoctorContext& context) {
    std::vector<std::string> evidence;
    if (findEntry(folder, settingsFileName)) evidence.emplace_back(settingsFileName);
    std::error_code error;
    if (context.toolFile.parent_path().parent_path() == folder && fs::exists(context.toolFile, error))
        evidence.push_back(shown(context.toolFile.parent_path().filename()));
    if (hasInstallRecord(folder, context)) evidence.emplace_back(installRecordName);
    return evidence;
}

// Pellimore files in a subfolder: a release extracted into a folder of its own
// (Windows' "Extract All" proposes one), or a single file put where another
// mod's files go.
void reportMisplacedModule(DoctorReport& report, const fs::path& folder, const fs::path& copy,
                           const DoctorContext& context) {
    const fs::path subfolder = copy.parent_path();
    Finding& finding = add(report, Severity::Blocker, DoctorFindingKind::ModuleMisplaced);
    finding.file = shown(subfolder);
    finding.extracted = lowerCase(textFromPath(subfolder)).starts_with("pellimore");
    // Only a release's own folder is moved from: another mod's folder is that mod's business.
    if (isReleaseFolder(subfolder)) finding.source = copy;
    checkVersion(report, folder / copy, shown(copy), context);
}

// Of several copies of the module, the one that would stay: this release's bytes, else the newest.
fs::path preferredCopy(const fs::path& folder, const std::vector<fs::path>& copies, const DoctorContext& context) {
    fs::path best = copies.front();
    for (const fs::path& copy : copies)
        if (keptModule(folder / best, folder / copy, context) == ModuleKept::Other) best = copy;
    return best;
}

// A release folder beside an installed module: an update waiting, where its module would stay.
void checkUpdateWaiting(DoctorReport& report, const fs::path& folder, const fs::path& installed,
                        const std::vector<fs::path>& copies, const DoctorContext& context) {
    std::vector<fs::path> releases;
    for (const fs::path& copy : copies)
        if (isReleaseFolder(copy.parent_path())) releases.push_back(copy);
    if (releases.empty()) return;
    const fs::path release = preferredCopy(folder, releases, context);
    const ModuleKept kept = keptModule(installed, folder / release, context);
    if (kept == ModuleKept::Installed) return;
    Finding& finding = add(report, Severity::Attention, DoctorFindingKind::ModuleUpdateWaiting);
    finding.file = shown(release);
    finding.source = release;
    finding.version = moduleFileVersion(folder / release).value_or("");
    finding.kept = kept;
}

// Pellimore.asi renamed so the loader skips it ("Pellimore.asi.disabled", as mod managers do).
std::optional<std::string> switchedOffModule(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = textFromPath(entry->path().filename());
        if (lowerCase(name).starts_with("pellimore.asi.")) return name;
    }
    return std::nullopt;
}

}  // namespace

bool checkGame(DoctorReport& report, const fs::path& folder) {
    const bool found = findEntry(folder, "RDR2.exe").has_value();
    add(report, found ? Severity::Ok : Severity::Blocker,
        found ? DoctorFindingKind::GameFolder : DoctorFindingKind::NotGameFolder);
    return found;
}

void checkHook(DoctorReport& report, const fs::path& folder) { checkHookFile(report, folder, HookFile::Hook); }

void checkLoader(DoctorReport& report, const fs::path& folder) {
    std::vector<fs::path> others;
    for (const char* name : otherLoaderNames)
        if (const auto found = findEntry(folder, name)) others.push_back(found->filename());
    if (!findEntry(folder, fileName(HookFile::Loader)) && !others.empty()) {
        add(report, Severity::Note, DoctorFindingKind::OtherLoaderOnly).paths = shownPaths(others);
        return;
    }
    checkHookFile(report, folder, HookFile::Loader);
    if (!others.empty()) add(report, Severity::Attention, DoctorFindingKind::SecondLoader).paths = shownPaths(others);
}

void checkPlugin(DoctorReport& report, const fs::path& folder, const DoctorContext& context) {
    const auto beside = findEntry(folder, "Pellimore.asi");
    const auto copies = misplacedCopies(folder, "Pellimore.asi");
    if (beside && !isWindowsLibrary(*beside)) {
        add(report, Severity::Blocker, DoctorFindingKind::ModuleDamaged);
    } else if (beside) {
        checkVersion(report, *beside, "Pellimore.asi", context);
        std::vector<fs::path> loadable;
        for (const fs::path& copy : copies)
            if (!isReleaseFolder(copy.parent_path())) loadable.push_back(copy);
        if (!loadable.empty())
            add(report, Severity::Attention, DoctorFindingKind::ModuleExtraCopies).paths = shownPaths(loadable);
        checkUpdateWaiting(report, folder, *beside, copies, context);
    } else if (!copies.empty()) {
        reportMisplacedModule(report, folder, preferredCopy(folder, copies, context), context);
    } else if (const auto switchedOff = switchedOffModule(folder)) {
        Finding& finding = add(report, Severity::Blocker, DoctorFindingKind::ModuleSwitchedOff);
        finding.file = *switchedOff;
        finding.source = pathFromText(*switchedOff);
    } else if (const auto evidence = evidenceOfInstall(folder, context); !evidence.empty()) {
        add(report, Severity::Blocker, DoctorFindingKind::ModuleMissingAfterInstall).paths = evidence;
    } else {
        add(report, Severity::Blocker, DoctorFindingKind::ModuleMissing);
    }
}

// Explorer's "Pellimore - Copy.asi", or Pellimore under a name of the player's:
// the loader loads every .asi beside RDR2.exe, so each would order every move again.
void checkPluginCopies(DoctorReport& report, const fs::path& folder, const DoctorContext& context) {
    const auto original = findEntry(folder, "Pellimore.asi");
    const std::optional<std::string> originalBytes = original ? readWholeFile(*original) : std::nullopt;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = textFromPath(entry->path().filename());
        const std::string lower = lowerCase(name);
        if (!lower.ends_with(".asi") || lower == "pellimore.asi" || name.find(':') != std::string::npos) continue;
        const bool named = lower.starts_with("pellimore");
        if (!named && !(originalBytes && readWholeFile(entry->path()) == originalBytes)) continue;
        Finding& finding = add(report, Severity::Blocker, DoctorFindingKind::ModuleSecondCopy);
        finding.file = name;
        finding.source = entry->path().filename();
        finding.kept = original ? keptModule(*original, entry->path(), context) : ModuleKept::Other;
    }
}

}  // namespace doctor

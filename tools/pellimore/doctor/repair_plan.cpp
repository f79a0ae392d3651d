#include "pellimore/doctor/repair_plan.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"
#include "pellimore/doctor/module_version.h"

#include <algorithm>

namespace doctor {

namespace {

// Mod managers deploy by links; such a file is theirs to move.
bool isLinked(const fs::path& file) {
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(file, error)) || fs::hard_link_count(file, error) > 1;
}

bool sameBytes(const fs::path& a, const fs::path& b) { return readWholeFile(a) == readWholeFile(b); }

// Every entry of a folder whose name passes the test, sorted; names with ':' are streams, not files.
std::vector<fs::path> entriesNamed(const fs::path& folder, bool (*wanted)(const std::string& lowerName)) {
    std::vector<fs::path> found;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = textFromPath(entry->path().filename());
        if (name.find(':') == std::string::npos && wanted(lowerCase(name))) found.push_back(entry->path().filename());
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool isReleaseFolderName(const std::string& name) {
    return name.starts_with("pellimore-") && name != "pellimore-tools";
}
bool isModuleCopyName(const std::string& name) {
    return name.ends_with(".asi") && name.starts_with("pellimore") && name != "pellimore.asi";
}
bool isMisnamedSettings(const std::string& name) {
    return name.starts_with("pellimore") && name != "pellimore.ini" &&
           (name.ends_with(".ini.txt") || (name.ends_with(".ini") && name.find(' ') != std::string::npos));
}
bool isSwitchedOffModule(const std::string& name) { return name.starts_with("pellimore.asi."); }

class Planner {
public:
    Planner(const fs::path& game, const std::string& stamp) : game(game), stamp(stamp) {}

    void add(RepairReason reason, const fs::path& from, const fs::path& to, bool consent) {
        if (isLinked(game / from)) {
            plan.leftAlone.push_back(from);
            return;
        }
        std::error_code error;
        if (fs::exists(game / to, error)) plan.steps.push_back({RepairReason::SetAside, to, bakName(to), consent});
        plan.steps.push_back({reason, from, to, consent});
    }

    // "Pellimore.ini.20261208-2312.bak", with a counter where that is taken.
    fs::path bakName(const fs::path& file) {
        for (int counter = 0;; ++counter) {
            fs::path name = file;
            name += "." + stamp + (counter ? "-" + std::to_string(counter) : "") + ".bak";
            std::error_code error;
            if (!fs::exists(game / name, error) && !planned(name)) return name;
        }
    }

    bool planned(const fs::path& target) const {
        return std::any_of(plan.steps.begin(), plan.steps.end(),
                           [&](const RepairStep& step) { return step.to == target; });
    }

    bool exists(const fs::path& relative) const {
        std::error_code error;
        return fs::exists(game / relative, error) || planned(relative);
    }

    const fs::path game;
    const std::string stamp;
    RepairPlan plan;
};

// The release to take the module from: the newest version among the release folders, the first of equals.
std::optional<fs::path> releaseToUse(const fs::path& game) {
    std::optional<fs::path> best;
    std::string bestVersion;
    for (const fs::path& folder : entriesNamed(game, isReleaseFolderName)) {
        const auto module = findEntry(game / folder, "Pellimore.asi");
        if (!module) continue;
        const std::string version = moduleFileVersion(*module).value_or("");
        if (!best || version > bestVersion) best = folder, bestVersion = version;
    }
    return best;
}

void planRelease(Planner& planner, const std::vector<fs::path>& settingsCandidates) {
    const auto release = releaseToUse(planner.game);
    if (!release) return;
    const auto module = findEntry(planner.game / *release, "Pellimore.asi");
    const auto beside = findEntry(planner.game, "Pellimore.asi");
    if (!beside)
        planner.add(RepairReason::ModuleFromRelease, *release / module->filename(), "Pellimore.asi", false);
    else if (!sameBytes(*beside, *module))
        planner.add(RepairReason::ModuleFromRelease, *release / module->filename(), "Pellimore.asi", true);
    // The player's keys always win: the release's file goes in only where there is none and no other to rename.
    const auto settings = findEntry(planner.game / *release, "Pellimore.ini");
    if (settings && !findEntry(planner.game, "Pellimore.ini") && settingsCandidates.empty())
        planner.add(RepairReason::SettingsFromRelease, *release / settings->filename(), "Pellimore.ini", false);
}

// Settings files the game never reads: misnamed beside RDR2.exe, or in a subfolder mods use.
std::vector<fs::path> settingsCandidates(const fs::path& game) {
    std::vector<fs::path> candidates = entriesNamed(game, isMisnamedSettings);
    for (const char* folder : {"scripts", "plugins"})
        if (const auto found = findEntry(game / folder, "Pellimore.ini"))
            candidates.push_back(fs::path(folder) / found->filename());
    return candidates;
}

void planSettings(Planner& planner, const std::vector<fs::path>& candidates) {
    if (candidates.empty()) return;
    // One candidate and no file of the right name: surely meant. Otherwise the player decides.
    const bool meant = candidates.size() == 1 && !findEntry(planner.game, "Pellimore.ini");
    planner.add(RepairReason::SettingsRenamed, candidates.front(), "Pellimore.ini", !meant);
}

void planModuleCopies(Planner& planner, const fs::path& setAsideFolder) {
    const auto original = findEntry(planner.game, "Pellimore.asi");
    std::vector<fs::path> copies = entriesNamed(planner.game, isModuleCopyName);
    std::error_code error;
    for (fs::directory_iterator entry(planner.game, error), end; !error && entry != end; entry.increment(error)) {
        const std::string name = lowerCase(textFromPath(entry->path().filename()));
        if (original && name.ends_with(".asi") && !isModuleCopyName(name) && name != "pellimore.asi" &&
            sameBytes(entry->path(), *original))
            copies.push_back(entry->path().filename());
    }
    for (const fs::path& copy : copies)
        planner.add(RepairReason::ModuleCopySetAside, copy, setAsideFolder / copy, false);
}

void planSwitchedOff(Planner& planner) {
    if (planner.exists("Pellimore.asi")) return;
    const auto switchedOff = entriesNamed(planner.game, isSwitchedOffModule);
    if (!switchedOff.empty()) planner.add(RepairReason::ModuleSwitchedOn, switchedOff.front(), "Pellimore.asi", true);
}

void planHook(Planner& planner) {
    const auto bin = findEntry(planner.game, "bin");
    if (!bin) return;
    for (const char* name : {"ScriptHookRDR2.dll", "dinput8.dll"}) {
        const auto inBin = findEntry(*bin, name);
        // Another mod's loader or hook beside RDR2.exe is never set aside.
        if (inBin && !findEntry(planner.game, name))
            planner.add(RepairReason::HookFromBin, bin->filename() / inBin->filename(), name, true);
    }
}

}  // namespace

}  // namespace doctor

RepairPlan planRepairs(const std::filesystem::path& game, const std::string& stamp) {
    doctor::Planner planner(game, stamp);
    const auto candidates = doctor::settingsCandidates(game);
    const auto tools = doctor::findEntry(game, "Pellimore-tools");
    const std::filesystem::path setAside =
        tools ? tools->filename() / "set-aside" : std::filesystem::path("Pellimore-set-aside");
    doctor::planRelease(planner, candidates);
    doctor::planSettings(planner, candidates);
    doctor::planModuleCopies(planner, setAside);
    doctor::planSwitchedOff(planner);
    doctor::planHook(planner);
    return planner.plan;
}

RepairPlan safeStepsOf(const RepairPlan& plan) {
    RepairPlan safe{{}, plan.leftAlone};
    for (const RepairStep& step : plan.steps)
        if (!step.needsConsent) safe.steps.push_back(step);
    return safe;
}

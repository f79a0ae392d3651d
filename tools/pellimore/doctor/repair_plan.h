// What the doctor can put right itself, planned in full before anything is
// touched: each step moves or renames one file, never deletes one and never
// writes over one (a file in the way is set aside under a .bak name first).
// The plan is facts; doctor_wording.h says it, repair_run.h carries it out.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

enum class RepairReason {
    ModuleFromRelease,    // Pellimore.asi from a release extracted into a folder of its own
    SettingsFromRelease,  // the release's Pellimore.ini, only where the player has none
    SettingsRenamed,      // Pellimore.ini.txt, Pellimore (1).ini, or a copy in scripts\ becomes Pellimore.ini
    ModuleCopySetAside,   // a second copy of the module moved out of the loader's reach
    ModuleSwitchedOn,     // Pellimore.asi.disabled renamed back
    HookFromBin,          // the hook's files moved out of its bin\ folder
    SetAside,             // a file in the way, kept under a .bak name
};

struct RepairStep {
    RepairReason reason;
    std::filesystem::path from;  // inside the game folder, relative to it
    std::filesystem::path to;
    bool needsConsent = false;  // a judgement call: only after the player's yes, never under --fix
};

struct RepairPlan {
    std::vector<RepairStep> steps;
    std::vector<std::filesystem::path> leftAlone;  // links, which mod managers own: never touched
};

// The steps that would put the game folder right. The .bak names carry the
// stamp given (the time, say) and a counter, so no two repairs collide.
RepairPlan planRepairs(const std::filesystem::path& game, const std::string& stamp);

// The plan without the steps that need the player's yes, and without the
// steps that only make room for them.
RepairPlan safeStepsOf(const RepairPlan& plan);

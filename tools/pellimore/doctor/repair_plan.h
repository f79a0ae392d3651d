// What the doctor can put right itself, planned from the findings the player
// has just read, in full before anything is touched: each step moves or
// renames one file, never deletes one and never writes over one (a file in
// the way is set aside under a .bak name first). Every repairable kind of
// finding gives its steps in one switch; no step exists without a finding.
// The plan is facts; doctor_wording.h says it, repair_run.h carries it out.
#pragma once

#include "pellimore/doctor/doctor.h"

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
    AddsNothing,          // a second settings file with nothing of the player's in it, kept under a .bak name
    NotKept,              // of two files the player chose between, the other, kept under a .bak name
    ModuleKeptNewer,      // this release's or the newer Pellimore.asi, in place of the one the game loads now
};

struct RepairStep {
    RepairReason reason;
    std::filesystem::path from;  // inside the game folder, relative to it
    std::filesystem::path to;
    bool needsConsent = false;  // a judgement call: only after the player's yes, never under --fix
};

// Two files only the player can choose between: both settings files with keys of their own, or two modules
// of which neither is this release's nor newer. 1 keeps the installed one, 2 the other; anything else, neither.
struct RepairChoice {
    std::filesystem::path installed;  // Pellimore.ini or Pellimore.asi beside RDR2.exe
    std::filesystem::path other;
    bool module = false;
};

struct RepairPlan {
    std::vector<RepairStep> steps;
    std::vector<std::filesystem::path> leftAlone;  // links, which mod managers own: never touched
    std::vector<RepairChoice> choices;             // asked before the plan; never under --fix
};

// The steps that would put right what the report found. The .bak names carry
// the stamp given (the time, say) and a counter, so no two repairs collide.
RepairPlan planRepairs(const std::filesystem::path& game, const DoctorReport& report, const std::string& stamp);

// The plan with the player's answer to one of its choices: 1 or 2 adds the steps that keep that file.
RepairPlan withAnswer(const std::filesystem::path& game, RepairPlan plan, const RepairChoice& choice, int answer,
                      const std::string& stamp);

// The plan without the steps that need the player's yes, without the steps
// that only make room for them, and without its choices.
RepairPlan safeStepsOf(const RepairPlan& plan);

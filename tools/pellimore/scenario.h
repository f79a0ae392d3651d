// A simulation scenario: a small text file of world set-up, key events, time,
// ticks, settings file edits and expectations, one step per line.
#pragma once

#include "brawl/melee_actions.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

enum class StepKind {
    SetPeds,
    SetPlayer,
    SetQualifying,
    SetReportedCount,
    SetTime,
    PressKey,
    ReleaseKey,
    Wait,
    Tick,
    WriteSettings,
    DeleteSettings,
    ExpectMove,
    ExpectNothing,
};

struct ScenarioStep {
    StepKind kind;
    int line = 0;
    std::vector<std::int32_t> handles;     // peds, qualifying peds, or expected receivers
    std::int64_t number = 0;               // player, count, time, key code, milliseconds, ticks
    bool flag = false;                     // qualifying yes/no; count set; receivers given
    MeleeAction action = MeleeAction::Knockout;
    std::string text;                      // settings file contents, or the key as written
};

struct Scenario {
    std::string fileName;
    std::vector<ScenarioStep> steps;
};

// A malformed scenario line: where, and what was expected there.
class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Parses scenario text; throws ScenarioError naming the file and line.
Scenario parseScenario(const std::string& text, const std::string& fileName);

// Reads and parses a scenario file; throws ScenarioError when it cannot be read.
Scenario loadScenarioFile(const std::string& path);

// The move with this name ("GrappleThrowFront", any letter case), if there is one.
std::optional<MeleeAction> parseMeleeAction(const std::string& name);

// The scenario `pellimore sim` runs when given none.
extern const char* builtInScenarioText;

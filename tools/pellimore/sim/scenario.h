// A simulation scenario: a small text file of world set-up, key events, time,
// ticks, settings file edits and expectations, one step per line.
#pragma once

#include "brawl/melee_actions.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

// One kind of step each; what it holds is what the line gave.
namespace steps {
struct SetPeds {
    std::vector<std::int32_t> handles;
};
struct SetPlayer {
    std::int32_t handle;
};  // 0: no ped is the player's
struct SetQualifying {
    std::vector<std::int32_t> handles;
    bool qualifies;
};
struct SetReportedCount {
    std::optional<std::int32_t> count;
};  // none: the list's own size
struct SetTime {
    std::uint32_t milliseconds;
};
struct SendKey {
    std::uint32_t keyCode;
    bool release;
};
struct Wait {
    std::uint32_t milliseconds;
};
struct RunTicks {
    std::int32_t count;
};
struct WriteSettings {
    std::string text;
};
struct DeleteSettings {};
struct ExpectMove {
    MeleeAction action;
    std::optional<std::vector<std::int32_t>> receivers;
};
struct ExpectNothing {};
}  // namespace steps

using StepAction = std::variant<steps::SetPeds, steps::SetPlayer, steps::SetQualifying, steps::SetReportedCount,
                                steps::SetTime, steps::SendKey, steps::Wait, steps::RunTicks, steps::WriteSettings,
                                steps::DeleteSettings, steps::ExpectMove, steps::ExpectNothing>;

struct ScenarioStep {
    int line = 0;
    StepAction action;
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
std::string builtInScenarioText();

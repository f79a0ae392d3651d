#include "pellimore/sim/simulator.h"

#include "brawl/script_loop.h"
#include "host/key_state_table.h"
#include "module_sandbox.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/sim/native_log_decoding.h"
#include "standin_host.h"

#include <algorithm>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

struct TickRecord {
    std::vector<FiredAction> fired;
    std::vector<std::string> settingsErrors;
};

void noteSettingsError(void* context, const char* message) {
    static_cast<TickRecord*>(context)->settingsErrors.emplace_back(message);
}

void noteActionFiring(void* context, MeleeAction action) {
    static_cast<TickRecord*>(context)->fired.push_back({action, standinNativeCallCount(), {}});
}

std::string handleList(const std::vector<std::int32_t>& handles) {
    if (handles.empty()) return "none";
    std::vector<std::string> numbers;
    for (std::int32_t handle : handles) numbers.push_back(std::to_string(handle));
    return joinedText(numbers, " ");
}

// "GrappleThrowFront on 101 102; Knockout on none", or "nothing".
std::string firedSummary(const TickRecord& tick) {
    std::vector<std::string> moves;
    for (const auto& fired : tick.fired)
        moves.push_back(std::string(meleeActionName(fired.action)) + " on " + handleList(receivers(fired)));
    return moves.empty() ? "nothing" : joinedText(moves, "; ");
}

bool sameHandles(std::vector<std::int32_t> got, std::vector<std::int32_t> wanted) {
    std::sort(got.begin(), got.end());
    std::sort(wanted.begin(), wanted.end());
    return got == wanted;
}

class Simulation {
public:
    Simulation(std::ostream& out, const SimulationOptions& options) : out(out), options(options), sandbox("sim") {
#ifdef _WIN32
        // The plug-in's code is linked into this program; its clock must be the stand-in's.
        standinRedirectTickCount(GetModuleHandleW(nullptr));
#endif
        // Start well after boot so that untouched keys are not "held".
        standinSetTickCount(100000);
    }

    int run(const Scenario& scenario) {
        out << "scenario " << scenario.fileName << "\n";
        for (const auto& step : scenario.steps)
            std::visit([&](const auto& action) { perform(action, scenario, step.line); }, step.action);
        out << "\n" << expectationsPassed << " passed, " << expectationsFailed << " failed\n";
        return expectationsFailed;
    }

private:
    void perform(const steps::SetPeds& step, const Scenario&, int) {
        standinSetPeds(step.handles.data(), static_cast<std::int32_t>(step.handles.size()));
        note("world: peds " + handleList(step.handles));
    }
    void perform(const steps::SetPlayer& step, const Scenario&, int) {
        standinSetPlayerPed(step.handle);
        note("world: player's ped " + (step.handle ? std::to_string(step.handle) : std::string("none")));
    }
    void perform(const steps::SetQualifying& step, const Scenario&, int) {
        for (std::int32_t handle : step.handles) standinSetQualifies(handle, step.qualifies);
        note(std::string("world: ") + (step.qualifies ? "qualifying " : "not qualifying ") + handleList(step.handles));
    }
    void perform(const steps::SetReportedCount& step, const Scenario&, int) {
        if (step.count)
            standinSetReportedPedCount(*step.count);
        else
            standinClearReportedPedCount();
        note("world: ped count reported as " + (step.count ? std::to_string(*step.count) : std::string("listed")));
    }
    void perform(const steps::SetTime& step, const Scenario&, int) { standinSetTickCount(step.milliseconds); }
    void perform(const steps::SendKey& step, const Scenario&, int) {
        handleKeyMessage(step.keyCode, 1, 0, 0, 0, step.release ? 1 : 0, step.release ? 1 : 0);
        pendingKeys.push_back(std::string(step.release ? "release " : "press ") + keyLabel(step.keyCode) + " at " +
                              std::to_string(standinGetTickCount()) + " ms");
    }
    void perform(const steps::Wait& step, const Scenario&, int) { standinAdvanceTime(step.milliseconds); }
    void perform(const steps::RunTicks& step, const Scenario&, int) {
        for (std::int32_t count = 0; count < step.count; ++count) tick();
    }
    void perform(const steps::WriteSettings& step, const Scenario&, int) {
        note(sandbox.writeSettings(step.text) ? "settings: Pellimore.ini written"
                                              : "settings: Pellimore.ini could not be written");
    }
    void perform(const steps::DeleteSettings&, const Scenario&, int) {
        std::error_code ignored;
        std::filesystem::remove(sandbox.settingsFile(), ignored);
        note("settings: Pellimore.ini deleted");
    }
    void perform(const steps::ExpectNothing&, const Scenario& scenario, int line) {
        record("nothing", lastTick.fired.empty(), scenario, line);
    }
    void perform(const steps::ExpectMove& step, const Scenario& scenario, int line) {
        std::string expected = meleeActionName(step.action);
        if (step.receivers) expected += " on " + handleList(*step.receivers);
        bool met = false;
        for (const auto& fired : lastTick.fired)
            if (fired.action == step.action) met = !step.receivers || sameHandles(receivers(fired), *step.receivers);
        record(expected, met, scenario, line);
    }

    void note(const std::string& text) { pendingNotes.push_back(text); }

    void tick() {
        ++tickNumber;
        lastTick = TickRecord{};
        standinClearNativeCalls();
        const TickObserver observer{&lastTick, noteSettingsError, noteActionFiring};
        runScriptTick(snapshot, &observer);
        for (std::size_t index = 0; index < lastTick.fired.size(); ++index) {
            const bool last = index + 1 == lastTick.fired.size();
            splitIntoVisits(lastTick.fired[index],
                            last ? standinNativeCallCount() : lastTick.fired[index + 1].firstCall);
        }
        report();
    }

    void report() {
        out << "\ntick " << tickNumber << " at " << standinGetTickCount() << " ms\n";
        for (const auto& text : pendingNotes) out << "  " << text << "\n";
        for (const auto& text : pendingKeys) out << "  key: " << text << "\n";
        pendingNotes.clear();
        pendingKeys.clear();
        for (const auto& error : lastTick.settingsErrors)
            out << "  settings load failed: " << error << " (later bindings keep their previous keys)\n";
        if (lastTick.fired.empty()) out << "  no move fired\n";
        for (const auto& fired : lastTick.fired) reportFired(fired);
    }

    void reportFired(const FiredAction& fired) {
        out << "  fired " << meleeActionName(fired.action) << "\n";
        if (fired.visits.empty()) out << "    no ped to visit\n";
        for (const auto& visit : fired.visits) {
            out << "    ped " << visit.handle << ": " << outcomeText(visit.outcome) << "\n";
            if (options.trace)
                for (const auto& call : visit.calls) out << "      " << describeCall(call) << "\n";
        }
    }

    void record(const std::string& expected, bool met, const Scenario& scenario, int line) {
        if (met) {
            ++expectationsPassed;
            out << "  expect " << expected << ": ok\n";
            return;
        }
        ++expectationsFailed;
        out << "  expect " << expected << ": FAILED\n"
            << scenario.fileName << ":" << line << ": expectation failed after tick " << tickNumber
            << "\n    expected: " << expected << "\n    actual:   " << firedSummary(lastTick) << "\n";
    }

    std::ostream& out;
    const SimulationOptions& options;
    ModuleSandbox sandbox;
    PedSnapshot snapshot{};
    TickRecord lastTick;
    int tickNumber = 0;
    int expectationsPassed = 0;
    int expectationsFailed = 0;
    std::vector<std::string> pendingNotes;
    std::vector<std::string> pendingKeys;
};

}  // namespace

int runScenario(const Scenario& scenario, std::ostream& out, const SimulationOptions& options) {
    Simulation simulation(out, options);
    return simulation.run(scenario);
}

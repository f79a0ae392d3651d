#include "pellimore/simulator.h"

#include "brawl/hotkey_bindings.h"
#include "brawl/script_loop.h"
#include "host/key_state_table.h"
#include "pellimore/key_names.h"
#include "settings/hotkey_settings.h"
#include "standin_host.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <unistd.h>

namespace {

enum class PedOutcome { Received, SparedAsPlayer, DidNotQualify };

struct PedVisit {
    std::int32_t handle = 0;
    PedOutcome outcome = PedOutcome::DidNotQualify;
    std::vector<StandinNativeCall> calls;
};

struct FiredAction {
    MeleeAction action;
    std::int32_t firstCall;  // index into the native log
    std::vector<PedVisit> visits;
};

struct TickRecord {
    std::vector<FiredAction> fired;
    std::vector<std::string> settingsErrors;
};

// The observer's callbacks are plain functions, so they write here.
TickRecord* recordingTick = nullptr;

void noteSettingsError(const char* message) { recordingTick->settingsErrors.emplace_back(message); }

void noteActionFiring(MeleeAction action) {
    recordingTick->fired.push_back({action, standinNativeCallCount(), {}});
}

const char* outcomeText(PedOutcome outcome) {
    switch (outcome) {
        case PedOutcome::Received: return "received the move";
        case PedOutcome::SparedAsPlayer: return "spared (the player's ped)";
        case PedOutcome::DidNotQualify: return "did not qualify";
    }
    return "";
}

const char* nativeName(std::uint64_t hash) {
    if (hash == natives::qualifiesForMelee) return "qualifies";
    if (hash == natives::playerPed) return "player ped";
    if (hash == natives::hashName) return "hash name";
    if (hash == natives::startTaskAction) return "task action";
    if (hash == natives::setFlagWord) return "flag word";
    if (hash == natives::startActionResponse) return "action response";
    return "?";
}

std::string describeCall(const StandinNativeCall& call) {
    std::ostringstream text;
    text << "0x" << std::uppercase << std::hex << std::setw(16) << std::setfill('0') << call.hash << std::dec
         << " " << nativeName(call.hash) << "(";
    for (std::int32_t index = 0; index < std::min(call.argumentCount, 4); ++index) {
        if (index) text << ", ";
        if (call.hash == natives::hashName)
            text << '"' << reinterpret_cast<const char*>(static_cast<std::uintptr_t>(call.arguments[index])) << '"';
        else
            text << "0x" << std::hex << call.arguments[index] << std::dec;
    }
    text << ") -> " << static_cast<std::uint32_t>(call.result);
    return text.str();
}

// Splits one action's calls into ped visits; each visit opens with the qualification test.
void splitIntoVisits(FiredAction& fired, std::int32_t endCall) {
    for (std::int32_t index = fired.firstCall; index < endCall; ++index) {
        const StandinNativeCall call = standinNativeCallAt(index);
        if (call.hash == natives::qualifiesForMelee) {
            PedVisit visit;
            visit.handle = static_cast<std::int32_t>(static_cast<std::uint32_t>(call.arguments[0]));
            visit.outcome = call.result ? PedOutcome::Received : PedOutcome::DidNotQualify;
            fired.visits.push_back(visit);
        } else if (!fired.visits.empty() && call.hash == natives::playerPed &&
                   static_cast<std::int32_t>(call.result) == fired.visits.back().handle) {
            fired.visits.back().outcome = PedOutcome::SparedAsPlayer;
        }
        if (!fired.visits.empty()) fired.visits.back().calls.push_back(call);
    }
}

std::vector<std::int32_t> receivers(const FiredAction& fired) {
    std::vector<std::int32_t> handles;
    for (const auto& visit : fired.visits)
        if (visit.outcome == PedOutcome::Received) handles.push_back(visit.handle);
    return handles;
}

std::string handleList(const std::vector<std::int32_t>& handles) {
    if (handles.empty()) return "none";
    std::string text;
    for (std::int32_t handle : handles) text += (text.empty() ? "" : " ") + std::to_string(handle);
    return text;
}

std::string keyLabel(std::int64_t code) {
    const std::string name = keyName(code);
    return name.empty() ? std::to_string(code) : name + " (" + std::to_string(code) + ")";
}

class Simulation {
public:
    Simulation(std::ostream& out, const SimulationOptions& options) : out(out), options(options) {
        scratch = std::filesystem::temp_directory_path() /
                  ("pellimore-sim-" + std::to_string(::getpid()));
        std::filesystem::create_directories(scratch);
        previousSettingsPath = settingsPath;
        settingsPath = (scratch / "Pellimore.ini").string();
        std::filesystem::remove(settingsPath);
        standinReset();
        clearKeyStateTable();
        hotkeyBindings = HotkeyBindings{};
        settingsDocument.clear();
        // Start well after boot so that untouched keys are not "held".
        standinSetTickCount(100000);
    }
    ~Simulation() {
        settingsPath = previousSettingsPath;
        std::error_code ignored;
        std::filesystem::remove_all(scratch, ignored);
        standinReset();
    }

    int run(const Scenario& scenario) {
        out << "scenario " << scenario.fileName << "\n";
        for (const auto& step : scenario.steps) perform(scenario, step);
        out << "\n" << expectationsPassed << " passed, " << expectationsFailed << " failed\n";
        return expectationsFailed;
    }

private:
    void perform(const Scenario& scenario, const ScenarioStep& step) {
        switch (step.kind) {
            case StepKind::SetPeds:
                standinSetPeds(step.handles.data(), static_cast<std::int32_t>(step.handles.size()));
                note("world: peds " + handleList(step.handles));
                break;
            case StepKind::SetPlayer:
                standinSetPlayerPed(static_cast<std::int32_t>(step.number));
                note("world: player's ped " + (step.number ? std::to_string(step.number) : std::string("none")));
                break;
            case StepKind::SetQualifying:
                for (std::int32_t handle : step.handles) standinSetQualifies(handle, step.flag);
                note(std::string("world: ") + (step.flag ? "qualifying " : "not qualifying ") + handleList(step.handles));
                break;
            case StepKind::SetReportedCount:
                if (step.flag) standinSetReportedPedCount(static_cast<std::int32_t>(step.number));
                else standinClearReportedPedCount();
                note("world: ped count reported as " + (step.flag ? std::to_string(step.number) : std::string("listed")));
                break;
            case StepKind::SetTime:
                standinSetTickCount(static_cast<std::uint32_t>(step.number));
                break;
            case StepKind::PressKey:
            case StepKind::ReleaseKey: {
                const bool release = step.kind == StepKind::ReleaseKey;
                handleKeyMessage(static_cast<std::uint32_t>(step.number), 1, 0, 0, 0, release ? 1 : 0, release ? 1 : 0);
                pendingKeys.push_back(std::string(release ? "release " : "press ") + keyLabel(step.number) + " at " +
                                      std::to_string(standinGetTickCount()) + " ms");
                break;
            }
            case StepKind::Wait:
                standinAdvanceTime(static_cast<std::uint32_t>(step.number));
                break;
            case StepKind::Tick:
                for (std::int64_t count = 0; count < step.number; ++count) tick();
                break;
            case StepKind::WriteSettings:
                std::ofstream(settingsPath, std::ios::binary | std::ios::trunc) << step.text;
                note("settings: Pellimore.ini written");
                break;
            case StepKind::DeleteSettings:
                std::filesystem::remove(settingsPath);
                note("settings: Pellimore.ini deleted");
                break;
            case StepKind::ExpectMove:
            case StepKind::ExpectNothing:
                expect(scenario, step);
                break;
        }
    }

    void note(const std::string& text) { pendingNotes.push_back(text); }

    void tick() {
        ++tickNumber;
        lastTick = TickRecord{};
        recordingTick = &lastTick;
        standinClearNativeCalls();
        const TickObserver observer{noteSettingsError, noteActionFiring};
        runScriptTick(snapshot, &observer);
        recordingTick = nullptr;
        for (std::size_t index = 0; index < lastTick.fired.size(); ++index) {
            const std::int32_t end = index + 1 < lastTick.fired.size() ? lastTick.fired[index + 1].firstCall
                                                                        : standinNativeCallCount();
            splitIntoVisits(lastTick.fired[index], end);
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
        for (const auto& fired : lastTick.fired) {
            out << "  fired " << meleeActionName(fired.action) << "\n";
            if (fired.visits.empty()) out << "    no ped to visit\n";
            for (const auto& visit : fired.visits) {
                out << "    ped " << visit.handle << ": " << outcomeText(visit.outcome) << "\n";
                if (options.trace)
                    for (const auto& call : visit.calls) out << "      " << describeCall(call) << "\n";
            }
        }
    }

    void expect(const Scenario& scenario, const ScenarioStep& step) {
        std::string expected;
        bool met = false;
        std::string actual;
        for (const auto& fired : lastTick.fired)
            actual += (actual.empty() ? "" : "; ") + std::string(meleeActionName(fired.action)) + " on " +
                      handleList(receivers(fired));
        if (actual.empty()) actual = "nothing";

        if (step.kind == StepKind::ExpectNothing) {
            expected = "nothing";
            met = lastTick.fired.empty();
        } else {
            expected = meleeActionName(step.action);
            if (step.flag) expected += " on " + handleList(step.handles);
            for (const auto& fired : lastTick.fired) {
                if (fired.action != step.action) continue;
                std::vector<std::int32_t> got = receivers(fired);
                std::vector<std::int32_t> wanted = step.handles;
                std::sort(got.begin(), got.end());
                std::sort(wanted.begin(), wanted.end());
                met = !step.flag || got == wanted;
            }
        }
        if (met) {
            ++expectationsPassed;
            out << "  expect " << expected << ": ok\n";
        } else {
            ++expectationsFailed;
            out << "  expect " << expected << ": FAILED\n"
                << scenario.fileName << ":" << step.line << ": expectation failed after tick " << tickNumber
                << "\n    expected: " << expected << "\n    actual:   " << actual << "\n";
        }
    }

    std::ostream& out;
    const SimulationOptions& options;
    std::filesystem::path scratch;
    std::string previousSettingsPath;
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

// Reads the stand-in host's native call log back as moves: which peds each
// fired move visited, and what became of each.
#pragma once

#include "brawl/melee_actions.h"
#include "standin_host.h"

#include <cstdint>
#include <string>
#include <vector>

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

// Splits one action's calls, up to endCall, into ped visits; each opens with the qualification test.
void splitIntoVisits(FiredAction& fired, std::int32_t endCall);

// The peds that received the move.
std::vector<std::int32_t> receivers(const FiredAction& fired);

// "ped 101: received the move" and the like.
const char* outcomeText(PedOutcome outcome);

// One call as a line of the trace: hash, name, arguments and result.
std::string describeCall(const StandinNativeCall& call);

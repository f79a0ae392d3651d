#include "pellimore/sim/native_log_decoding.h"

#include "pellimore/common/text.h"

#include <algorithm>
#include <iomanip>
#include <sstream>

namespace {

const char* nativeName(std::uint64_t hash) {
    if (hash == natives::qualifiesForMelee) return "qualifies";
    if (hash == natives::playerPed) return "player ped";
    if (hash == natives::hashName) return "hash name";
    if (hash == natives::startTaskAction) return "task action";
    if (hash == natives::setFlagWord) return "flag word";
    if (hash == natives::startActionResponse) return "action response";
    return "?";
}

std::int32_t firstArgumentAsHandle(const StandinNativeCall& call) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(call.arguments[0]));
}

}  // namespace

void splitIntoVisits(FiredAction& fired, std::int32_t endCall) {
    for (std::int32_t index = fired.firstCall; index < endCall; ++index) {
        const StandinNativeCall call = standinNativeCallAt(index);
        if (call.hash == natives::qualifiesForMelee) {
            PedVisit visit;
            visit.handle = firstArgumentAsHandle(call);
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

const char* outcomeText(PedOutcome outcome) {
    switch (outcome) {
        case PedOutcome::Received: return "received the move";
        case PedOutcome::SparedAsPlayer: return "spared (the player's ped)";
        case PedOutcome::DidNotQualify: return "did not qualify";
    }
    return "";
}

std::string describeCall(const StandinNativeCall& call) {
    std::ostringstream text;
    text << hexText(call.hash, 16) << " " << nativeName(call.hash) << "(";
    for (std::int32_t index = 0; index < std::min(call.argumentCount, 4); ++index) {
        if (index) text << ", ";
        if (call.hash == natives::hashName)
            text << '"' << reinterpret_cast<const char*>(static_cast<std::uintptr_t>(call.arguments[index])) << '"';
        else
            text << hexText(call.arguments[index]);
    }
    text << ") -> " << static_cast<std::uint32_t>(call.result);
    return text.str();
}

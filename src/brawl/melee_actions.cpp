#include "brawl/melee_actions.h"

#include "host/native_call.h"

namespace {

// Fixed values some moves pass as they stand; never computed here.
constexpr std::uint32_t switchFrontToBackHash = 73296627;  // 0x045E6AF3
constexpr std::uint32_t switchBackToFrontHash = 0xDBC9B5C6;
constexpr std::uint32_t subdueHash = 0xAD251A6C;
constexpr std::uint32_t actionFlagWord = 32768;
constexpr std::uint32_t switchFlagWord = 512;
constexpr std::uint32_t subdueFlagWord = 1037;

bool qualifies(std::int32_t ped) { return callNative(natives::qualifiesForMelee, {nativeArgument(ped)}) != 0; }

bool isPlayerPed(std::int32_t ped) { return static_cast<std::int32_t>(callNative(natives::playerPed, {})) == ped; }

std::uint32_t hashMoveName(const char* name) { return callNative(natives::hashName, {nativeArgument(name)}); }

void setFlagWord(std::int32_t ped, std::uint32_t flagWord) {
    callNative(natives::setFlagWord, {nativeArgument(ped), nativeArgument(flagWord), 0});
}

void startTaskAction(std::int32_t ped, std::uint32_t nameHash) {
    callNative(natives::startTaskAction, {nativeArgument(ped), nativeArgument(nameHash)});
}

void startActionResponse(std::int32_t ped, std::uint32_t nameHash) {
    callNative(natives::startActionResponse, {nativeArgument(ped), nativeArgument(nameHash)});
}

// The six "ACT_" moves: a task action by name, then the action flag word.
void namedTaskAction(std::int32_t ped, const char* name) {
    if (!qualifies(ped) || isPlayerPed(ped)) return;
    startTaskAction(ped, hashMoveName(name));
    setFlagWord(ped, actionFlagWord);
}

// The four "AR_" moves: one action response by name.
void namedActionResponse(std::int32_t ped, const char* name) {
    if (!qualifies(ped) || isPlayerPed(ped)) return;
    startActionResponse(ped, hashMoveName(name));
}

void performOnPed(MeleeAction action, std::int32_t ped) {
    switch (action) {
        case MeleeAction::GrappleThrowFront: return namedTaskAction(ped, "ACT_GRAPPLE_THROW_FRONT");
        case MeleeAction::GrappleThrowLeft: return namedTaskAction(ped, "ACT_GRAPPLE_THROW_LEFT");
        case MeleeAction::GrappleThrowRight: return namedTaskAction(ped, "ACT_GRAPPLE_THROW_RIGHT");
        case MeleeAction::GrappleThrowBackLeft: return namedTaskAction(ped, "ACT_GRAPPLE_THROW_BACK_LEFT");
        case MeleeAction::Knockout: return namedTaskAction(ped, "ACT_GRAPPLE_CUSTOM_KNOCKOUT_AI");
        case MeleeAction::Execute: return namedTaskAction(ped, "ACT_GRAPPLE_CUSTOM_EXECUTION_AI");
        case MeleeAction::GrappleChallengeFront: return namedActionResponse(ped, "AR_grapple_challenge_front");
        case MeleeAction::Tackle: return namedActionResponse(ped, "AR_grapple_mount_standing_from_front");
        case MeleeAction::GrappleFront: return namedActionResponse(ped, "AR_GRAPPLE_FRONT_FROM_FRONT");
        case MeleeAction::GrappleBack: return namedActionResponse(ped, "AR_GRAPPLE_BACK_FROM_BACK");
        case MeleeAction::GrappleSwitchFrontToBack:
            // Does not spare the player's ped.
            if (!qualifies(ped)) return;
            startTaskAction(ped, switchFrontToBackHash);
            setFlagWord(ped, switchFlagWord);
            return;
        case MeleeAction::GrappleSwitchBackToFront:
            if (!qualifies(ped) || isPlayerPed(ped)) return;
            startTaskAction(ped, switchBackToFrontHash);
            setFlagWord(ped, switchFlagWord);
            return;
        case MeleeAction::Subdue:
            // Does not spare the player's ped; the flag word comes before the response.
            if (!qualifies(ped)) return;
            setFlagWord(ped, subdueFlagWord);
            startActionResponse(ped, subdueHash);
            return;
        case MeleeAction::GrappleSwitchFrontToMount:
            if (!qualifies(ped) || isPlayerPed(ped)) return;
            setFlagWord(ped, switchFlagWord);
            return;
    }
}

}  // namespace

const char* meleeActionName(MeleeAction action) {
    const auto index = static_cast<int>(action);
    return index >= 0 && index < meleeActionCount ? moveTable[index].codeName : "?";
}

void applyMeleeAction(MeleeAction action, const PedSnapshot& snapshot) {
    for (std::int32_t index = 0; index < snapshot.pedCount; ++index) performOnPed(action, snapshot.pedHandles[index]);
}

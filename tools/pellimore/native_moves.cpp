#include "pellimore/native_moves.h"

#include "brawl/melee_actions.h"
#include "module_sandbox.h"
#include "standin_host.h"

std::vector<std::string> movesUsingNative(std::uint64_t hash) {
    std::vector<std::string> moves;
    resetModuleState();
    // One ped that qualifies and is not the player's walks every step of every move.
    const std::int32_t ped = 1;
    standinSetPeds(&ped, 1);
    standinSetPlayerPed(2);
    PedSnapshot snapshot{};
    snapshot.pedHandles[0] = ped;
    snapshot.pedCount = 1;
    for (int index = 0; index < meleeActionCount; ++index) {
        const auto action = static_cast<MeleeAction>(index);
        standinClearNativeCalls();
        applyMeleeAction(action, snapshot);
        for (std::int32_t call = 0; call < standinNativeCallCount(); ++call) {
            if (standinNativeCallAt(call).hash != hash) continue;
            moves.emplace_back(meleeActionName(action));
            break;
        }
    }
    resetModuleState();
    return moves;
}

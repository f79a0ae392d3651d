#include "pellimore/doctor/native_moves.h"

#include "brawl/melee_actions.h"
#include "standin_host.h"

std::vector<MeleeAction> movesUsingNative(std::uint64_t hash) {
    // A ped the stand-in's world has never heard of qualifies and is not the
    // player's, so it walks every step of every move without any world setting.
    constexpr std::int32_t unknownPed = 0x7EADBEEF;
    PedSnapshot snapshot{};
    snapshot.pedHandles[0] = unknownPed;
    snapshot.pedCount = 1;
    std::vector<MeleeAction> moves;
    for (const MoveRow& move : moveTable) {
        const std::int32_t first = standinNativeCallCount();
        applyMeleeAction(move.action, snapshot);
        for (std::int32_t call = first; call < standinNativeCallCount(); ++call) {
            if (standinNativeCallAt(call).hash != hash) continue;
            moves.push_back(move.action);
            break;
        }
    }
    return moves;
}

#include "pellimore/doctor/native_moves.h"

#include "brawl/move_table.h"
#include "standin_host.h"

std::vector<std::string> movesUsingNative(std::uint64_t hash) {
    std::vector<std::string> moves;
    // The tool's own stand-in host answers the calls; the plug-in's state is not touched.
    standinReset();
    // One ped that qualifies and is not the player's walks every step of every move.
    const std::int32_t ped = 1;
    standinSetPeds(&ped, 1);
    standinSetPlayerPed(2);
    PedSnapshot snapshot{};
    snapshot.pedHandles[0] = ped;
    snapshot.pedCount = 1;
    for (int index = 0; index < dispatchEntryCount; ++index) {
        const auto action = dispatchTable[index].action;
        standinClearNativeCalls();
        applyMeleeAction(action, snapshot);
        for (std::int32_t call = 0; call < standinNativeCallCount(); ++call) {
            if (standinNativeCallAt(call).hash != hash) continue;
            moves.emplace_back(dispatchTable[index].playerName);
            break;
        }
    }
    standinReset();
    return moves;
}

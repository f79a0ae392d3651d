// The fourteen brawl moves and the per-ped native calls that give each one.
#pragma once

#include "settings/move_table.h"

#include <array>
#include <cstdint>

constexpr std::int32_t pedSnapshotCapacity = 1024;

// One tick's ped list; only the first pedCount handles mean anything, and
// pedCount never exceeds the buffer (takePedSnapshot sees to that).
struct PedSnapshot {
    std::array<std::int32_t, pedSnapshotCapacity> pedHandles;
    std::int32_t pedCount;
};

// The game's script functions the moves use, by hash.
namespace natives {
constexpr std::uint64_t qualifiesForMelee = 0xB980061DA992779D;
constexpr std::uint64_t playerPed = 0x096275889B8E0EE0;
constexpr std::uint64_t hashName = 0xFD340785ADF8CFB7;
constexpr std::uint64_t startTaskAction = 0x8301D87B1B89E219;
constexpr std::uint64_t setFlagWord = 0x789DABD18E9024DB;
constexpr std::uint64_t startActionResponse = 0xC48AF420371C7407;
}  // namespace natives

// The move's name as the system spells it ("GrappleThrowFront", ...).
const char* meleeActionName(MeleeAction action);

// Orders every qualifying ped of the snapshot, in list order, to perform the move.
void applyMeleeAction(MeleeAction action, const PedSnapshot& snapshot);

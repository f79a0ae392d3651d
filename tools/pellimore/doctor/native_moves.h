// Which of the fourteen moves call a given game script function, found by
// running each move once over the stand-in host, so the answer follows the
// moves' code and cannot drift from it.
#pragma once

#include "settings/move_table.h"

#include <cstdint>
#include <vector>

// The moves whose calls use the native; empty for a hash the moves never call.
// Only appends to the stand-in's call log: its world is left as it was.
std::vector<MeleeAction> movesUsingNative(std::uint64_t hash);

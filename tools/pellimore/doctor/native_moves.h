// Which of the fourteen moves call a given game script function, found by
// running each move once over the stand-in host, so the answer follows the
// moves' code and cannot drift from it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The moves, as players know them ("Knock out", ...), whose calls use the native; empty for a
// hash the moves never call.
std::vector<std::string> movesUsingNative(std::uint64_t hash);

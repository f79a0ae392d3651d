// What saving a changed key into a player's file must keep, as properties any
// file and any change can be checked against (by the unit tests over generated
// files, and by the fuzzer over any bytes).
#pragma once

#include "settings/move_table.h"

#include <cstdint>
#include <string>
#include <string_view>

// What the save broke, in words; "" when it kept every promise.
std::string rewriteBreaks(std::string_view original, KeyOwner owner, std::int32_t code);

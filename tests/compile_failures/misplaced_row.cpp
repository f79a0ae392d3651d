// A table of moves with two rows swapped must not compile: a move's row is found by its place.
// expect: moveTable needs one row per MeleeAction, in the enum's order
#include "settings/move_table.h"

#include <algorithm>
#include <array>

constexpr auto withTwoRowsSwapped = [] {
    std::array<MoveRow, meleeActionCount> rows{};
    std::copy(std::begin(moveTable), std::end(moveTable), rows.begin());
    std::swap(rows[4], rows[5]);
    return rows;
}();

static_assert(move_table_checks::Checked<withTwoRowsSwapped, loadOrder>::passed);

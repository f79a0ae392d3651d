// A table of moves that lacks a row must not compile.
// expect: moveTable needs one row per MeleeAction, in the enum's order
#include "settings/move_table.h"

#include <algorithm>
#include <array>

constexpr auto withoutTheLastRow = [] {
    std::array<MoveRow, meleeActionCount - 1> rows{};
    std::copy(std::begin(moveTable), std::end(moveTable) - 1, rows.begin());
    return rows;
}();

static_assert(move_table_checks::Checked<withoutTheLastRow, loadOrder>::passed);

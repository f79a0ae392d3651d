// Two moves under one player name must not compile: players could not tell them apart.
// expect: no two keys may share a binding, a settings key or a player name
#include "settings/move_table.h"

#include <algorithm>
#include <array>

constexpr auto withARepeatedName = [] {
    std::array<MoveRow, meleeActionCount> rows{};
    std::copy(std::begin(moveTable), std::end(moveTable), rows.begin());
    rows[static_cast<int>(MeleeAction::GrappleSwitchFrontToBack)].key.playerName =
        moveTable[static_cast<int>(MeleeAction::GrappleSwitchBackToFront)].key.playerName;
    return rows;
}();

static_assert(move_table_checks::Checked<withARepeatedName, loadOrder>::passed);

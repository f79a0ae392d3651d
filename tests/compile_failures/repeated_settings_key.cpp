// Two moves read from one settings key must not compile: one line of the file would set both.
// expect: no two keys may share a binding or a settings key
#include "settings/move_table.h"

#include <algorithm>
#include <array>

constexpr auto withARepeatedSettingsKey = [] {
    std::array<MoveRow, meleeActionCount> rows{};
    std::copy(std::begin(moveTable), std::end(moveTable), rows.begin());
    rows[static_cast<int>(MeleeAction::GrappleSwitchFrontToBack)].key.settingsKey =
        moveTable[static_cast<int>(MeleeAction::GrappleSwitchBackToFront)].key.settingsKey;
    return rows;
}();

static_assert(move_table_checks::Checked<withARepeatedSettingsKey, loadOrder>::passed);

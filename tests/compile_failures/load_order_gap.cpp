// A load order that reads a key twice (and so another never) must not compile.
// expect: loadOrder must read the modifier first and every bound key once
#include "settings/move_table.h"

#include <algorithm>
#include <array>

constexpr auto withAKeyReadTwice = [] {
    std::array<KeyOwner, std::size(loadOrder)> order{};
    std::copy(std::begin(loadOrder), std::end(loadOrder), order.begin());
    order[2] = order[1];
    return order;
}();

static_assert(move_table_checks::Checked<moveTable, withAKeyReadTwice>::passed);

#include "settings/name_index.h"

#include <algorithm>

namespace {

void placeSlot(std::vector<IniIndexSlot>& slots, IniIndexSlot entry) {
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = entry.hash & mask;
    while (slots[slot].positionPlusOne != 0) slot = (slot + 1) & mask;
    slots[slot] = entry;
}

// Doubles the table, re-placing every name it holds.
void grow(IniNameIndex& index) {
    std::vector<IniIndexSlot> grown(index.slots.empty() ? 8 : index.slots.size() * 2, IniIndexSlot{0, 0});
    for (const IniIndexSlot& entry : index.slots)
        if (entry.positionPlusOne != 0) placeSlot(grown, entry);
    index.slots.swap(grown);
}

}  // namespace

// 64-bit FNV-1a over the name's bytes.
std::uint64_t hashName(std::string_view name) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : name) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

void forgetAllNames(IniNameIndex& index) {
    if (index.count == 0) return;
    std::fill(index.slots.begin(), index.slots.end(), IniIndexSlot{0, 0});
    index.count = 0;
}

void recordName(IniNameIndex& index, std::uint64_t hash, std::size_t position) {
    // At most three quarters full, so probes stay short and always end.
    if ((index.count + 1) * 4 > index.slots.size() * 3) grow(index);
    placeSlot(index.slots, {hash, static_cast<std::uint64_t>(position) + 1});
    ++index.count;
}

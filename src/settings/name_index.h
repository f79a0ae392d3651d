// The hash index behind both levels of the settings document: from a name to
// its position in the array that holds it. Open addressing with linear probing,
// so a name costs no allocation of its own and is stored once, in the array.
// Only the reader uses it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct IniIndexSlot {
    std::uint64_t hash;
    std::uint64_t positionPlusOne;  // 0: empty slot
};

struct IniNameIndex {
    std::vector<IniIndexSlot> slots;  // a power of two in size, or empty
    std::size_t count = 0;
};

constexpr std::size_t nameNotFound = ~std::size_t{0};

// The hash both indexes use for a name.
std::uint64_t hashName(std::string_view name);

// Forgets every name but keeps the slots, so a refill allocates nothing.
void forgetAllNames(IniNameIndex& index);

// Records that a new name with this hash sits at this position.
void recordName(IniNameIndex& index, std::uint64_t hash, std::size_t position);

// The position of the name, or nameNotFound; nameAt(position) gives the name stored there.
template <typename NameAt>
std::size_t findName(const IniNameIndex& index, std::string_view name, std::uint64_t hash, NameAt nameAt) {
    if (index.slots.empty()) return nameNotFound;
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        const IniIndexSlot& entry = index.slots[slot];
        if (entry.positionPlusOne == 0) return nameNotFound;
        const auto position = static_cast<std::size_t>(entry.positionPlusOne - 1);
        if (entry.hash == hash && nameAt(position) == name) return position;
    }
}

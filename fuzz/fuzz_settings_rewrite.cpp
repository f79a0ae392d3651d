// Any file and any change through the page's save, as a round trip: the
// properties of tests/properties/settings_rewrite_properties.h hold.
#include "settings_rewrite.h"
#include "settings_rewrite_properties.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const KeyOwner owner = loadOrder[data[0] % loadOrderLength];
    const std::int32_t code = static_cast<std::int32_t>((data[1] | data[2] << 8) % 300) - 1;  // -1 to 298
    const std::string_view original(reinterpret_cast<const char*>(data + 3), size - 3);
    repairsOnSave(original);
    if (!rewriteBreaks(original, owner, code).empty()) __builtin_trap();
    return 0;
}

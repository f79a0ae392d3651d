#include "host/key_state_table.h"

#include "host/host_interface.h"

KeyStateTable keyStateTable{};

namespace {

constexpr auto relaxed = std::memory_order_relaxed;

// Elapsed time modulo 2^32 stays right across the tick count's wrap. The row is
// read before the clock so a message landing in between never looks 49 days old.
bool lastMessageWithin(const KeyState& row, std::uint32_t windowMilliseconds) {
    const std::uint32_t messageTick = row.messageTick.load(relaxed);
    const std::uint32_t now = static_cast<std::uint32_t>(GetTickCount());
    return static_cast<std::uint32_t>(now - messageTick) < windowMilliseconds;
}

void clearRow(KeyState& row) {
    row.messageTick.store(0, relaxed);
    row.altFlag.store(0, relaxed);
    row.priorDownFlag.store(0, relaxed);
    row.releaseFlag.store(0, relaxed);
}

}  // namespace

void handleKeyMessage(std::uint32_t keyCode, std::uint16_t, std::uint8_t, std::int32_t, std::int32_t altFlag,
                      std::int32_t priorDownFlag, std::int32_t releaseFlag) {
    if (keyCode >= keyStateRowCount) return;
    KeyState& row = keyStateTable[keyCode];
    row.messageTick.store(static_cast<std::uint32_t>(GetTickCount()), relaxed);
    row.altFlag.store(altFlag, relaxed);
    row.priorDownFlag.store(priorDownFlag, relaxed);
    row.releaseFlag.store(releaseFlag, relaxed);
}

bool isHeld(std::uint32_t keyCode) {
    if (keyCode >= keyStateRowCount) return false;
    const KeyState& row = keyStateTable[keyCode];
    return lastMessageWithin(row, heldWindowMilliseconds) && row.releaseFlag.load(relaxed) == 0;
}

bool takeRelease(std::uint32_t keyCode) {
    if (keyCode >= keyStateRowCount) return false;
    KeyState& row = keyStateTable[keyCode];
    if (!lastMessageWithin(row, releaseWindowMilliseconds)) return false;
    if (row.releaseFlag.load(relaxed) == 0) return false;
    clearRow(row);
    return true;
}

void clearKeyStateTable() {
    for (KeyState& row : keyStateTable) clearRow(row);
}

// What the keyboard handler last saw for every key, and the two questions the
// script loop asks of it. The handler and the loop may run on different
// threads; every field is one 32-bit relaxed atomic, with no lock.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>

struct KeyState {
    std::atomic<std::uint32_t> messageTick;
    std::atomic<std::int32_t> altFlag;
    std::atomic<std::int32_t> priorDownFlag;
    std::atomic<std::int32_t> releaseFlag;
};

constexpr std::uint32_t keyStateRowCount = 255;
constexpr std::uint32_t heldWindowMilliseconds = 30000;
constexpr std::uint32_t releaseWindowMilliseconds = 100;

using KeyStateTable = std::array<KeyState, keyStateRowCount>;

// All zero at load; one row per virtual-key code 0..254.
extern KeyStateTable keyStateTable;

// The module's keyboard handler: records the message in its key's row.
void handleKeyMessage(std::uint32_t keyCode, std::uint16_t repeatCount, std::uint8_t scanCode,
                      std::int32_t extendedFlag, std::int32_t altFlag, std::int32_t priorDownFlag,
                      std::int32_t releaseFlag);

// True while the key's last message was a press less than 30000 ms ago.
bool isHeld(std::uint32_t keyCode);

// True once for a release message less than 100 ms old; consumes it.
bool takeRelease(std::uint32_t keyCode);

// Zeroes every row, as at module load (for tools and tests that reuse the table).
void clearKeyStateTable();

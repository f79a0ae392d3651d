// The keys that trigger the moves, with the built-in defaults that hold
// until a settings file is loaded.
#pragma once

#include <cstdint>

struct HotkeyBindings {
    std::int32_t xKey = 88;                       // X, the modifier for the four throws
    std::int32_t grappleThrowFront = 38;          // up arrow
    std::int32_t grappleThrowLeft = 37;           // left arrow
    std::int32_t grappleThrowRight = 39;          // right arrow
    std::int32_t grappleThrowBackLeft = 40;       // down arrow
    std::int32_t knockout = 81;                   // Q
    std::int32_t execute = 69;                    // E
    std::int32_t grappleSwitchFrontToBack = 66;   // B
    std::int32_t grappleSwitchBackToFront = 71;   // G
    std::int32_t subdue = 78;                     // N
    std::int32_t grappleSwitchFrontToMount = 17;  // Ctrl
    std::int32_t tackle = 90;                     // Z
    std::int32_t grappleFront = 105;              // numeric keypad 9
    std::int32_t grappleBack = 70;                // F
};

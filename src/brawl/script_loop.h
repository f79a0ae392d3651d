// The script's endless loop: one tick takes the peds, reloads the bindings,
// fires every hotkey released since the last tick, and yields.
#pragma once

#include "brawl/melee_actions.h"
#include "settings/move_table.h"

#include <cstdint>

// Fills the snapshot from the host. The host's count is the one value from
// outside that indexes the buffer, so this is where it is held to the buffer's
// size (a larger count is taken as 1024); everything after relies on that.
void takePedSnapshot(PedSnapshot& snapshot);

// Lets a tool watch a tick without changing it: the game passes none. Each
// callback receives the context it was given.
struct TickObserver {
    void* context = nullptr;
    void (*settingsLoadFailed)(void* context, const char* message) = nullptr;
    void (*actionFiring)(void* context, MeleeAction action) = nullptr;  // just before its peds are visited
};

// Tests the fourteen entries in order and runs the move of each that fires.
void dispatchHotkeys(const PedSnapshot& snapshot, const TickObserver* observer = nullptr);

// Everything one tick does before it yields.
void runScriptTick(PedSnapshot& snapshot, const TickObserver* observer = nullptr);

// Runs ticks for ever, yielding to the host after each.
[[noreturn]] void runScriptLoop();

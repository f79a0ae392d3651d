#include "brawl/script_loop.h"

#include "host/host_interface.h"
#include "host/key_state_table.h"
#include "settings/hotkey_settings.h"

void takePedSnapshot(PedSnapshot& snapshot) {
    const std::int32_t count = worldGetAllPeds(snapshot.pedHandles.data(), pedSnapshotCapacity);
    snapshot.pedCount = count > pedSnapshotCapacity ? pedSnapshotCapacity : count;
}

void dispatchHotkeys(const PedSnapshot& snapshot, const TickObserver* observer) {
    for (const MoveRow& row : moveTable) {
        if (row.needsModifier && !isHeld(static_cast<std::uint32_t>(hotkeyBindings.xKey))) continue;
        if (!takeRelease(triggerKeyCode(row, hotkeyBindings))) continue;
        if (observer && observer->actionFiring) observer->actionFiring(observer->context, row.action);
        applyMeleeAction(row.action, snapshot);
    }
}

namespace {

// Reloads the bindings and returns why the load failed, or null. A broken
// settings file must not end the script or take the game down: the tick goes
// on with the bindings the partial load left, and a fixed file is picked up on
// the next tick. The load reports a bad value without throwing; allocation
// failure is all that can still be thrown, and it is stopped here too.
const char* reloadBindings() {
    try {
        const LoadStop stop = loadHotkeySettings();
        return stop.error == ConversionError::None ? nullptr : conversionErrorMessage(stop.error);
    } catch (...) {
        return "out of memory while loading the settings";
    }
}

}  // namespace

void runScriptTick(PedSnapshot& snapshot, const TickObserver* observer) {
    takePedSnapshot(snapshot);
    const char* failure = reloadBindings();
    if (failure && observer && observer->settingsLoadFailed) observer->settingsLoadFailed(observer->context, failure);
    dispatchHotkeys(snapshot, observer);
}

void runScriptLoop() {
    PedSnapshot snapshot;
    for (;;) {
        runScriptTick(snapshot);
        scriptWait(0);
    }
}

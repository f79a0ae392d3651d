#include "brawl/script_loop.h"

#include "brawl/hotkey_bindings.h"
#include "host/host_interface.h"
#include "host/key_state_table.h"
#include "settings/hotkey_settings.h"

#include <exception>

const DispatchEntry dispatchTable[dispatchEntryCount] = {
    {MeleeAction::GrappleThrowFront, &hotkeyBindings.grappleThrowFront, true},
    {MeleeAction::GrappleThrowLeft, &hotkeyBindings.grappleThrowLeft, true},
    {MeleeAction::GrappleThrowRight, &hotkeyBindings.grappleThrowRight, true},
    {MeleeAction::GrappleThrowBackLeft, &hotkeyBindings.grappleThrowBackLeft, true},
    {MeleeAction::Knockout, &hotkeyBindings.knockout, false},
    {MeleeAction::Execute, &hotkeyBindings.execute, false},
    {MeleeAction::GrappleSwitchFrontToBack, &hotkeyBindings.grappleSwitchFrontToBack, false},
    {MeleeAction::GrappleSwitchBackToFront, &hotkeyBindings.grappleSwitchBackToFront, false},
    {MeleeAction::Subdue, &hotkeyBindings.subdue, false},
    {MeleeAction::GrappleSwitchFrontToMount, &hotkeyBindings.grappleSwitchFrontToMount, false},
    {MeleeAction::GrappleChallengeFront, nullptr, false},
    {MeleeAction::Tackle, &hotkeyBindings.tackle, false},
    {MeleeAction::GrappleFront, &hotkeyBindings.grappleFront, false},
    {MeleeAction::GrappleBack, &hotkeyBindings.grappleBack, false},
};

std::uint32_t triggerKeyCode(const DispatchEntry& entry) {
    // A negative binding becomes a code of 255 or more, which never matches.
    return entry.binding ? static_cast<std::uint32_t>(*entry.binding) : grappleChallengeKeyCode;
}

void takePedSnapshot(PedSnapshot& snapshot) {
    const std::int32_t count = worldGetAllPeds(snapshot.pedHandles.data(), pedSnapshotCapacity);
    snapshot.pedCount = count > pedSnapshotCapacity ? pedSnapshotCapacity : count;
}

void dispatchHotkeys(const PedSnapshot& snapshot, const TickObserver* observer) {
    for (const DispatchEntry& entry : dispatchTable) {
        if (entry.needsModifier && !isHeld(static_cast<std::uint32_t>(hotkeyBindings.xKey))) continue;
        if (!takeRelease(triggerKeyCode(entry))) continue;
        if (observer && observer->actionFiring) observer->actionFiring(entry.action);
        applyMeleeAction(entry.action, snapshot);
    }
}

void runScriptTick(PedSnapshot& snapshot, const TickObserver* observer) {
    takePedSnapshot(snapshot);
    try {
        loadHotkeySettings();
    } catch (const std::exception& error) {
        // A broken settings file must not end the script or take the game down:
        // the tick goes on with the bindings the partial load left, and a fixed
        // file is picked up on the next tick.
        if (observer && observer->settingsLoadFailed) observer->settingsLoadFailed(error.what());
    }
    dispatchHotkeys(snapshot, observer);
}

void runScriptLoop() {
    PedSnapshot snapshot;
    for (;;) {
        runScriptTick(snapshot);
        scriptWait(0);
    }
}

#include "brawl/script_loop.h"

#include "settings/hotkey_bindings.h"
#include "host/host_interface.h"
#include "host/key_state_table.h"
#include "settings/hotkey_settings.h"


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
        if (observer && observer->actionFiring) observer->actionFiring(observer->context, entry.action);
        applyMeleeAction(entry.action, snapshot);
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
        const SettingsLoadResult result = loadHotkeySettings();
        return result.error == ConversionError::None ? nullptr : conversionErrorMessage(result.error);
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

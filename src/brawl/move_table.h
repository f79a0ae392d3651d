// The fourteen moves, one row of facts each, in the order the script loop
// tests them within a tick. Everything else about a move is derived from this
// row or checked against it when the code is compiled, so a missing, extra or
// misplaced row fails the build instead of acting as some other move.
#pragma once

#include "brawl/melee_actions.h"
#include "settings/hotkey_settings.h"

#include <cstdint>
#include <iterator>

// The fixed key of GrappleChallengeFront (numeric keypad 8); no setting changes it.
constexpr std::uint32_t grappleChallengeKeyCode = 104;

// One move: what it is, the binding that triggers it (none for the fixed key),
// whether the modifier must be held, and its names for code and for players.
struct DispatchEntry {
    MeleeAction action;
    std::int32_t HotkeyBindings::*binding;  // null for the fixed key code
    bool needsModifier;
    const char* name;        // as the code spells it: "GrappleThrowFront"
    const char* playerName;  // as the editor and the tools show it to players
};

inline constexpr DispatchEntry dispatchTable[] = {
    {MeleeAction::GrappleThrowFront, &HotkeyBindings::grappleThrowFront, true, "GrappleThrowFront", "Throw forward"},
    {MeleeAction::GrappleThrowLeft, &HotkeyBindings::grappleThrowLeft, true, "GrappleThrowLeft", "Throw left"},
    {MeleeAction::GrappleThrowRight, &HotkeyBindings::grappleThrowRight, true, "GrappleThrowRight", "Throw right"},
    {MeleeAction::GrappleThrowBackLeft, &HotkeyBindings::grappleThrowBackLeft, true, "GrappleThrowBackLeft",
     "Throw back-left"},
    {MeleeAction::Knockout, &HotkeyBindings::knockout, false, "Knockout", "Knock out"},
    {MeleeAction::Execute, &HotkeyBindings::execute, false, "Execute", "Execute"},
    {MeleeAction::GrappleSwitchFrontToBack, &HotkeyBindings::grappleSwitchFrontToBack, false,
     "GrappleSwitchFrontToBack", "Switch grapple to the back"},
    {MeleeAction::GrappleSwitchBackToFront, &HotkeyBindings::grappleSwitchBackToFront, false,
     "GrappleSwitchBackToFront", "Switch grapple to the front"},
    {MeleeAction::Subdue, &HotkeyBindings::subdue, false, "Subdue", "Subdue"},
    {MeleeAction::GrappleSwitchFrontToMount, &HotkeyBindings::grappleSwitchFrontToMount, false,
     "GrappleSwitchFrontToMount", "Switch grapple to a mount"},
    {MeleeAction::GrappleChallengeFront, nullptr, false, "GrappleChallengeFront", "Grapple challenge"},
    {MeleeAction::Tackle, &HotkeyBindings::tackle, false, "Tackle", "Tackle"},
    {MeleeAction::GrappleFront, &HotkeyBindings::grappleFront, false, "GrappleFront", "Grapple from the front"},
    {MeleeAction::GrappleBack, &HotkeyBindings::grappleBack, false, "GrappleBack", "Grapple from behind"},
};
inline constexpr int dispatchEntryCount = static_cast<int>(std::size(dispatchTable));

// The modifier is a binding but no move; players know it by this name.
inline constexpr const char* modifierPlayerName = "Modifier";

namespace move_table_checks {

// One row per move, in the enum's order, so a move's row is dispatchTable[int(move)].
consteval bool everyMoveHasItsRow() {
    if (dispatchEntryCount != meleeActionCount) return false;
    for (int index = 0; index < dispatchEntryCount; ++index)
        if (dispatchTable[index].action != static_cast<MeleeAction>(index)) return false;
    return true;
}

// How many load sources read into this binding field.
consteval int sourcesOf(std::int32_t HotkeyBindings::*binding) {
    int count = 0;
    for (const BindingSource& source : bindingSources) count += source.binding == binding;
    return count;
}

// Each bound move is loaded from exactly one settings key, and every loaded
// binding but the modifier belongs to exactly one move.
consteval bool bindingsMatchTheLoad() {
    int boundMoves = 0;
    for (const DispatchEntry& entry : dispatchTable) {
        if (!entry.binding) continue;
        ++boundMoves;
        if (sourcesOf(entry.binding) != 1 || entry.binding == &HotkeyBindings::xKey) return false;
        for (const DispatchEntry& other : dispatchTable)
            if (&other != &entry && other.binding == entry.binding) return false;
    }
    return boundMoves + 1 == bindingSourceCount && sourcesOf(&HotkeyBindings::xKey) == 1;
}

static_assert(everyMoveHasItsRow(), "dispatchTable needs one row per MeleeAction, in the enum's order");
static_assert(bindingsMatchTheLoad(), "every bound move needs its own binding, loaded from one settings key");

}  // namespace move_table_checks

// The row of a move.
constexpr const DispatchEntry& moveEntry(MeleeAction action) { return dispatchTable[static_cast<int>(action)]; }

// The key code an entry is waiting for with these bindings; a negative binding
// becomes a code of 255 or more, which never matches.
constexpr std::uint32_t triggerKeyCode(const DispatchEntry& entry, const HotkeyBindings& bindings) {
    return entry.binding ? static_cast<std::uint32_t>(bindings.*entry.binding) : grappleChallengeKeyCode;
}

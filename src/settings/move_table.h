// The fourteen moves, one row each: the move, the key that triggers it, and
// where the settings file sets that key. Everything else about a move
// (dispatch order, load order) comes from this row or is checked against it
// when compiled, so a missing, extra or misplaced row fails the build instead
// of acting as some other move. What players call a move is in the catalogues
// (words/), which the tools name it by, checked when they compile.
#pragma once

#include "settings/hotkey_bindings.h"
#include "settings/melee_action_list.h"

#include <cstdint>
#include <iterator>
#include <optional>

// The moves, in the order the script loop tests them within a tick: declared
// from the one list, so an enumerator cannot exist without being counted.
enum class MeleeAction {
#define PELLIMORE_ENUMERATOR(name) name,
    PELLIMORE_MELEE_ACTIONS(PELLIMORE_ENUMERATOR)
#undef PELLIMORE_ENUMERATOR
};

// How many moves the list declares; the table below must have exactly this many rows.
constexpr int meleeActionCount = 0
#define PELLIMORE_COUNTED(name) +1
    PELLIMORE_MELEE_ACTIONS(PELLIMORE_COUNTED)
#undef PELLIMORE_COUNTED
    ;

// The fixed key of GrappleChallengeFront (numeric keypad 8); no setting changes it.
constexpr std::uint32_t grappleChallengeKeyCode = 104;

// A key players set: its binding, the settings key it is read from, and, for
// the two throws that older files give no key of their own, the key read in
// its place. The words players know it by are the catalogues' (move.<codeName>
// in words/<language>.txt, English included).
struct KeyRow {
    std::int32_t HotkeyBindings::*binding;  // null for the fixed challenge key
    const char* settingsKey;                // null for the fixed challenge key
    const char* fallbackSettingsKey;        // null for the keys that have no fallback
};

// One move: what it is, as the code spells it, whether the modifier must be
// held, and its key.
struct MoveRow {
    MeleeAction action;
    const char* codeName;  // "GrappleThrowFront"
    bool needsModifier;
    KeyRow key;
};

// clang-format off
inline constexpr MoveRow moveTable[] = {
    {MeleeAction::GrappleThrowFront, "GrappleThrowFront", true,
     {&HotkeyBindings::grappleThrowFront, "iGrappleThrowFront", nullptr}},
    {MeleeAction::GrappleThrowLeft, "GrappleThrowLeft", true,
     {&HotkeyBindings::grappleThrowLeft, "iGrappleThrowLeft", nullptr}},
    // Older files have no keys of their own for these two and share the throws' keys above.
    {MeleeAction::GrappleThrowRight, "GrappleThrowRight", true,
     {&HotkeyBindings::grappleThrowRight, "iGrappleThrowRight", "iGrappleThrowFront"}},
    {MeleeAction::GrappleThrowBackLeft, "GrappleThrowBackLeft", true,
     {&HotkeyBindings::grappleThrowBackLeft, "iGrappleThrowBackLeft", "iGrappleThrowLeft"}},
    {MeleeAction::Knockout, "Knockout", false,
     {&HotkeyBindings::knockout, "iKnockout", nullptr}},
    {MeleeAction::Execute, "Execute", false,
     {&HotkeyBindings::execute, "iExecute", nullptr}},
    {MeleeAction::GrappleSwitchFrontToBack, "GrappleSwitchFrontToBack", false,
     {&HotkeyBindings::grappleSwitchFrontToBack, "iGrappleSwitchFrontToBack", nullptr}},
    {MeleeAction::GrappleSwitchBackToFront, "GrappleSwitchBackToFront", false,
     {&HotkeyBindings::grappleSwitchBackToFront, "iGrappleSwitchBackToFront", nullptr}},
    {MeleeAction::Subdue, "Subdue", false,
     {&HotkeyBindings::subdue, "iSubdue", nullptr}},
    {MeleeAction::GrappleSwitchFrontToMount, "GrappleSwitchFrontToMount", false,
     {&HotkeyBindings::grappleSwitchFrontToMount, "iGrappleSwitchFrontToMount", nullptr}},
    {MeleeAction::GrappleChallengeFront, "GrappleChallengeFront", false,
     {nullptr, nullptr, nullptr}},
    {MeleeAction::Tackle, "Tackle", false,
     {&HotkeyBindings::tackle, "iTackle", nullptr}},
    {MeleeAction::GrappleFront, "GrappleFront", false,
     {&HotkeyBindings::grappleFront, "iGrappleFront", nullptr}},
    {MeleeAction::GrappleBack, "GrappleBack", false,
     {&HotkeyBindings::grappleBack, "iGrappleBack", nullptr}},
};
// clang-format on

// The modifier is set like a move's key but triggers nothing itself: held, it lets the throws fire.
inline constexpr KeyRow modifierKey = {&HotkeyBindings::xKey, "iXKey", nullptr};

// The row of a move.
constexpr const MoveRow& moveRow(MeleeAction action) { return moveTable[static_cast<int>(action)]; }

// What a key is for: a move, or (empty) the modifier.
using KeyOwner = std::optional<MeleeAction>;
inline constexpr KeyOwner theModifier = std::nullopt;

// The key row of a move, or of the modifier.
constexpr const KeyRow& keyRow(KeyOwner owner) { return owner ? moveRow(*owner).key : modifierKey; }

// The order the settings load reads the keys in. A value that does not convert
// ends the load there, and players' files rely on which keys it keeps. A key
// added later goes last, and needs a fallback (as the two newer throws read an
// older key in its place): files written before it lack it, and a missing key
// must not end their load.
inline constexpr KeyOwner loadOrder[] = {
    theModifier,
    MeleeAction::Knockout,
    MeleeAction::Execute,
    MeleeAction::GrappleFront,
    MeleeAction::GrappleBack,
    MeleeAction::Tackle,
    MeleeAction::GrappleSwitchFrontToBack,
    MeleeAction::GrappleSwitchBackToFront,
    MeleeAction::GrappleSwitchFrontToMount,
    MeleeAction::Subdue,
    MeleeAction::GrappleThrowFront,
    MeleeAction::GrappleThrowLeft,
    MeleeAction::GrappleThrowRight,
    MeleeAction::GrappleThrowBackLeft,
};
inline constexpr int loadOrderLength = static_cast<int>(std::size(loadOrder));

// The key code a move waits for with these bindings; a negative binding
// becomes a code of 255 or more, which never matches.
constexpr std::uint32_t triggerKeyCode(const MoveRow& row, const HotkeyBindings& bindings) {
    return row.key.binding ? static_cast<std::uint32_t>(bindings.*row.key.binding) : grappleChallengeKeyCode;
}

// The code a key has until a settings file says otherwise.
constexpr std::int32_t defaultCode(const KeyRow& key) {
    return key.binding ? HotkeyBindings{}.*key.binding : static_cast<std::int32_t>(grappleChallengeKeyCode);
}

namespace move_table_checks {

// One row per move, in the enum's order, so a move's row is moveTable[int(move)].
consteval bool everyMoveHasItsRow(const auto& table) {
    if (static_cast<int>(std::size(table)) != meleeActionCount) return false;
    for (int index = 0; index < meleeActionCount; ++index)
        if (table[index].action != static_cast<MeleeAction>(index)) return false;
    return true;
}

// A row is complete: a binding has its settings key, the fixed key has neither, and every row has its code name.
consteval bool everyRowIsComplete(const auto& table) {
    for (const MoveRow& row : table) {
        if ((row.key.binding == nullptr) != (row.key.settingsKey == nullptr)) return false;
        if (!row.codeName) return false;
    }
    return modifierKey.binding && modifierKey.settingsKey;
}

consteval bool sameText(const char* a, const char* b) {
    if (!a || !b) return a == b;
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

consteval bool keysAreDistinct(const KeyRow& a, const KeyRow& b) {
    return (!a.binding || a.binding != b.binding) && (!a.settingsKey || !sameText(a.settingsKey, b.settingsKey));
}

// No two keys share a binding or a settings key.
consteval bool everyKeyIsItsOwn(const auto& table) {
    for (std::size_t first = 0; first < std::size(table); ++first) {
        if (!keysAreDistinct(table[first].key, modifierKey)) return false;
        for (std::size_t second = first + 1; second < std::size(table); ++second)
            if (!keysAreDistinct(table[first].key, table[second].key)) return false;
    }
    return true;
}

// The load reads every bound key exactly once, and the modifier first.
consteval bool loadOrderCoversEveryKey(const auto& table, const auto& order) {
    std::size_t bound = 0;
    for (const MoveRow& row : table) bound += row.key.binding != nullptr;
    if (std::size(order) != bound + 1 || order[0] != theModifier) return false;
    for (std::size_t first = 0; first < std::size(order); ++first) {
        const auto index = order[first] ? static_cast<std::size_t>(*order[first]) : 0;
        if (order[first] && (index >= std::size(table) || !table[index].key.binding)) return false;
        for (std::size_t second = first + 1; second < std::size(order); ++second)
            if (order[first] == order[second]) return false;
    }
    return true;
}

// The checks a table of moves must pass, in a template so that a test can
// show that a broken table fails to compile with the message below.
template <const auto& table, const auto& order>
struct Checked {
    static_assert(everyMoveHasItsRow(table), "moveTable needs one row per MeleeAction, in the enum's order");
    static_assert(everyRowIsComplete(table),
                  "every moveTable row needs its settings key (or none, with no binding) and its code name");
    static_assert(everyKeyIsItsOwn(table), "no two keys may share a binding or a settings key");
    static_assert(loadOrderCoversEveryKey(table, order),
                  "loadOrder must read the modifier first and every bound key once");
    // Every binding is loaded from somewhere: a field without a row fails the build.
    static_assert(sizeof(HotkeyBindings) == std::size(order) * sizeof(std::int32_t),
                  "every HotkeyBindings field needs its key row and its place in loadOrder");
    static constexpr bool passed = true;
};

static_assert(Checked<moveTable, loadOrder>::passed);

}  // namespace move_table_checks

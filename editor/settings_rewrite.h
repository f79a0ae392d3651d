// Writes new key codes into a settings file the player already has, keeping
// every byte they wrote: comments, other sections, unknown keys, line ends.
// Only the values of the changed keys change.
#pragma once

#include "settings/settings_evaluation.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct BindingChange {
    KeyOwner owner;  // the move whose key changes, or the modifier
    std::int32_t code;
};

// The file with each change applied to the key the game reads for it (its last
// occurrence in [Pellimore]): the value's leading number is replaced, the rest
// of the line stays. A key the file lacks is added at the end of its first
// [Pellimore] block (a new block at the end when there is none). A UTF-8
// byte-order mark, which hides the section from the game, is dropped, and a
// file saved as UTF-16, which the game cannot read, becomes plain UTF-8.
std::string rewriteSettings(std::string_view original, const std::vector<BindingChange>& changes);

// What saving repairs in a file, besides the keys changed.
enum class SaveRepair {
    Utf16ToPlainText,      // a file saved as UTF-16 becomes plain text
    ByteOrderMarkRemoved,  // the byte-order mark that hides the first line goes
};

// What saving repairs in these bytes; empty when it repairs nothing.
std::vector<SaveRepair> repairsOnSave(std::string_view original);

// What each key of a layout prints and sends, by the place the page draws it
// at. Places carry the names browsers give them ("KeyQ", "Semicolon": the key
// at that spot on a US keyboard). Windows gives a letter key the code of the
// letter printed on it, so letters follow the layout; the punctuation keys
// send codes of their own on each layout.
#pragma once

#include "pellimore/common/keyboard_layout.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct KeyCap {
    std::string place;  // "KeyQ"
    std::int32_t code;  // what Windows sends for it on this layout: 65 for KeyQ on AZERTY
    std::string cap;    // what the picture prints on it: "A", "Strg", "Ü", "↑"
    std::string name;   // how prompts and findings name it: "A", "Strg", "Ü", "Pfeil oben"
    bool punctuation;   // a key whose code differs between layouts
};

// Whether the layout's keyboards have the ISO shape: a key left of Z, a tall Enter.
bool hasIsoShape(KeyboardLayout layout);

// Every key the page draws on this layout, as its keyboards print and send it.
std::vector<KeyCap> layoutCaps(KeyboardLayout layout);

// The key at a place on the layout, if the page draws one there.
std::optional<KeyCap> capAt(KeyboardLayout layout, std::string_view place);

// The printed character of a key whose code this layout gives another cap than US ("Ü" for 186 on
// QWERTZ, "M" for 77 nowhere), or none where the US name holds.
std::optional<std::string> ownCapOf(KeyboardLayout layout, std::int32_t code);

// Keyboard layouts as values of their own, not languages: a French Canadian
// types on QWERTY, a Swiss French on QWERTZ, a Belgian on AZERTY. A layout
// says where the keys the game walks with sit (the positions of QWERTY's W, A,
// S and D, which the game reads by position), and which catalogue names its
// key caps ("Strg" on a German keyboard).
#pragma once

#include "pellimore/common/message_keys.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class KeyboardLayout {
    Us,
    Uk,
    German,
    Swiss,
    French,
    Belgian,
    CanadianFrench,
    Spanish,
    Italian,
    Polish,
    Brazilian,
    Russian
};

// The key codes at the positions of QWERTY's W, A, S and D (scan codes 0x11, 0x1E, 0x1F, 0x20).
using WalkingKeys = std::array<std::int32_t, 4>;

struct LayoutRow {
    KeyboardLayout layout;
    const char* name;      // what PELLIMORE_KEYBOARD and the page's picker take: "fr"
    MessageKey shownName;  // how the page's picker names it: "Français (AZERTY)"
    const char* letters;   // the letters its top row starts with, as players call it: "AZERTY"
    const char* keyNames;  // the catalogue whose key.* lines name its caps: "fr"
    const char* tags;      // the language tags whose keyboards it is, most specific first: "fr-FR fr-LU fr"
    WalkingKeys walking;
    const char* yKeyTypes;  // what the key where QWERTY has Y types (UTF-8): "z" on QWERTZ, "н" on ЙЦУКЕН
};

const LayoutRow& layoutRow(KeyboardLayout layout);

// Every layout, in the order the page lists them.
const std::vector<LayoutRow>& layoutRows();

// A layout by its name ("fr", "azerty" in any letter case) or by a language tag as Windows, browsers and
// LANG write it ("fr-CA", "de_CH.UTF-8", "pt-BR"); none for a tag of a country with no layout here.
std::optional<KeyboardLayout> layoutNamed(std::string_view nameOrTag);

// One layout the player types on: where its walking keys are (on Windows as the layout itself maps them).
struct PlayerLayout {
    KeyboardLayout layout;
    WalkingKeys walking;
};

// A layout as the table knows it, its walking keys where its row puts them.
PlayerLayout playerLayout(KeyboardLayout layout);

// The first of the player's layouts that walks with this key, if any.
std::optional<KeyboardLayout> walkingLayoutOf(const std::vector<PlayerLayout>& layouts, std::int32_t code);

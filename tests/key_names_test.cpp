// Key names as players copy them from the editor page, the readmes and
// Windows' own headers all reach the right code; a word that names no key is
// said to be one rather than taken for some other key.
#include "pellimore/common/key_names.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyNames, EverySpellingThePageTheReadmesAndWindowsUseIsUnderstood) {
    const std::pair<const char*, std::uint32_t> spellings[] = {
        {"Num 9", 105},   {"Numpad 9", 105},   {"numeric keypad 9", 105},
        {"NUMPAD9", 105}, {"VK_NUMPAD8", 104}, {"VK_F5", 116},
        {"f5", 116},      {"PgDn", 34},        {"VK_NEXT", 34},
        {"PrtSc", 44},    {"Menu", 93},        {"VK_MENU", 18},
        {"up arrow", 38}, {"Ctrl", 17},        {"VK_LCONTROL", 162},
        {"Esc", 27},      {"Caps", 20},        {"Q", 81},
        {"0x51", 81},     {"81", 81},
    };
    for (const auto& [text, code] : spellings) EXPECT_EQ(parseKey(text), code) << text;
}

TEST(KeyNames, WordsThatNameNoKeyAreToldApartFromNumbers) {
    for (const char* unknown : {"Ü", "Fn", "Numpad 10", "VK_WHATEVER"}) {
        EXPECT_FALSE(parseKey(unknown).has_value()) << unknown;
        EXPECT_TRUE(looksLikeAKeyName(unknown)) << unknown;
    }
    for (const char* notAName : {"12abc", "=", "", "-"}) EXPECT_FALSE(looksLikeAKeyName(notAName)) << notAName;
}

}  // namespace

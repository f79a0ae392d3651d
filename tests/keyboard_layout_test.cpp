// Keyboards abroad: a layout is a value of its own (a French Canadian types on
// QWERTY, a Belgian on AZERTY), the keys a player walks with are found by
// position on it, and key names follow the keyboard, not the sentence's language.
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/check/check_wording.h"
#include "pellimore/check/settings_analysis.h"
#include "pellimore/common/layout_caps.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/words.h"
#include "test_support.h"

#include <cctype>
#include <set>

namespace {

std::string shipped() {
    return readWholeFile(std::filesystem::path(PELLIMORE_SOURCE_DIR) / "package" / "Pellimore.ini").value_or("");
}

std::vector<PlayerLayout> typingOn(KeyboardLayout layout) { return {playerLayout(layout)}; }

class KeyboardLayoutTest : public PellimoreTest {};

TEST_F(KeyboardLayoutTest, ALayoutIsNamedByItselfOrByTheTagOfItsCountry) {
    const std::pair<const char*, KeyboardLayout> names[] = {{"fr", KeyboardLayout::French},
                                                            {"AZERTY", KeyboardLayout::French},
                                                            {"fr-FR", KeyboardLayout::French},
                                                            {"fr_BE.UTF-8", KeyboardLayout::Belgian},
                                                            {"fr-CA", KeyboardLayout::CanadianFrench},
                                                            {"fr-CH", KeyboardLayout::Swiss},
                                                            {"de_CH", KeyboardLayout::Swiss},
                                                            {"de_DE.UTF-8", KeyboardLayout::German},
                                                            {"en-GB", KeyboardLayout::Uk},
                                                            {"en", KeyboardLayout::Us},
                                                            {"pt-BR", KeyboardLayout::Brazilian},
                                                            {"ru-RU", KeyboardLayout::Russian},
                                                            {"pl", KeyboardLayout::Polish},
                                                            {"es-ES", KeyboardLayout::Spanish}};
    for (const auto& [name, layout] : names) EXPECT_EQ(layoutNamed(name), layout) << name;
    EXPECT_FALSE(layoutNamed("xx-YY"));
    EXPECT_FALSE(layoutNamed(""));
}

// The shipped keys put Tackle on Z and Knock out on Q: on AZERTY those are where QWERTY has W and A.
TEST_F(KeyboardLayoutTest, TheShippedKeysWalkOnlyOnAzerty) {
    for (const KeyboardLayout layout : {KeyboardLayout::Us, KeyboardLayout::German, KeyboardLayout::CanadianFrench,
                                        KeyboardLayout::Swiss, KeyboardLayout::Russian}) {
        EXPECT_EQ(analyzeSettingsBytes(shipped(), "Pellimore.ini", typingOn(layout)).verdict, exitAllGood)
            << layoutRow(layout).name;
    }
    for (const KeyboardLayout layout : {KeyboardLayout::French, KeyboardLayout::Belgian}) {
        const SettingsReport report = analyzeSettingsBytes(shipped(), "Pellimore.ini", typingOn(layout));
        EXPECT_EQ(report.verdict, exitWithWarnings);
        std::vector<std::int32_t> keys;
        for (const SettingsFinding& warning : report.warnings)
            if (warning.kind == FindingKind::WalkingKey) keys.push_back(warning.keyCode);
        EXPECT_EQ(keys, (std::vector<std::int32_t>{81, 90})) << layoutRow(layout).name;
    }
    // Of several layouts, each is considered, and the finding names the one that walks there.
    const std::vector<PlayerLayout> both{playerLayout(KeyboardLayout::Us), playerLayout(KeyboardLayout::French)};
    EXPECT_EQ(walkingLayoutOf(both, 90), KeyboardLayout::French);
    EXPECT_EQ(walkingLayoutOf(both, 87), KeyboardLayout::Us);
    EXPECT_FALSE(walkingLayoutOf(both, 69));
}

// The sentence's language and the keyboard's are two things: a German sentence about a US keyboard says Ctrl,
// an English one about a German keyboard Strg; keypad keys are Num 9 wherever the caps print that.
TEST_F(KeyboardLayoutTest, KeyNamesFollowTheKeyboardNotTheLanguage) {
    EXPECT_EQ(shownKeyLabel(voiceFor("de", KeyboardLayout::Us), 17), "Ctrl (17)");
    EXPECT_EQ(shownKeyLabel(voiceFor("en", KeyboardLayout::German), 17), "Strg (17)");
    for (const KeyboardLayout layout :
         {KeyboardLayout::Us, KeyboardLayout::Russian, KeyboardLayout::Polish, KeyboardLayout::Brazilian}) {
        EXPECT_EQ(shownKeyName(voiceFor("en", layout), 105), "Num 9") << layoutRow(layout).name;
        EXPECT_EQ(shownKeyName(voiceFor("en", layout), 33), "Page Up") << layoutRow(layout).name;
    }
}

// One table says what each place prints and sends: the walking keys are the codes at QWERTY's W, A, S and D,
// every key the page draws has a name on every layout (never the code's internal name such as "Numpad9"), and a
// key that carries a word prints the very name the prompts and findings use.
TEST_F(KeyboardLayoutTest, EveryDrawnKeyHasItsLayoutsCapAndName) {
    const std::set<std::string> internalNames{"Numpad9", "PageUp", "PageDown", "ScrollLock", "NumLock", "CapsLock",
                                              "Up",      "Space",  "Apps",     "LeftWin",    "Multiply"};
    for (const LayoutRow& row : layoutRows()) {
        const std::vector<KeyCap> caps = layoutCaps(row.layout);
        ASSERT_GE(caps.size(), 100u) << row.name;
        WalkingKeys walking{};
        for (std::size_t at = 0; const char* const place : {"KeyW", "KeyA", "KeyS", "KeyD"}) {
            const auto cap = capAt(row.layout, place);
            ASSERT_TRUE(cap) << row.name << " " << place;
            walking[at++] = cap->code;
        }
        EXPECT_EQ(walking, row.walking) << row.name;
        for (const KeyCap& cap : caps) {
            EXPECT_FALSE(cap.name.empty() || cap.cap.empty()) << row.name << " " << cap.place;
            if (std::string_view(row.keyNames) != "en")
                EXPECT_FALSE(internalNames.contains(cap.name)) << row.name << " " << cap.place;
            const bool printsAWord = cap.cap.size() > 1 && std::isalpha(static_cast<unsigned char>(cap.cap[0])) &&
                                     !(cap.cap[0] == 'F' && std::isdigit(static_cast<unsigned char>(cap.cap[1])));
            if (printsAWord) EXPECT_EQ(cap.cap, cap.name) << row.name << " " << cap.place;
        }
    }
    // Punctuation is named by what its cap prints on the player's keyboard, letters by where they moved.
    EXPECT_EQ(capAt(KeyboardLayout::French, "Semicolon")->code, 77);
    EXPECT_EQ(keyNameOn(KeyboardLayout::German, 192), "\xC3\x96");
    EXPECT_EQ(keyNameOn(KeyboardLayout::Russian, 186), "\xD0\x96");
    EXPECT_EQ(keyNameOn(KeyboardLayout::Us, 186), "Semicolon");
    EXPECT_EQ(capAt(KeyboardLayout::German, "PageUp")->cap, "Bild \xE2\x86\x91");
    EXPECT_EQ(capAt(KeyboardLayout::Russian, "Numpad9")->name, "Num 9");
}

}  // namespace

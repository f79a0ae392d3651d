// Saving new keys into a player's own file: only the changed values change.
#include "settings_rewrite.h"
#include "settings_rewrite_properties.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(SettingsRewrite, OnlyTheChangedValueChangesAndEveryOtherByteStays) {
    const std::string original =
        "; my keys\r\n[Other]\r\niKnockout=1\r\n[Pellimore]\r\niXKey = 88 ; X\r\n# odd line\r\n"
        "iKnockout=81\r\nunknown=5\r\n[Pellimore]\r\niKnockout=82   ; later wins\r\n\r\n[Tail]\r\nk=v";
    const std::string saved = rewriteSettings(original, {{MeleeAction::Knockout, 75}});
    std::string expected = original;
    expected.replace(expected.find("82   ;"), 2, "75");
    EXPECT_EQ(saved, expected) << "the occurrence the game reads, and nothing else";
    EXPECT_EQ(rewriteSettings(original, {{theModifier, -1}}),
              "; my keys\r\n[Other]\r\niKnockout=1\r\n[Pellimore]\r\niXKey = -1 ; X\r\n# odd line\r\n"
              "iKnockout=81\r\nunknown=5\r\n[Pellimore]\r\niKnockout=82   ; later wins\r\n\r\n[Tail]\r\nk=v");
    // A signed number is one number: its note stays.
    EXPECT_EQ(rewriteSettings("[Pellimore]\niKnockout=-1 ; note\n", {{MeleeAction::Knockout, 75}}),
              "[Pellimore]\niKnockout=75 ; note\n");
}

TEST(SettingsRewrite, MissingKeysGoIntoTheFirstBlockAndAValueWithoutANumberIsReplaced) {
    EXPECT_EQ(rewriteSettings("[Pellimore]\niXKey=88\niKnockout=Q\n[Other]\nk=v\n",
                              {{MeleeAction::Knockout, 81}, {MeleeAction::GrappleThrowRight, 39}}),
              "[Pellimore]\niXKey=88\niKnockout=81\niGrappleThrowRight=39\n[Other]\nk=v\n");
    EXPECT_EQ(rewriteSettings("; nothing yet", {{MeleeAction::Tackle, 90}}),
              "; nothing yet\r\n[Pellimore]\r\niTackle=90\r\n");
}

TEST(SettingsRewrite, AByteOrderMarkIsDropped) {
    EXPECT_EQ(rewriteSettings("\xEF\xBB\xBF[Pellimore]\niXKey=88\n", {}), "[Pellimore]\niXKey=88\n");
}

}  // namespace

namespace {

// The shipped file's notes of each key's code follow the code; other comments stay as written.
TEST(SettingsRewrite, TheCodeNoteAboveAChangedKeyFollowsIt) {
    const std::string original =
        "[Pellimore]\r\n; Execute (69 = E)\r\niExecute=69\r\n; my own words (69 = E)\r\n"
        "iKnockout=81\r\n";
    EXPECT_EQ(rewriteSettings(original, {{MeleeAction::Execute, 65}, {MeleeAction::Knockout, 75}}),
              "[Pellimore]\r\n; Execute (65 = A)\r\niExecute=65\r\n; my own words (69 = E)\r\niKnockout=75\r\n");
    EXPECT_EQ(rewriteSettings("[Pellimore]\n; Execute (69 = E)\niExecute=69\n", {{MeleeAction::Execute, -1}}),
              "[Pellimore]\n; Execute (-1 = off)\niExecute=-1\n");
}

}  // namespace

namespace {

// A last line without a line end is ended before a key is added after it.
TEST(SettingsRewrite, AKeyAddedAfterALastLineWithoutALineEndStartsALineOfItsOwn) {
    EXPECT_EQ(rewriteSettings("[Pellimore]\niXKey=88", {{MeleeAction::Knockout, 81}}),
              "[Pellimore]\niXKey=88\niKnockout=81\n");
}

// Files as players write them, from a vocabulary of the lines that trip savers
// up: every file and every change keeps the rewrite's promises.
TEST(SettingsRewrite, EveryGeneratedFileKeepsItsBytesAndLoadsAsAsked) {
    const std::vector<std::string> vocabulary = {"[Pellimore]",
                                                 "[Other]",
                                                 "; Knock out (81 = Q)",
                                                 "; Execute (69 = E)",
                                                 "iXKey=88",
                                                 "iKnockout=81",
                                                 "iKnockout = 75 ; later",
                                                 "iExecute=69",
                                                 "iExecute=E",
                                                 "iGrappleThrowFront=38",
                                                 "iGrappleThrowRight=39",
                                                 "iGrappleThrowLeft=37",
                                                 "",
                                                 "   ",
                                                 "# odd",
                                                 "k=v",
                                                 "iKnockout=",
                                                 "iSubdue=-1",
                                                 "[pellimore]"};
    const std::vector<std::string> ends = {"\n", "\r\n"};
    std::mt19937 random(20261208);
    int loaded = 0;
    // A complete file: every key the load reads, at its usual code, made from the table of moves.
    std::vector<std::string> complete = {"[Pellimore]"};
    for (const KeyOwner owner : loadOrder)
        complete.push_back(std::string(keyRow(owner).settingsKey) + "=" + std::to_string(defaultCode(keyRow(owner))));
    for (int file = 0; file < 3000; ++file) {
        // Half start from a complete file, as most players' are; all get lines from the vocabulary anywhere.
        std::vector<std::string> lines = file % 2 ? std::vector<std::string>() : complete;
        for (int extra = 1 + static_cast<int>(random() % 6); extra > 0; --extra)
            lines.insert(lines.begin() + static_cast<long>(random() % (lines.size() + 1)),
                         vocabulary[random() % vocabulary.size()]);
        std::string text = file % 4 == 0 ? "\xEF\xBB\xBF" : "";
        for (std::size_t line = 0; line < lines.size(); ++line)
            text += lines[line] + (line + 1 < lines.size() || random() % 2 ? ends[random() % 2] : "");
        const KeyOwner owner = loadOrder[random() % loadOrderLength];
        const auto code = static_cast<std::int32_t>(random() % 300) - 1;
        loaded += evaluateSettingsBytes(text, HotkeyBindings{}).stop.error == ConversionError::None;
        ASSERT_EQ(rewriteBreaks(text, owner, code), "")
            << "file: " << text << "\nchange: " << keyRow(owner).settingsKey << "=" << code;
    }
    EXPECT_GT(loaded, 100) << "too few generated files load, so the load property was barely tried";
}

}  // namespace

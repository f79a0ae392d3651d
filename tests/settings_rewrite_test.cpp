// Saving new keys into a player's own file: only the changed values change.
#include "settings_rewrite.h"

#include <gtest/gtest.h>

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

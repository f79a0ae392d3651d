// What players read about the moves outside the tools (the shipped settings
// file, the player's readme, the README) words each move as the English
// catalogue does, so every place calls a move by one name.
#include "pellimore/check/check_wording.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"
#include "settings/move_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string fileText(const std::string& relative) {
    std::ifstream file(std::string(PELLIMORE_SOURCE_DIR) + "/" + relative, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> linesOf(const std::string& text) { return textLines(text); }

std::string englishName(KeyOwner owner) { return playerName(Voice{}, owner); }

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

// The shipped file: each key's line holds its default code, and the comment above it the move's name and key code.
TEST(ShippedTexts, TheShippedSettingsFileNamesEachKeyAsTheCatalogueDoes) {
    const auto lines = linesOf(fileText("package/Pellimore.ini"));
    ASSERT_GT(lines.size(), 28u) << "package/Pellimore.ini is missing or cut short";
    for (const KeyOwner owner : loadOrder) {
        const KeyRow& key = keyRow(owner);
        const std::string setting = std::string(key.settingsKey) + "=" + std::to_string(defaultCode(key));
        const auto at = std::find(lines.begin(), lines.end(), setting);
        ASSERT_NE(at, lines.end()) << "no line " << setting;
        ASSERT_NE(at, lines.begin());
        const std::string& comment = *(at - 1);
        EXPECT_TRUE(comment.starts_with("; " + englishName(owner))) << "above " << setting << ": " << comment;
        EXPECT_NE(comment.find("(" + std::to_string(defaultCode(key)) + " = "), std::string::npos) << comment;
    }
}

// The player's readme lists every move once, by its name, beside its default key.
TEST(ShippedTexts, TheReadmesDefaultKeysListEveryMoveByItsName) {
    const auto lines = linesOf(fileText("package/README.txt"));
    const auto heading = std::find(lines.begin(), lines.end(), "Default keys");
    ASSERT_NE(heading, lines.end()) << "package/README.txt has no \"Default keys\" section";
    for (const MoveRow& move : moveTable) {
        int found = 0;
        for (auto line = heading + 2; line != lines.end() && !line->empty(); ++line) {
            const std::size_t name = line->find("  " + englishName(move.action), 2);
            if (name == std::string::npos) continue;
            ++found;
            EXPECT_EQ(withoutSpaces(line->substr(0, name)), keyName(defaultCode(move.key))) << *line;
        }
        EXPECT_EQ(found, 1) << englishName(move.action);
    }
}

// The README shows the shipped file itself, so the two cannot drift apart.
TEST(ShippedTexts, TheReadmeShowsTheShippedSettingsFileAsItIs) {
    const std::string readme = fileText("README.md");
    const std::string sample = fileText("package/Pellimore.ini");
    ASSERT_FALSE(sample.empty());
    EXPECT_NE(readme.find("```ini\n" + sample + "```"), std::string::npos)
        << "README.md's ```ini block differs from package/Pellimore.ini";
}

}  // namespace

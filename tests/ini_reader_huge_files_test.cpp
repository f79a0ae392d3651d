#include "settings/ini_reader.h"
#include "test_support.h"

#include <filesystem>

namespace {

class IniHugeFilesTest : public PellimoreTest {};

TEST_F(IniHugeFilesTest, ManySectionsAndKeysKeepOrderAndIndex) {
    std::string text;
    for (int section = 0; section < 200; ++section) {
        text += "[section" + std::to_string(section) + "]\n";
        for (int key = 0; key < 200; ++key)
            text += "key" + std::to_string(key) + " = " + std::to_string(section * 1000 + key) + "\n";
    }
    writeSettings(text);
    IniDocument document;
    ASSERT_TRUE(document.parseFile("Pellimore.ini"));
    ASSERT_EQ(document.getSections().size(), 200u);
    EXPECT_EQ(document.getSections()[137].first, "section137");
    EXPECT_EQ(document.getSection("section199").getValue("key199"), "199199");
    EXPECT_EQ(document.getSection("section5").getEntries()[42].first, "key42");
}

TEST_F(IniHugeFilesTest, VeryLongLinesSurvive) {
    const std::string longValue(1 << 20, 'v');
    writeSettings("[s]\nk=" + longValue + "\n");
    IniDocument document;
    document.parseFile("Pellimore.ini");
    EXPECT_EQ(document.getSection("s").getValue("k").size(), longValue.size());
}

TEST_F(IniHugeFilesTest, DirectoryInPlaceOfTheFileYieldsNoLines) {
    std::filesystem::create_directory("Pellimore.ini");
    IniDocument document;
    std::ifstream directory("Pellimore.ini", std::ios::binary);
    if (directory.is_open()) {
        EXPECT_TRUE(readLines(directory).empty());
    }
    document.parseFile("Pellimore.ini");
    EXPECT_TRUE(document.getSections().empty());
}

TEST_F(IniHugeFilesTest, FileBeyondTheSizeLimitIsTreatedAsEmpty) {
    {
        std::ofstream file(scratchDirectory / "Pellimore.ini", std::ios::binary);
        file << "[s]\nk=v\n";
    }
    std::filesystem::resize_file(scratchDirectory / "Pellimore.ini", maximumSettingsFileBytes + 1);
    IniDocument document;
    EXPECT_TRUE(document.parseFile("Pellimore.ini"));
    EXPECT_TRUE(document.getSections().empty());
}

}  // namespace

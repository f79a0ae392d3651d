// Reading the file: whole, split at line feeds, and nothing from what is no file.
#include "settings/ini_reader.h"
#include "test_support.h"

#include <filesystem>

namespace {

class IniFileReadingTest : public PellimoreTest {
protected:
    std::vector<std::string> linesOf(const std::string& bytes) {
        writeSettings(bytes);
        std::ifstream file("Pellimore.ini", std::ios::binary);
        return readLines(file);
    }
};

using Lines = std::vector<std::string>;

TEST_F(IniFileReadingTest, LineEndsCarriageReturnsAndNuls) {
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(linesOf("a\nb\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(linesOf("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("a\rb\rc"), (Lines{"abc"})) << "carriage returns alone do not end lines";
    EXPECT_EQ(linesOf(std::string("k=1\0 2\n", 7)), (Lines{"k=1 2", ""}));
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\n"), (Lines{"", ""}));
}

TEST_F(IniFileReadingTest, FileParsesLikeItsBytesAndVeryLongLinesSurvive) {
    const std::string longValue(1 << 20, 'v');
    writeSettings("[s]\r\nk=" + longValue + "\r\n");
    IniDocument document;
    ASSERT_TRUE(document.parseFile("Pellimore.ini"));
    EXPECT_EQ(document.getSection("s").getValue("k").size(), longValue.size());
}

TEST_F(IniFileReadingTest, MissingFileLeavesTheDocumentUntouched) {
    IniDocument document;
    document.parseBytes("[a]\nk=1\n");
    EXPECT_FALSE(canOpenForReading("no-such-file.ini"));
    EXPECT_FALSE(document.parseFile("no-such-file.ini"));
    EXPECT_EQ(document.getSection("a").getValue("k"), "1");
}

TEST_F(IniFileReadingTest, DirectoryInPlaceOfTheFileYieldsNoLines) {
    std::filesystem::create_directory("Pellimore.ini");
    std::ifstream directory("Pellimore.ini", std::ios::binary);
    // Whether a directory opens at all depends on the C library; where it does, it must read as nothing.
    if (!directory.is_open()) GTEST_SKIP() << "this C library does not open a directory as a file";
    EXPECT_TRUE(readLines(directory).empty());
    IniDocument document;
    document.parseFile("Pellimore.ini");
    EXPECT_TRUE(document.getSections().empty());
}

TEST_F(IniFileReadingTest, FileBeyondTheSizeLimitIsTreatedAsEmpty) {
    writeSettings("[s]\nk=v\n");
    std::filesystem::resize_file(scratchDirectory / "Pellimore.ini", maximumSettingsFileBytes + 1);
    IniDocument document;
    EXPECT_TRUE(document.parseFile("Pellimore.ini"));
    EXPECT_TRUE(document.getSections().empty());
}

}  // namespace

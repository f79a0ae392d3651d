#include "settings/ini_reader.h"
#include "test_support.h"

namespace {

class IniEncodingsTest : public PellimoreTest {
protected:
    std::vector<std::string> linesOf(const std::string& bytes) {
        writeSettings(bytes);
        std::ifstream file("Pellimore.ini", std::ios::binary);
        return readLines(file);
    }
    IniDocument parse(const std::string& bytes) {
        writeSettings(bytes);
        IniDocument document;
        document.parseFile("Pellimore.ini");
        return document;
    }
};

using Lines = std::vector<std::string>;

TEST_F(IniEncodingsTest, LineEndsCarriageReturnsAndNuls) {
    EXPECT_EQ(linesOf("a\r\nb\r\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(linesOf("a\nb\n"), (Lines{"a", "b", ""}));
    EXPECT_EQ(linesOf("a\nb"), (Lines{"a", "b"}));
    EXPECT_EQ(linesOf("a\rb\rc"), (Lines{"abc"})) << "carriage returns alone do not end lines";
    EXPECT_EQ(linesOf(std::string("k=1\0 2\n", 7)), (Lines{"k=1 2", ""}));
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\n"), (Lines{"", ""}));
}

TEST_F(IniEncodingsTest, CrLfFileParsesLikeLfFile) {
    const auto lf = parse("[Pellimore]\niXKey = 88\niKnockout=81\n");
    const auto crlf = parse("[Pellimore]\r\niXKey = 88\r\niKnockout=81\r\n");
    EXPECT_EQ(lf.getSection("Pellimore").getEntries(), crlf.getSection("Pellimore").getEntries());
}

TEST_F(IniEncodingsTest, ByteOrderMarkHidesTheFirstHeader) {
    const auto document = parse("\xEF\xBB\xBF[Pellimore]\niXKey=88\n[Other]\nk=v\n");
    EXPECT_EQ(document.getSection("Pellimore").getValue("iXKey"), "");
    EXPECT_EQ(document.getSection("Other").getValue("k"), "v");
}

TEST_F(IniEncodingsTest, HighBytesAreOrdinaryCharacters) {
    const auto document = parse("[\xC3\xA9t\xC3\xA9]\n\xE2\x82\xAC=\xFF\xFE\n");
    EXPECT_EQ(document.getSection("\xC3\xA9t\xC3\xA9").getValue("\xE2\x82\xAC"), "\xFF\xFE");
}

}  // namespace

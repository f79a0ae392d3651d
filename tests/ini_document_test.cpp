// How a file's lines merge into the document: sections, keys, order, look-ups.
#include "settings/ini_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Entries = std::vector<IniSection::Entry>;

IniDocument parse(const std::string& bytes) {
    IniDocument document;
    document.parseBytes(bytes);
    return document;
}

Entries entriesOf(const IniSection& section) { return {section.getEntries().begin(), section.getEntries().end()}; }

TEST(IniDocument, RepeatedHeadersMergeAndRepeatedKeysKeepFirstPosition) {
    const auto document = parse("[s]\na=1\nb=2\n[t]\nx=9\n[s]\na=3\nc=4\n");
    ASSERT_EQ(document.getSections().size(), 2u);
    EXPECT_EQ(entriesOf(document.getSection("s")), (Entries{{"a", "3"}, {"b", "2"}, {"c", "4"}}));
}

TEST(IniDocument, KeysAboveTheFirstHeaderAreDropped) {
    const auto document = parse("a=1\n[s]\nb=2\n");
    EXPECT_EQ(document.getSection("s").getEntries().size(), 1u);
    EXPECT_EQ(document.getSection("").getEntries().size(), 0u);
}

TEST(IniDocument, HeaderAloneCreatesAnEmptySection) {
    const auto document = parse("[empty]\n; nothing\n[]\nk=v\n");
    ASSERT_EQ(document.getSections().size(), 2u);
    EXPECT_EQ(document.getSections()[0].first, "empty");
    EXPECT_EQ(document.getSection("").getValue("k"), "v") << "an empty name is a legal name";
}

TEST(IniDocument, LookupsAreCaseSensitiveTrimmedAndNeverFail) {
    const auto document = parse("[Pellimore]\niXKey=88\n");
    EXPECT_EQ(document.getSection(" Pellimore\t").getValue(" iXKey "), "88");
    EXPECT_EQ(document.getSection("pellimore").getValue("iXKey"), "");
    EXPECT_EQ(document.getSection("Pellimore").getValue("ixkey"), "");
    EXPECT_FALSE(document.getSection("Pellimore").hasKey("ixkey"));
    EXPECT_EQ(document.getSections().size(), 1u) << "look-ups never add";
}

TEST(IniDocument, ParseMergesUntilClearedAndARefillShowsNothingOld) {
    IniDocument document;
    document.parseBytes("[a]\nk=1\nold=x\n[gone]\nz=0\n");
    document.parseBytes("[b]\nk=2\n[a]\nj=3\n");
    EXPECT_EQ(document.getSections().size(), 3u);
    EXPECT_EQ(document.getSection("a").getEntries().size(), 3u);
    document.clear();
    EXPECT_TRUE(document.getSections().empty());
    EXPECT_EQ(document.getSection("a").getValue("k"), "");

    // The storage is reused, so a smaller refill must hide every name from before.
    document.parseBytes("[b]\nk=5\n");
    ASSERT_EQ(document.getSections().size(), 1u);
    EXPECT_EQ(document.getSections()[0].first, "b");
    EXPECT_EQ(entriesOf(document.getSection("b")), (Entries{{"k", "5"}}));
    EXPECT_EQ(document.findTrimmedSection("a"), nullptr);
    EXPECT_EQ(document.findTrimmedSection("gone"), nullptr);
    EXPECT_FALSE(document.getSection("b").hasKey("j"));
}

TEST(IniDocument, CrLfParsesLikeLfAndByteOrderMarkHidesTheFirstHeader) {
    EXPECT_EQ(entriesOf(parse("[Pellimore]\niXKey = 88\niKnockout=81\n").getSection("Pellimore")),
              entriesOf(parse("[Pellimore]\r\niXKey = 88\r\niKnockout=81\r\n").getSection("Pellimore")));
    const auto marked = parse("\xEF\xBB\xBF[Pellimore]\niXKey=88\n[Other]\nk=v\n");
    EXPECT_EQ(marked.getSection("Pellimore").getValue("iXKey"), "");
    EXPECT_EQ(marked.getSection("Other").getValue("k"), "v");
}

TEST(IniDocument, HighBytesAreOrdinaryCharacters) {
    const auto document = parse("[\xC3\xA9t\xC3\xA9]\n\xE2\x82\xAC=\xFF\xFE\n");
    EXPECT_EQ(document.getSection("\xC3\xA9t\xC3\xA9").getValue("\xE2\x82\xAC"), "\xFF\xFE");
}

TEST(IniDocument, ManySectionsAndKeysKeepOrderAndIndex) {
    std::string text;
    for (int section = 0; section < 200; ++section) {
        text += "[section" + std::to_string(section) + "]\n";
        for (int key = 0; key < 200; ++key)
            text += "key" + std::to_string(key) + " = " + std::to_string(section * 1000 + key) + "\n";
    }
    const auto document = parse(text);
    ASSERT_EQ(document.getSections().size(), 200u);
    EXPECT_EQ(document.getSections()[137].first, "section137");
    EXPECT_EQ(document.getSection("section199").getValue("key199"), "199199");
    EXPECT_EQ(document.getSection("section5").getEntries()[42].first, "key42");
}

}  // namespace

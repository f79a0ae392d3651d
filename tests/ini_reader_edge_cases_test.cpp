#include "settings/ini_reader.h"
#include "test_support.h"

namespace {

struct Classified {
    IniLineKind kind;
    std::string name;
    std::string value;
    bool operator==(const Classified&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Classified& line) {
    return out << static_cast<int>(line.kind) << " «" << line.name << "» «" << line.value << "»";
}

Classified classify(const std::string& line) {
    Classified result;
    result.kind = classifyLine(line, result.name, result.value);
    return result;
}

constexpr auto Section = IniLineKind::Section;
constexpr auto KeyValue = IniLineKind::KeyValue;
constexpr auto Invalid = IniLineKind::Invalid;

TEST(IniLineClassification, EmptyAndComments) {
    EXPECT_EQ(classify(" \t\f\v\r\n"), (Classified{IniLineKind::Empty, "", ""}));
    EXPECT_EQ(classify("  ; text"), (Classified{IniLineKind::Comment, "", ""}));
    EXPECT_EQ(classify("# text"), (Classified{Invalid, "", ""})) << "# is no comment";
    EXPECT_EQ(classify("#k=v"), (Classified{KeyValue, "#k", "v"}));
}

TEST(IniLineClassification, SectionHeaders) {
    EXPECT_EQ(classify("[ Pellimore ]"), (Classified{Section, "Pellimore", ""}));
    EXPECT_EQ(classify("[Pellimore] ; note"), (Classified{Section, "Pellimore", ""}));
    EXPECT_EQ(classify("[Pellimore]xyz"), (Classified{Section, "Pellimore", ""}));
    EXPECT_EQ(classify("[a]b]"), (Classified{Section, "a]b", ""}));
    EXPECT_EQ(classify("[]"), (Classified{Section, "", ""}));
    EXPECT_EQ(classify("[abc] = 5"), (Classified{Section, "abc", ""}));
    EXPECT_EQ(classify("[Pelli;more]"), (Classified{Invalid, "", ""}));
    EXPECT_EQ(classify("[a=b"), (Classified{KeyValue, "[a", "b"}));
    EXPECT_EQ(classify("[a;b=c"), (Classified{Invalid, "", ""})) << "cut at ';' before the key/value test";
}

TEST(IniLineClassification, KeysValuesAndEscapes) {
    EXPECT_EQ(classify("key = 5 ; note"), (Classified{KeyValue, "key", "5 ; note"}));
    EXPECT_EQ(classify("k==v"), (Classified{KeyValue, "k", "=v"}));
    EXPECT_EQ(classify("=v"), (Classified{KeyValue, "", "v"}));
    EXPECT_EQ(classify("k="), (Classified{KeyValue, "k", ""}));
    EXPECT_EQ(classify("a\\=b = c"), (Classified{KeyValue, "a=b", "c"}));
    EXPECT_EQ(classify("k = x\\=y"), (Classified{KeyValue, "k", "x\\=y"}));
    EXPECT_EQ(classify("k\\=v"), (Classified{Invalid, "", ""}));
    EXPECT_EQ(classify("a\\\\=b"), (Classified{Invalid, "", ""}))
        << "a backslash does not escape a backslash";
    EXPECT_EQ(classify("\tkey\t=\tvalue\t"), (Classified{KeyValue, "key", "value"}));
    EXPECT_EQ(classify("k = \xA0v\xA0"), (Classified{KeyValue, "k", "\xA0v\xA0"})) << "0xA0 is not trimmed";
}

TEST(IniTrimming, OnlyTheSixWhitespaceBytes) {
    std::string text = std::string("\0 x \0", 5);
    trimWhitespace(text);
    EXPECT_EQ(text, std::string("\0 x \0", 5));
    text = " \t\n\r\f\vx y\v\f\r\n\t ";
    trimWhitespace(text);
    EXPECT_EQ(text, "x y");
    text = "   ";
    trimWhitespace(text);
    EXPECT_EQ(text, "");
}

class IniDocumentTest : public PellimoreTest {
protected:
    IniDocument parse(const std::string& text) {
        writeSettings(text);
        IniDocument document;
        EXPECT_TRUE(document.parseFile("Pellimore.ini"));
        return document;
    }
};

TEST_F(IniDocumentTest, RepeatedHeadersMergeAndRepeatedKeysKeepFirstPosition) {
    const auto document = parse("[s]\na=1\nb=2\n[t]\nx=9\n[s]\na=3\nc=4\n");
    ASSERT_EQ(document.getSections().size(), 2u);
    const auto section = document.getSection("s");
    const std::vector<std::pair<std::string, std::string>> expected = {{"a", "3"}, {"b", "2"}, {"c", "4"}};
    EXPECT_EQ(section.getEntries(), expected);
}

TEST_F(IniDocumentTest, KeysAboveTheFirstHeaderAreDropped) {
    const auto document = parse("a=1\n[s]\nb=2\n");
    EXPECT_EQ(document.getSection("s").getEntries().size(), 1u);
    EXPECT_EQ(document.getSection("").getEntries().size(), 0u);
}

TEST_F(IniDocumentTest, HeaderAloneCreatesAnEmptySection) {
    const auto document = parse("[empty]\n; nothing\n[]\nk=v\n");
    ASSERT_EQ(document.getSections().size(), 2u);
    EXPECT_EQ(document.getSections()[0].first, "empty");
    EXPECT_EQ(document.getSection("").getValue("k"), "v") << "an empty name is a legal name";
}

TEST_F(IniDocumentTest, LookupsAreCaseSensitiveTrimmedAndNeverFail) {
    const auto document = parse("[Pellimore]\niXKey=88\n");
    EXPECT_EQ(document.getSection(" Pellimore\t").getValue(" iXKey "), "88");
    EXPECT_EQ(document.getSection("pellimore").getValue("iXKey"), "");
    EXPECT_EQ(document.getSection("Pellimore").getValue("ixkey"), "");
    EXPECT_FALSE(document.getSection("Pellimore").hasKey("ixkey"));
    EXPECT_EQ(document.getSections().size(), 1u) << "look-ups never add";
}

TEST_F(IniDocumentTest, ParseMergesUntilCleared) {
    IniDocument document;
    writeSettings("[a]\nk=1\n");
    document.parseFile("Pellimore.ini");
    writeSettings("[b]\nk=2\n[a]\nj=3\n");
    document.parseFile("Pellimore.ini");
    EXPECT_EQ(document.getSections().size(), 2u);
    EXPECT_EQ(document.getSection("a").getEntries().size(), 2u);
    document.clear();
    EXPECT_TRUE(document.getSections().empty());
    EXPECT_EQ(document.getSection("a").getValue("k"), "");
}

TEST_F(IniDocumentTest, MissingFileLeavesTheDocumentUntouched) {
    IniDocument document = parse("[a]\nk=1\n");
    EXPECT_FALSE(document.parseFile("no-such-file.ini"));
    EXPECT_EQ(document.getSection("a").getValue("k"), "1");
}

TEST(IniIndex, HashIsSixtyFourBitFnv1a) {
    EXPECT_EQ(fnv1aHash(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(fnv1aHash("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(fnv1aHash("foobar"), 0x85944171f73967e8ull);
}

}  // namespace

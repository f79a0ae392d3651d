// What one line of a settings file is, and what it delivers.
#include "settings/ini_reader.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(classify("a\\\\=b"), (Classified{Invalid, "", ""})) << "a backslash does not escape a backslash";
    EXPECT_EQ(classify("\tkey\t=\tvalue\t"), (Classified{KeyValue, "key", "value"}));
    EXPECT_EQ(classify("k = \xA0v\xA0"), (Classified{KeyValue, "k", "\xA0v\xA0"})) << "0xA0 is not trimmed";
}

TEST(IniLineClassification, TrimmingTakesOnlyTheSixWhitespaceBytes) {
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

}  // namespace

// A line's width is what the console shows: letters, not bytes. Counted in
// bytes, a Cyrillic line (two bytes a letter) wraps at half the width and the
// continuation lines stand out of line with the severity tags.
#include "pellimore/common/text.h"

#include <gtest/gtest.h>

namespace {

TEST(ShownText, WidthsCountLettersSoCyrillicAndAccentedLinesWrapAsLateAsAsciiOnes) {
    EXPECT_EQ(shownWidth("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB5\xD0\xBB"), 6u);  // Пробел
    EXPECT_EQ(shownWidth("\xC3\x89"
                         "chap \xE2\x86\x91"),
              7u);  // Échap ↑
    std::string sentence;
    for (int word = 0; word < 30; ++word)
        sentence += word % 2 ? "\xD0\xBA\xD0\xBB\xD0\xB0\xD0\xB2\xD0\xB8\xD1\x88\xD0\xB0 " : "d\xC3\xA9j\xC3\xA0 ";
    constexpr std::size_t width = 40, indent = 6;
    const std::vector<std::string> lines = textLines(wrappedText(sentence, width, indent, indent));
    ASSERT_GE(lines.size(), 3u);
    for (std::size_t at = 0; at + 1 < lines.size(); ++at) {
        const std::size_t shown = shownWidth(lines[at]) + (at == 0 ? indent : 0);
        const std::string next = lines[at + 1].substr(lines[at + 1].find_first_not_of(' '));
        EXPECT_LE(shown, width) << lines[at];
        // Wrapped only where the next word would not have fitted.
        EXPECT_GT(shown + 1 + shownWidth(next.substr(0, next.find(' '))), width) << lines[at];
        EXPECT_EQ(lines[at + 1].find_first_not_of(' '), indent);
    }
}

}  // namespace

// Counted messages take the form each language's grammar wants for the number:
// the expected forms below are written out from the Unicode CLDR plural rules'
// published integer samples, not computed by the rule under test.
#include "pellimore/common/plural_forms.h"
#include "pellimore/common/words.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>

namespace {

struct ExpectedForms {
    const char* language;
    const char* one;   // the numbers (of those tried) in "one"
    const char* few;   // in "few", where the language has it
    const char* rest;  // the form of every other number
};

constexpr ExpectedForms cldr[] = {
    {"en", "1", "", "other"},
    {"de", "1", "", "other"},
    {"es", "1", "", "other"},
    {"it", "1", "", "other"},
    {"fr", "0 1", "", "other"},
    {"pt-BR", "0 1", "", "other"},
    {"ru", "1 21 101 121", "2 3 4 22 23 24 102", "many"},
    {"pl", "1", "2 3 4 22 23 24 102", "many"},
};

std::set<int> numbersIn(const char* list) {
    std::set<int> numbers;
    std::istringstream words(list);
    for (int number = 0; words >> number;) numbers.insert(number);
    return numbers;
}

std::vector<int> triedNumbers() {
    std::vector<int> numbers;
    for (int number = 0; number <= 30; ++number) numbers.push_back(number);
    numbers.insert(numbers.end(), {101, 102, 105, 111, 112, 121});
    return numbers;
}

std::string expectedForm(const ExpectedForms& expected, int number) {
    if (numbersIn(expected.one).contains(number)) return "one";
    if (numbersIn(expected.few).contains(number)) return "few";
    return expected.rest;
}

const auto& countedMessages() { return message::allCountedKeys; }

TEST(PluralForms, EveryCountedMessageTakesTheFormItsLanguageWantsForEachNumber) {
    ASSERT_EQ(std::size(cldr), knownLanguages().size()) << "a language without expected forms here";
    ASSERT_GE(std::size(countedMessages()), 5u);
    for (const ExpectedForms& expected : cldr) {
        ASSERT_TRUE(catalogue(expected.language).contains("plural")) << expected.language;
        for (const CountedMessageKey counted : countedMessages())
            for (const int number : triedNumbers()) {
                const std::string form = std::string(counted.text()) + "." + expectedForm(expected, number);
                ASSERT_TRUE(catalogue(expected.language).contains(form)) << expected.language << " lacks " << form;
                const std::string count = std::to_string(number);
                EXPECT_EQ(sayCountedIn(expected.language, counted, number, {{"count", count}, {"move", "M"}}),
                          sayListed(expected.language, form, {{"count", count}, {"move", "M"}}))
                    << expected.language << " " << counted.text() << " for " << number;
            }
    }
}

TEST(PluralForms, AnUnknownRuleOrAMissingFormFallsBackToEnglish) {
    EXPECT_FALSE(pluralFormOf("xx", 3));
    EXPECT_TRUE(pluralFormsOf("xx").empty());
    EXPECT_EQ(sayCountedIn("xx", message::repair_done, 3, {{"count", "3"}}),
              sayListed("en", "repair.done.other", {{"count", "3"}}));
}

}  // namespace

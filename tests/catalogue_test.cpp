// The message catalogues: every language has every message, with the same
// placeholders as the English, and translated; and a run picks its language
// from the option, the variable or the player's languages, English otherwise.
#include "pellimore/check/check_wording.h"
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/language_choice.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/plural_forms.h"
#include "pellimore/common/text.h"
#include "pellimore/common/words.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>
#include <sstream>
#include <type_traits>

namespace {

std::vector<std::string> spaceSeparatedWords(const std::string& text) {
    std::vector<std::string> words;
    std::istringstream stream(text);
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

std::set<std::string> placeholdersOf(const std::string& text) {
    std::set<std::string> names;
    static const std::regex placeholder("\\{([a-z_]+)\\}");
    for (std::sregex_iterator match(text.begin(), text.end(), placeholder), end; match != end; ++match)
        names.insert((*match)[1]);
    return names;
}

// The messages every language must have: English's, moves included.
std::map<std::string, std::string> requiredMessages() {
    std::map<std::string, std::string> required(catalogue("en").begin(), catalogue("en").end());
    required.erase("answer.yes");  // every language has its own yes-words, checked by what they accept
    // Key caps are named as each keyboard prints them; a keyboard that prints the English word keeps it.
    std::erase_if(required, [](const auto& message) { return message.first.starts_with("key."); });
    return required;
}

// The counted messages, by the part before the form: English's "repair.done.other" makes "repair.done" one.
std::set<std::string> countedMessages() {
    std::set<std::string> counted;
    for (const auto& [key, text] : catalogue("en"))
        if (key.ends_with(".other")) counted.insert(key.substr(0, key.size() - 6));
    return counted;
}

// What a language must have: English's messages, each counted one in every form the language's rule needs,
// with the placeholders of the English "other".
std::map<std::string, std::string> requiredMessagesIn(const std::string& language) {
    std::map<std::string, std::string> required = requiredMessages();
    const auto rule = catalogue(language).find("plural");
    const std::string ruleName = rule == catalogue(language).end() ? "" : rule->second;
    for (const std::string& counted : countedMessages()) {
        const std::string english = required[counted + ".other"];
        std::erase_if(required, [&](const auto& message) {
            return message.first == counted + ".one" || message.first == counted + ".other";
        });
        for (const PluralForm form : pluralFormsOf(ruleName))
            required[counted + "." + std::string(pluralFormName(form))] = english;
    }
    return required;
}

// A message may read as the English does where nothing in it is a word to translate ("ok", "{file}: {role}"),
// or where the catalogue says so: "same_as_english = key key ...".
bool maySpellAsEnglish(const std::string& language, const std::string& key, const std::string& english) {
    // Placeholders and file names ("Pellimore.ini") are not words to translate.
    const std::string words = std::regex_replace(english, std::regex("\\{[a-z_]+\\}|\\S+\\.[a-z]+"), "");
    if (!std::regex_search(words, std::regex("[A-Za-z]{3,}"))) return true;
    const auto& messages = catalogue(language);
    const auto list = messages.find("same_as_english");
    return list != messages.end() && (" " + list->second + " ").find(" " + key + " ") != std::string::npos;
}

TEST(Catalogues, EveryLanguageHasEachMessageWithTheEnglishPlaceholdersTranslated) {
    ASSERT_GE(knownLanguages().size(), 8u);
    ASSERT_GE(countedMessages().size(), 5u) << "the counted messages are no longer found";
    for (const std::string& language : knownLanguages()) {
        const auto& messages = catalogue(language);
        EXPECT_FALSE(pluralFormsOf(messages.contains("plural") ? messages.at("plural") : "").empty())
            << language << " names no plural rule known here (plural = en, fr, ru or pl)";
        if (language == "en") continue;
        const auto required = requiredMessagesIn(language);
        for (const auto& [key, english] : required) {
            const auto found = messages.find(key);
            if (found == messages.end()) {
                ADD_FAILURE() << language << " lacks " << key;
                continue;
            }
            EXPECT_EQ(placeholdersOf(found->second), placeholdersOf(english)) << language << " " << key;
            // A name quoted twice ("« « name » »") is a slip of the quoting, never meant.
            static const std::regex doubleQuote(
                "(\xC2\xAB|\xE2\x80\x9E|\xE2\x80\x9C)( |\xC2\xA0)?(\xC2\xAB|\xE2\x80\x9E|\xE2\x80\x9C)");
            EXPECT_FALSE(std::regex_search(found->second, doubleQuote)) << language << " " << key << " quotes twice";
            if (found->second == english && !maySpellAsEnglish(language, key, english))
                ADD_FAILURE() << language << " " << key << " is still the English: " << english;
        }
        for (const auto& [key, text] : messages)
            if (!required.contains(key) && !key.starts_with("key.") && key != "answer.yes" && key != "same_as_english")
                ADD_FAILURE() << language << " has " << key << ", which English lacks";
        EXPECT_TRUE(messages.contains("answer.yes")) << language;
    }
}

// Players could not tell two moves of one name apart, in any language.
TEST(Catalogues, NoTwoKeysShareANameInAnyLanguage) {
    std::vector<KeyOwner> owners(std::begin(loadOrder), std::end(loadOrder));
    owners.push_back(MeleeAction::GrappleChallengeFront);
    for (const std::string& language : knownLanguages()) {
        const Voice voice = voiceFor(language);
        std::set<std::string> names;
        for (const KeyOwner owner : owners)
            EXPECT_TRUE(names.insert(playerName(voice, owner)).second)
                << language << " names two keys " << playerName(voice, owner);
    }
}

// A key label names a key the code labels: a misspelt one ("key.Cntrl") would never be shown.
TEST(Catalogues, EveryKeyLabelNamesAKeyTheCodeLabels) {
    std::set<std::string> labelled;
    for (std::int64_t code = 0; code < 256; ++code)
        if (const auto label = keyLabelOf(code)) labelled.insert(std::string(label->text()));
    for (const std::string& language : knownLanguages())
        for (const auto& [key, text] : catalogue(language))
            if (key.starts_with("key."))
                EXPECT_TRUE(labelled.contains(key)) << language << ": " << key << " labels no key";
}

// A bare string is no key: code names a key the English catalogue has (message::...), so a misspelt one fails to
// compile (see compile_failures/), and only sayListed takes a key that comes as data. A counted key is said only
// with its count.
static_assert(!std::is_convertible_v<const char*, MessageKey> &&
              !std::is_constructible_v<MessageKey, std::string_view>);
static_assert(!std::is_convertible_v<CountedMessageKey, MessageKey> &&
              !std::is_convertible_v<MessageKey, CountedMessageKey>);

TEST(Catalogues, AMessageALanguageLacksIsSaidInEnglishAndValuesAreNeverFilledAgain) {
    EXPECT_EQ(sayListed("de", "tool.no_such_message_anywhere"), "tool.no_such_message_anywhere");
    EXPECT_EQ(sayIn("xx", message::check_on_line, {{"line", "3"}, {"sentence", "{line}"}}), "line 3: {line}");
    EXPECT_EQ(catalogueLanguageFor("pt_PT.UTF-8"), "pt-BR");
    EXPECT_EQ(catalogueLanguageFor("de-AT"), "de");
    EXPECT_EQ(catalogueLanguageFor("C.UTF-8"), "");
}

// Every catalogue in words/ is compiled in and has its first steps for the release; a new one needs nothing else.
TEST(Catalogues, EveryCatalogueInWordsIsALanguageWithItsFirstSteps) {
    const std::filesystem::path source(PELLIMORE_SOURCE_DIR);
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(source / "words"))
        if (entry.path().extension() == ".txt") files.insert(entry.path().stem().string());
    EXPECT_EQ(files, std::set<std::string>(knownLanguages().begin(), knownLanguages().end()));
    for (const std::string& language : knownLanguages())
        if (language != "en")
            EXPECT_TRUE(std::filesystem::exists(source / "package" / "first-steps" / ("README." + language + ".txt")))
                << "words/" << language << ".txt has no package/first-steps/README." << language << ".txt";
}

// The page names its messages by key in its scripts and its HTML; each key is in the English catalogue.
TEST(Catalogues, EveryMessageThePageNamesIsInTheCatalogue) {
    const std::filesystem::path editor = std::filesystem::path(PELLIMORE_SOURCE_DIR) / "editor";
    static const std::regex named(R"re((?:say\(')([a-z_.]+)'|data-say(?:-label)?="([a-z_.]+)")re");
    int keys = 0;
    for (const char* file : {"editor.js", "page_words.js", "file_access.js", "shell.html"}) {
        const std::string text = readWholeFile(editor / file).value_or("");
        ASSERT_FALSE(text.empty()) << file;
        for (std::sregex_iterator match(text.begin(), text.end(), named), end; match != end; ++match, ++keys) {
            const std::string key = (*match)[1].matched ? (*match)[1].str() : (*match)[2].str();
            EXPECT_TRUE(catalogue("en").contains(key)) << file << " names " << key << ", which words/en.txt lacks";
        }
    }
    EXPECT_GT(keys, 50) << "the page's keys are no longer found";
}

// Whether every letter of the text is one foldedAnswer knows the capitals of: ASCII, accented Latin, Cyrillic.
bool inKnownAlphabets(const std::string& text) {
    for (const char32_t letter : decodedUtf8(text))
        if (letter >= 0x80 && !(letter >= 0xC0 && letter <= 0xFF) && !(letter >= 0x400 && letter <= 0x45F))
            return false;
    return true;
}

TEST(Catalogues, YesIsUnderstoodInEachLanguagesOwnAlphabetAndEnglishWhereItCannotMeanNo) {
    for (const std::string& language : knownLanguages()) {
        const Voice voice = voiceFor(language);
        for (const MessageKey answers : {message::answer_yes, message::answer_no})
            ASSERT_TRUE(inKnownAlphabets(say(voice, answers)))
                << language << " " << answers.text()
                << " has letters whose capitals foldedAnswer (words.cpp) does not know: "
                << "add them there";
        for (const std::string& yes : spaceSeparatedWords(say(voice, message::answer_yes))) {
            EXPECT_TRUE(isYesAnswer(voice, yes)) << language << " " << yes;
            EXPECT_TRUE(isYesAnswer(voice, " " + yes + "\r")) << language << " " << yes;
        }
        EXPECT_TRUE(isYesAnswer(voice, "Yes"));
        EXPECT_EQ(isYesAnswer(voice, " y\r"), language != "ru") << language;
        EXPECT_FALSE(isYesAnswer(voice, "n"));
        EXPECT_FALSE(isYesAnswer(voice, ""));
        EXPECT_TRUE(isNoAnswer(voice, "") && isNoAnswer(voice, "n"));
        EXPECT_FALSE(isNoAnswer(voice, "maybe")) << "neither yes nor no: asked again";
    }
    // Capitals and accents: each language's own alphabet folds.
    const std::pair<const char*, const char*> capitals[] = {{"es", "SI"}, {"es", "Sí"},  {"ru", "ДА"},    {"it", "Sì"},
                                                            {"de", "Ja"}, {"pl", "Tak"}, {"pt-BR", "Sim"}};
    for (const auto& [language, yes] : capitals)
        EXPECT_TRUE(isYesAnswer(voiceFor(language), yes)) << language << " " << yes;
    const Voice russian = voiceFor("ru");
    EXPECT_FALSE(isYesAnswer(russian, "н")) << "in Russian, н starts нет";
    EXPECT_TRUE(isNoAnswer(russian, "y") && isNoAnswer(russian, "Нет"))
        << "with the English layout on, the Н key types y";
    const Voice english = voiceFor("en");
    EXPECT_TRUE(isYesAnswer(english, "н")) << "the Y key of a Russian keyboard";
    EXPECT_FALSE(isYesAnswer(english, "ja"));
}

// Sets an environment variable for one test and puts it back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name(name) {
        if (const char* old = std::getenv(name)) previous = old;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedVariable() { previous ? setenv(name, previous->c_str(), 1) : unsetenv(name); }

private:
    const char* name;
    std::optional<std::string> previous;
};

// The sections of README.txt a message sends the player to: the quoted text after each "README.txt", in any
// language's quotation marks ("", «», „“, “”), without the spaces inside them.
std::vector<std::string> readmeSectionsNamed(const std::string& text) {
    static const std::vector<std::string> openers{"\"", "\u00AB", "\u201E", "\u201C"};
    static const std::vector<std::string> closers{"\"", "\u00BB", "\u201C", "\u201D"};
    const auto first = [&](const std::vector<std::string>& marks, std::size_t from) {
        std::pair<std::size_t, std::size_t> found{std::string::npos, 0};
        for (const std::string& mark : marks)
            if (const std::size_t at = text.find(mark, from); at < found.first) found = {at, mark.size()};
        return found;
    };
    std::vector<std::string> sections;
    for (std::size_t at = text.find("README.txt"); at != std::string::npos; at = text.find("README.txt", at + 1)) {
        const auto [open, openLength] = first(openers, at);
        const auto close = first(closers, open == std::string::npos ? text.size() : open + openLength).first;
        if (close == std::string::npos) continue;
        std::string section = text.substr(open + openLength, close - open - openLength);
        for (const std::string space : {" ", "\u00A0", "\u202F"}) {
            while (section.starts_with(space)) section.erase(0, space.size());
            while (section.ends_with(space)) section.erase(section.size() - space.size());
        }
        sections.push_back(section);
    }
    return sections;
}

// Every "README.txt says under ..." in any language names a section README.txt has: a heading line with its
// underline of dashes below it.
TEST(Catalogues, EverySectionOfReadmeAMessageNamesExists) {
    const std::string readme =
        readWholeFile(std::filesystem::path(PELLIMORE_SOURCE_DIR) / "package" / "README.txt").value_or("");
    ASSERT_FALSE(readme.empty());
    int sections = 0;
    for (const std::string& language : knownLanguages())
        for (const auto& [key, text] : catalogue(language))
            for (const std::string& section : readmeSectionsNamed(text)) {
                ++sections;
                const std::size_t heading = readme.find("\n" + section + "\n---");
                EXPECT_NE(heading, std::string::npos)
                    << language << " " << key << " sends the player to \"" << section << "\", which README.txt lacks";
            }
    EXPECT_GT(sections, 0) << "no message names a section: the search above no longer finds them";
}

TEST(LanguageChoice, TheOptionBeatsTheVariableWhichBeatsThePlayersLanguagesAndKeyNamesFollowTheKeyboard) {
    ScopedVariable language("PELLIMORE_LANGUAGE", "fr"), keyboard("PELLIMORE_KEYBOARD", "de_DE.UTF-8");
    ScopedVariable all("LC_ALL", nullptr), list("LANGUAGE", "nl:ru"), lang("LANG", "pl_PL.UTF-8");
    const RunStart german = chooseRunVoice({"check", "--language", "de", "x.ini"});
    EXPECT_EQ(german.arguments, (std::vector<std::string>{"check", "x.ini"}));
    EXPECT_EQ(german.voice.language, "de");
    EXPECT_EQ(shownKeyName(german.voice, 17), "Strg");
    EXPECT_EQ(chooseRunVoice({"--language=xx"}).voice.language, "en") << "an unknown language speaks English";
    EXPECT_EQ(chooseRunVoice({}).voice.language, "fr");
    {
        ScopedVariable none("PELLIMORE_LANGUAGE", nullptr);
        EXPECT_EQ(chooseRunVoice({}).voice.language, "ru") << "the first of the player's languages with a catalogue";
    }
    EXPECT_EQ(shownKeyName(Voice{}, 17), "Ctrl");
}

}  // namespace

#include "pellimore/common/words.h"

#include "pellimore/common/key_names.h"
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/layout_caps.h"
#include "pellimore/common/plural_forms.h"
#include "pellimore/common/text.h"

#include <algorithm>
#include <utility>

// The catalogues' text as words/<language>.txt holds it, compiled in (see cmake/catalogues.cmake).
const std::vector<std::pair<std::string_view, std::string_view>>& catalogueTexts();

namespace {

using Catalogue = std::map<std::string, std::string, std::less<>>;

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// "\n" in a message is a line break; every other character stands as written.
std::string unescaped(std::string_view text) {
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\\' && at + 1 < text.size() && text[at + 1] == 'n') {
            out += '\n';
            ++at;
        } else {
            out += text[at];
        }
    }
    return out;
}

// "key = text" lines; '#' starts a comment line, and blank lines are skipped.
Catalogue parsedCatalogue(std::string_view text) {
    Catalogue messages;
    for (const std::string& line : textLines(std::string(text))) {
        const std::string_view content = trimmed(line);
        const std::size_t equals = content.find(" = ");
        if (content.empty() || content.front() == '#' || equals == std::string_view::npos) continue;
        messages.emplace(std::string(trimmed(content.substr(0, equals))),
                         unescaped(trimmed(content.substr(equals + 3))));
    }
    return messages;
}

const std::map<std::string, Catalogue, std::less<>>& allCatalogues() {
    static const auto catalogues = [] {
        std::map<std::string, Catalogue, std::less<>> parsed;
        for (const auto& [language, text] : catalogueTexts()) parsed.emplace(language, parsedCatalogue(text));
        return parsed;
    }();
    return catalogues;
}

// One pass over the message, so a value that itself holds "{move}" (a line from a file) is never filled again.
std::string filled(std::string_view text, std::initializer_list<Filling> fillings) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find('{', at);
        const std::size_t close = open == std::string_view::npos ? open : text.find('}', open);
        if (close == std::string_view::npos) return out.append(text.substr(at));
        out.append(text.substr(at, open - at));
        const std::string_view name = text.substr(open + 1, close - open - 1);
        const auto filling = std::find_if(fillings.begin(), fillings.end(),
                                          [&](const Filling& candidate) { return candidate.name == name; });
        out.append(filling == fillings.end() ? text.substr(open, close - open + 1) : std::string_view(filling->value));
        at = close + 1;
    }
    return out;
}

// The message in the language, else in English, else its key (a missing English message is the tests' to catch).
std::string_view messageText(std::string_view language, std::string_view key) {
    for (const std::string_view tried : {language, std::string_view("en")}) {
        const Catalogue& messages = catalogue(tried);
        if (const auto found = messages.find(key); found != messages.end()) return found->second;
    }
    return key;
}

// An answer as compared: without spaces, and with capitals of the catalogues'
// alphabets (ASCII, accented Latin, Cyrillic) in lower case: "Sí", "ДА", "Tak".
std::string foldedAnswer(std::string_view answer) {
    std::u32string letters;
    for (char32_t letter : decodedUtf8(answer)) {
        if (letter == ' ' || letter == '\t' || letter == '\r' || letter == '\n') continue;
        const bool capital = (letter >= 'A' && letter <= 'Z') || (letter >= 0xC0 && letter <= 0xDE && letter != 0xD7) ||
                             (letter >= 0x410 && letter <= 0x42F);
        letters += letter == 0x401 ? char32_t(0x451) : capital ? letter + 0x20 : letter;
    }
    return encodedUtf8(letters);
}

std::vector<std::string> spaceSeparated(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = 0;
    for (std::size_t end = 0; end <= text.size(); ++end)
        if (end == text.size() || text[end] == ' ') {
            if (end > start) words.push_back(text.substr(start, end - start));
            start = end + 1;
        }
    return words;
}

}  // namespace

Voice voiceFor(std::string_view languageTag, KeyboardLayout layout) {
    const std::string language = catalogueLanguageFor(languageTag);
    return {language.empty() ? "en" : language, {playerLayout(layout)}};
}

std::string say(const Voice& voice, MessageKey key, std::initializer_list<Filling> fillings) {
    return sayIn(voice.language, key, fillings);
}

std::string sayIn(std::string_view language, MessageKey key, std::initializer_list<Filling> fillings) {
    return sayListed(language, key.text(), fillings);
}

std::string sayListed(std::string_view language, std::string_view listedKey, std::initializer_list<Filling> fillings) {
    return filled(messageText(language, listedKey), fillings);
}

std::string sayCounted(const Voice& voice, CountedMessageKey key, std::int64_t count,
                       std::initializer_list<Filling> fillings) {
    return sayCountedIn(voice.language, key, count, fillings);
}

// A language without the form its rule gives (a catalogue test catches that) says the message in English.
std::string sayCountedIn(std::string_view language, CountedMessageKey key, std::int64_t count,
                         std::initializer_list<Filling> fillings) {
    for (const std::string_view tried : {language, std::string_view("en")}) {
        const Catalogue& messages = catalogue(tried);
        const auto rule = messages.find("plural");
        const auto form = pluralFormOf(rule == messages.end() ? "" : std::string_view(rule->second), count);
        if (!form) continue;
        const auto found = messages.find(std::string(key.text()) + "." + std::string(pluralFormName(*form)));
        if (found != messages.end()) return filled(found->second, fillings);
    }
    return std::string(key.text());
}

const std::vector<std::string>& knownLanguages() {
    static const std::vector<std::string> languages = [] {
        std::vector<std::string> names;
        for (const auto& [language, text] : catalogueTexts()) names.emplace_back(language);
        return names;
    }();
    return languages;
}

const std::map<std::string, std::string, std::less<>>& catalogue(std::string_view language) {
    static const Catalogue none;
    const auto found = allCatalogues().find(language);
    return found == allCatalogues().end() ? none : found->second;
}

std::string catalogueLanguageFor(std::string_view tag) {
    // "pt_BR.UTF-8" -> "pt", "BR"; a Portuguese of any country reads the Brazilian catalogue best of those here.
    std::string language = lowerCase(std::string(tag.substr(0, tag.find_first_of("-_.@"))));
    if (language == "pt") return "pt-BR";
    const auto& known = knownLanguages();
    return std::find(known.begin(), known.end(), language) != known.end() ? language : "";
}

std::optional<MessageKey> keyLabelOf(std::int64_t code) {
    static const std::map<std::int64_t, MessageKey> labels = {
        {8, message::key_Backspace},    {13, message::key_Enter},       {16, message::key_Shift},
        {17, message::key_Ctrl},        {19, message::key_Pause},       {20, message::key_CapsLock},
        {27, message::key_Escape},      {32, message::key_Space},       {33, message::key_PageUp},
        {34, message::key_PageDown},    {35, message::key_End},         {36, message::key_Home},
        {37, message::key_Left},        {38, message::key_Up},          {39, message::key_Right},
        {40, message::key_Down},        {44, message::key_PrintScreen}, {45, message::key_Insert},
        {46, message::key_Delete},      {91, message::key_LeftWin},     {92, message::key_RightWin},
        {93, message::key_Apps},        {106, message::key_Multiply},   {107, message::key_Add},
        {109, message::key_Subtract},   {110, message::key_Decimal},    {111, message::key_Divide},
        {144, message::key_NumLock},    {145, message::key_ScrollLock}, {160, message::key_LeftShift},
        {161, message::key_RightShift}, {162, message::key_LeftCtrl},   {163, message::key_RightCtrl},
        {164, message::key_LeftAlt},    {165, message::key_RightAlt},
    };
    if (isKeypadDigitCode(code)) return message::key_Numpad;
    const auto found = labels.find(code);
    return found == labels.end() ? std::nullopt : std::optional(found->second);
}

std::string keyNameOn(KeyboardLayout layout, std::int64_t code) {
    if (code >= 0 && code <= 0xFFFF)
        if (auto own = ownCapOf(layout, static_cast<std::int32_t>(code))) return *own;
    const std::string name = keyName(code);
    const auto label = keyLabelOf(code);
    if (name.empty() || !label) return name;
    // The layout's own label, else English's; a keypad digit's label holds its digit.
    return sayIn(layoutRow(layout).keyNames, *label, {{"digit", name.substr(name.size() - 1)}});
}

std::string shownKeyName(const Voice& voice, std::int64_t code) {
    return keyNameOn(voice.layouts.empty() ? KeyboardLayout::Us : voice.layouts.front().layout, code);
}

std::string shownKeyLabel(const Voice& voice, std::int64_t code) {
    const std::string name = shownKeyName(voice, code);
    return name.empty() ? std::to_string(code) : name + " (" + std::to_string(code) + ")";
}

namespace {

// Whether, in the voice's language, a no-word starts with what the key where QWERTY has Y types on that
// language's keyboard: in Russian, н (нет) sits there, so a "y" typed with the English layout on may mean no.
bool yKeyMayMeanNo(const Voice& voice) {
    const auto layout = layoutNamed(voice.language);
    if (!layout) return false;
    const std::string letter = foldedAnswer(layoutRow(*layout).yKeyTypes);
    for (const std::string& no : spaceSeparated(say(voice, message::answer_no)))
        if (letter != "y" && foldedAnswer(no).starts_with(letter)) return true;
    return false;
}

bool isAnswerIn(const Voice& voice, MessageKey key, const std::string& word) {
    for (const std::string& listed : spaceSeparated(say(voice, key)))
        if (word == foldedAnswer(listed)) return true;
    return false;
}

}  // namespace

bool isYesAnswer(const Voice& voice, std::string_view answer) {
    // Only the voice's language's words: "н" is the Y key on a Russian keyboard, but in Russian it starts "нет".
    const std::string word = foldedAnswer(answer);
    if (word == "yes") return true;
    if (word == "y") return !yKeyMayMeanNo(voice);
    return isAnswerIn(voice, message::answer_yes, word);
}

bool isNoAnswer(const Voice& voice, std::string_view answer) {
    const std::string word = foldedAnswer(answer);
    return word.empty() || word == "n" || word == "no" || isAnswerIn(voice, message::answer_no, word) ||
           (word == "y" && yKeyMayMeanNo(voice));
}

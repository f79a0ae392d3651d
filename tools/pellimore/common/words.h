// The tools' and the page's sentences in the player's language. Each sentence
// is a message of words/<language>.txt, found by its key, with {named}
// placeholders the wording code fills; a language that lacks a message says
// it in English, never as a blank.
#pragma once

#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/message_keys.h"

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Whom the sentences are for: the language they are in, and the keyboards the player types on (the first names
// the keys). Every wording function is handed one, so nothing a sentence depends on is kept between calls.
struct Voice {
    std::string language = "en";
    std::vector<PlayerLayout> layouts = {playerLayout(KeyboardLayout::Us)};
};

// The voice of a language tag ("de-AT": German; one without a catalogue: English) on one layout.
Voice voiceFor(std::string_view languageTag, KeyboardLayout layout = KeyboardLayout::Us);

// One placeholder's value: {"move", "Knock out"} fills "{move}".
struct Filling {
    std::string_view name;
    std::string value;
};

// The message in the voice's language, its placeholders filled: say(voice, message::check_empty_file).
std::string say(const Voice& voice, MessageKey key, std::initializer_list<Filling> fillings = {});

// The same in a language.
std::string sayIn(std::string_view language, MessageKey key, std::initializer_list<Filling> fillings = {});

// A message whose key comes as data, not from the code: the page's bridge hands the page every "page." message,
// and tests walk a catalogue's keys. Code that says a message of its own names it as above.
std::string sayListed(std::string_view language, std::string_view listedKey,
                      std::initializer_list<Filling> fillings = {});

// A counted message in the voice's language, in the form its plural rule gives the count ("key.few" for 3 in
// Russian); the fillings carry {count} as it is to be shown.
std::string sayCounted(const Voice& voice, CountedMessageKey key, std::int64_t count,
                       std::initializer_list<Filling> fillings);
std::string sayCountedIn(std::string_view language, CountedMessageKey key, std::int64_t count,
                         std::initializer_list<Filling> fillings);

// The languages with a catalogue, English first: "en", "de", "fr", ...
const std::vector<std::string>& knownLanguages();

// The catalogue for a language tag as Windows, browsers and LANG write it
// ("de-DE", "pt_BR.UTF-8", "pt", "RU"); "" when there is none.
std::string catalogueLanguageFor(std::string_view tag);

// A catalogue's messages as written, key by key; empty for an unknown language.
const std::map<std::string, std::string, std::less<>>& catalogue(std::string_view language);

// The message that labels a key's cap (key.Ctrl, key.Numpad for every keypad digit), for the keys some language
// labels in words of its own; none for a key every keyboard prints by its name (F5, Q).
std::optional<MessageKey> keyLabelOf(std::int64_t code);

// A key's name as the layout's keyboards print it ("Strg", "Num 8", "Ü"), whatever language the sentences are
// in; "" for a code without a name. Where the layout's catalogue has no name, English gives one.
std::string keyNameOn(KeyboardLayout layout, std::int64_t code);

// A key's name on the player's (first) layout.
std::string shownKeyName(const Voice& voice, std::int64_t code);

// A key as a player is shown it: "Strg (17)", or just "300" for a code with no name.
std::string shownKeyLabel(const Voice& voice, std::int64_t code);

// Whether an answer to a yes-or-no question is yes: in the voice's language
// (in its own alphabet: "да") or in English; anything else is no.
bool isYesAnswer(const Voice& voice, std::string_view answer);

// Whether an answer is no: nothing typed, or the language's no-words, or English ones; an answer that is
// neither yes nor no is asked again once. A "y" where the key that types it means no in the language
// (Russian н) is no.
bool isNoAnswer(const Voice& voice, std::string_view answer);

// A message's key as the code names it. Only the list generated from
// words/en.txt (message_keys.h) makes them, so a key the English catalogue
// lacks, misspelt or removed, does not compile; a bare string is not a key.
#pragma once

#include <string_view>

struct message;

// A key of words/en.txt; `Counted` tells the two kinds apart, so each goes only where it is said.
template <bool Counted>
class CatalogueKey {
public:
    constexpr std::string_view text() const { return keyText; }

private:
    friend struct message;
    consteval explicit CatalogueKey(std::string_view key) : keyText(key) {}
    std::string_view keyText;
};

// A message said once: "check.empty_file".
using MessageKey = CatalogueKey<false>;

// A message said with a count: its catalogue lines are the key and a plural form ("repair.done.one"), and the
// count chooses which form a language says.
using CountedMessageKey = CatalogueKey<true>;

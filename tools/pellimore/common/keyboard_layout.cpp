#include "pellimore/common/keyboard_layout.h"

#include "pellimore/common/text.h"

#include <algorithm>

namespace {

constexpr WalkingKeys qwerty{87, 65, 83, 68};  // W A S D
constexpr WalkingKeys azerty{90, 81, 83, 68};  // Z Q S D: the same places, other letters

// "fr_CA.UTF-8" -> "fr-ca", so tags compare whatever wrote them.
std::string normalTag(std::string_view tag) {
    std::string text = lowerCase(std::string(tag.substr(0, tag.find_first_of(".@"))));
    std::replace(text.begin(), text.end(), '_', '-');
    return text;
}

std::vector<std::string> spaceSeparated(std::string_view text) {
    std::vector<std::string> words;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t space = std::min(text.find(' ', start), text.size());
        if (space > start) words.emplace_back(text.substr(start, space - start));
        start = space + 1;
    }
    return words;
}

}  // namespace

const std::vector<LayoutRow>& layoutRows() {
    static const std::vector<LayoutRow> rows{
        {KeyboardLayout::Us, "us", message::page_layout_us, "QWERTY", "en", "en-us en", qwerty, "y"},
        {KeyboardLayout::Uk, "uk", message::page_layout_uk, "QWERTY", "en", "en-gb en-ie", qwerty, "y"},
        {KeyboardLayout::German, "de", message::page_layout_de, "QWERTZ", "de", "de-de de-at de-lu de", qwerty, "z"},
        {KeyboardLayout::Swiss, "ch", message::page_layout_ch, "QWERTZ", "de", "de-ch fr-ch it-ch", qwerty, "z"},
        {KeyboardLayout::French, "fr", message::page_layout_fr, "AZERTY", "fr", "fr-fr fr-lu fr-mc fr", azerty, "y"},
        {KeyboardLayout::Belgian, "be", message::page_layout_be, "AZERTY", "fr", "fr-be nl-be", azerty, "y"},
        {KeyboardLayout::CanadianFrench, "ca", message::page_layout_ca, "QWERTY", "fr", "fr-ca", qwerty, "y"},
        {KeyboardLayout::Spanish, "es", message::page_layout_es, "QWERTY", "es", "es-es es", qwerty, "y"},
        {KeyboardLayout::Italian, "it", message::page_layout_it, "QWERTY", "it", "it-it it", qwerty, "y"},
        {KeyboardLayout::Polish, "pl", message::page_layout_pl, "QWERTY", "pl", "pl-pl pl", qwerty, "y"},
        {KeyboardLayout::Brazilian, "br", message::page_layout_br, "QWERTY", "pt-BR", "pt-br pt", qwerty, "y"},
        {KeyboardLayout::Russian, "ru", message::page_layout_ru, "\xD0\x99\xD0\xA6\xD0\xA3\xD0\x9A\xD0\x95\xD0\x9D",
         "ru", "ru-ru ru", qwerty, "\xD0\xBD"},
    };
    return rows;
}

const LayoutRow& layoutRow(KeyboardLayout layout) {
    return *std::find_if(layoutRows().begin(), layoutRows().end(),
                         [&](const LayoutRow& row) { return row.layout == layout; });
}

std::optional<KeyboardLayout> layoutNamed(std::string_view nameOrTag) {
    const std::string wanted = normalTag(nameOrTag);
    if (wanted.empty()) return std::nullopt;
    for (const LayoutRow& row : layoutRows())
        if (wanted == row.name || wanted == lowerCase(row.letters)) return row.layout;
    // A tag: its own entry first ("fr-ca"), then its language alone ("fr-xx" -> "fr").
    for (const std::string& candidate : {wanted, wanted.substr(0, wanted.find('-'))})
        for (const LayoutRow& row : layoutRows())
            for (const std::string& tag : spaceSeparated(row.tags))
                if (tag == candidate) return row.layout;
    return std::nullopt;
}

PlayerLayout playerLayout(KeyboardLayout layout) { return {layout, layoutRow(layout).walking}; }

std::optional<KeyboardLayout> walkingLayoutOf(const std::vector<PlayerLayout>& layouts, std::int32_t code) {
    for (const PlayerLayout& layout : layouts)
        if (std::find(layout.walking.begin(), layout.walking.end(), code) != layout.walking.end()) return layout.layout;
    return std::nullopt;
}

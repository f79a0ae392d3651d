// Which form of a counted word a language uses for a number: English has two
// (1 file, 2 files), Russian and Polish three (1 файл, 3 файла, 5 файлов).
// Each catalogue names its rule on a line of its own ("plural = ru"), and a
// counted message holds one line a form it needs ("repair.done.few = ...").
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

enum class PluralForm { One, Few, Many, Other };

// The suffix of a counted message's line for this form: "one", "few", "many", "other".
std::string_view pluralFormName(PluralForm form);

// The form a rule gives the number: "en" (one for 1; also German, Spanish, Italian), "fr" (one for 0 and 1;
// also Brazilian Portuguese), "ru", "pl"; none for a rule not known here.
std::optional<PluralForm> pluralFormOf(std::string_view rule, std::int64_t count);

// The forms a rule's counted messages need, in the order above; empty for a rule not known here.
std::vector<PluralForm> pluralFormsOf(std::string_view rule);

#include "pellimore/common/plural_forms.h"

namespace {

// Russian and Polish share "few": 2 to 4 in the last digit, except 12 to 14 in the last two.
bool isFew(std::int64_t count) {
    const std::int64_t ones = count % 10, tens = count % 100;
    return ones >= 2 && ones <= 4 && !(tens >= 12 && tens <= 14);
}

}  // namespace

std::string_view pluralFormName(PluralForm form) {
    switch (form) {
        case PluralForm::One: return "one";
        case PluralForm::Few: return "few";
        case PluralForm::Many: return "many";
        case PluralForm::Other: return "other";
    }
    return "other";
}

std::optional<PluralForm> pluralFormOf(std::string_view rule, std::int64_t count) {
    if (count < 0) count = -count;
    if (rule == "en") return count == 1 ? PluralForm::One : PluralForm::Other;
    if (rule == "fr") return count <= 1 ? PluralForm::One : PluralForm::Other;
    if (rule == "ru") {
        if (count % 10 == 1 && count % 100 != 11) return PluralForm::One;
        return isFew(count) ? PluralForm::Few : PluralForm::Many;
    }
    if (rule == "pl") {
        if (count == 1) return PluralForm::One;
        return isFew(count) ? PluralForm::Few : PluralForm::Many;
    }
    return std::nullopt;
}

std::vector<PluralForm> pluralFormsOf(std::string_view rule) {
    if (rule == "en" || rule == "fr") return {PluralForm::One, PluralForm::Other};
    if (rule == "ru" || rule == "pl") return {PluralForm::One, PluralForm::Few, PluralForm::Many};
    return {};
}

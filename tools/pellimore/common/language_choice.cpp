#include "pellimore/common/language_choice.h"

#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/words.h"

#include <cstdlib>

namespace {

// The value of "--language xx" or "--language=xx", taken out of the arguments; "" when not given.
std::string takeLanguageOption(std::vector<std::string>& arguments) {
    std::string language;
    for (std::size_t at = 0; at < arguments.size();) {
        if (arguments[at].starts_with("--language=")) {
            language = arguments[at].substr(11);
            arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(at));
        } else if (arguments[at] == "--language" && at + 1 < arguments.size()) {
            language = arguments[at + 1];
            arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(at),
                            arguments.begin() + static_cast<std::ptrdiff_t>(at) + 2);
        } else {
            ++at;
        }
    }
    return language;
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string firstWithCatalogue(const std::vector<std::string>& tags) {
    for (const std::string& tag : tags)
        if (!catalogueLanguageFor(tag).empty()) return tag;
    return "en";
}

// PELLIMORE_KEYBOARD names a layout ("fr", "azerty", "fr-CA") in place of the system's: under wine the system
// maps keys by the X server's layout, not the one asked for, so tests name layouts this way.
std::vector<PlayerLayout> playerKeyboard(const std::string& asked) {
    const auto named = layoutNamed(asked);
    std::vector<PlayerLayout> layouts = named ? std::vector{playerLayout(*named)} : systemKeyboardLayouts();
    if (layouts.empty()) layouts.push_back(playerLayout(KeyboardLayout::Us));
    return layouts;
}

}  // namespace

RunStart chooseRunVoice(std::vector<std::string> arguments) {
    std::string language = takeLanguageOption(arguments);
    if (language.empty()) language = variable("PELLIMORE_LANGUAGE");
    if (language.empty()) language = firstWithCatalogue(preferredLanguages());
    Voice voice = voiceFor(language);
    voice.layouts = playerKeyboard(variable("PELLIMORE_KEYBOARD"));
    return {std::move(voice), std::move(arguments)};
}

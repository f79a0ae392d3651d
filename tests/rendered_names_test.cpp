// Every sentence that names a move or a key, rendered for each move (with its
// usual key) and each kind of key, in every language, on that language's own
// keyboard: one text a language, kept beside this test, so a reader of the
// language reviews every name in its sentence at once, and a change to a name
// or a sentence shows in the diff. PELLIMORE_UPDATE_BASELINES=1 rewrites them.
#include "pellimore/check/check_wording.h"
#include "pellimore/common/keyboard_layout.h"
#include "pellimore/common/platform.h"
#include "pellimore/common/words.h"
#include "test_support.h"

#include <fstream>

namespace {

std::vector<KeyOwner> everyKeyOwner() {
    std::vector<KeyOwner> owners(std::begin(loadOrder), std::end(loadOrder));
    owners.push_back(MeleeAction::GrappleChallengeFront);
    return owners;
}

// A letter, a word key, an arrow, a keypad digit and a punctuation key.
constexpr std::int32_t keysOfEachKind[] = {81, 17, 39, 105, 186};

void renderLine(const Voice& voice, std::string& text, std::string_view key, const std::string& move,
                const std::string& keyLabel) {
    text += "  " + move + " | " + keyLabel + ": " +
            sayListed(voice.language, key, {{"move", move}, {"key", keyLabel}, {"moves", move}, {"count", "3"}}) + "\n";
}

std::string renderedNames(const std::string& language) {
    // Each language on its own keyboard.
    const Voice voice = voiceFor(language, layoutNamed(language).value_or(KeyboardLayout::Us));
    std::string text;
    for (const auto& [key, message] : catalogue(language)) {
        const bool namesMove = message.find("{move}") != std::string::npos;
        const bool namesKey = message.find("{key}") != std::string::npos;
        if (!namesMove && !namesKey) continue;
        text += key + "\n";
        if (namesMove)
            for (const KeyOwner owner : everyKeyOwner())
                renderLine(voice, text, key, playerName(voice, owner),
                           shownKeyLabel(voice, defaultCode(keyRow(owner))));
        if (namesKey)
            for (const std::int32_t code : keysOfEachKind)
                renderLine(voice, text, key, playerName(voice, loadOrder[1]), shownKeyLabel(voice, code));
    }
    return text;
}

TEST(RenderedNames, EveryMoveAndKindOfKeyInEverySentenceOfEveryLanguageMatchesItsReviewedText) {
    for (const std::string& language : knownLanguages()) {
        const std::string text = renderedNames(language);
        const auto path =
            std::filesystem::path(PELLIMORE_SOURCE_DIR) / "tests" / "languages" / "names" / (language + ".txt");
        if (std::getenv("PELLIMORE_UPDATE_BASELINES")) std::ofstream(path, std::ios::binary) << text;
        const auto expected = readWholeFile(path);
        ASSERT_TRUE(expected) << path << " is missing: PELLIMORE_UPDATE_BASELINES=1 writes it";
        EXPECT_EQ(text, *expected) << language << ": review the change, then PELLIMORE_UPDATE_BASELINES=1";
    }
}

}  // namespace

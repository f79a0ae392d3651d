#include "settings/hotkey_settings.h"
#include "allocation_counter.h"
#include "test_support.h"

#include <random>

namespace {

class HotkeySettingsTest : public PellimoreTest {
protected:
    // Runs the load and returns the error message, or "" when it completed.
    static std::string load() { return conversionErrorMessage(loadHotkeySettings().error); }
    // Every binding set to a marker so a test sees which ones the load touched.
    static void markAllBindings() {
        for (const KeyOwner owner : loadOrder) hotkeyBindings.*keyRow(owner).binding = 254;
    }
    static std::vector<std::int32_t> bindingValues() {
        std::vector<std::int32_t> values;
        for (const KeyOwner owner : loadOrder) values.push_back(hotkeyBindings.*keyRow(owner).binding);
        return values;
    }
};

using Values = std::vector<std::int32_t>;

TEST_F(HotkeySettingsTest, NoFileKeepsBindingsAndDocument) {
    markAllBindings();
    settingsDocument.ensureSection("kept");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(bindingValues(), Values(14, 254));
    EXPECT_EQ(settingsDocument.getSections().size(), 1u);
}

TEST_F(HotkeySettingsTest, TwelveKeyFileSetsAllFourteenInLoadOrder) {
    writeSettings(
        "[Pellimore]\niXKey=1\niKnockout=2\niExecute=3\niGrappleFront=4\niGrappleBack=5\niTackle=6\n"
        "iGrappleSwitchFrontToBack=7\niGrappleSwitchBackToFront=8\niGrappleSwitchFrontToMount=9\n"
        "iSubdue=10\niGrappleThrowFront=11\niGrappleThrowLeft=12\niUnused=99\n[Other]\niXKey=77\n");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(bindingValues(), (Values{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 11, 12}));
    EXPECT_EQ(hotkeyBindings.grappleThrowRight, 11);
    EXPECT_EQ(hotkeyBindings.grappleThrowBackLeft, 12);
}

// The load order is the plug-in's behaviour when a file breaks part-way, so it
// is written out here by hand rather than read back from the table under test.
struct LiteralBinding {
    const char* settingsKey;
    std::int32_t HotkeyBindings::*field;
};
constexpr LiteralBinding literalLoadOrder[] = {
    {"iXKey", &HotkeyBindings::xKey},
    {"iKnockout", &HotkeyBindings::knockout},
    {"iExecute", &HotkeyBindings::execute},
    {"iGrappleFront", &HotkeyBindings::grappleFront},
    {"iGrappleBack", &HotkeyBindings::grappleBack},
    {"iTackle", &HotkeyBindings::tackle},
    {"iGrappleSwitchFrontToBack", &HotkeyBindings::grappleSwitchFrontToBack},
    {"iGrappleSwitchBackToFront", &HotkeyBindings::grappleSwitchBackToFront},
    {"iGrappleSwitchFrontToMount", &HotkeyBindings::grappleSwitchFrontToMount},
    {"iSubdue", &HotkeyBindings::subdue},
    {"iGrappleThrowFront", &HotkeyBindings::grappleThrowFront},
    {"iGrappleThrowLeft", &HotkeyBindings::grappleThrowLeft},
    {"iGrappleThrowRight", &HotkeyBindings::grappleThrowRight},
    {"iGrappleThrowBackLeft", &HotkeyBindings::grappleThrowBackLeft},
};

TEST(HotkeyLoadOrder, BreakingEachPositionKeepsExactlyThatKeyAndTheOnesAfterIt) {
    ASSERT_EQ(std::size(literalLoadOrder), 14u);
    for (std::size_t broken = 0; broken < std::size(literalLoadOrder); ++broken) {
        std::string text = "[Pellimore]\n";
        for (std::size_t index = 0; index < std::size(literalLoadOrder); ++index)
            text += std::string(literalLoadOrder[index].settingsKey) + "=" +
                    (index == broken ? std::string("x") : std::to_string(200 + index)) + "\n";
        const HotkeyBindings before;
        const SettingsEvaluation evaluation = evaluateSettingsBytes(text, before);
        EXPECT_EQ(evaluation.stop.error, ConversionError::InvalidArgument) << "broken at " << broken;
        for (std::size_t index = 0; index < std::size(literalLoadOrder); ++index) {
            const auto field = literalLoadOrder[index].field;
            const std::int32_t expected = index < broken ? static_cast<std::int32_t>(200 + index) : before.*field;
            EXPECT_EQ(evaluation.bindings.*field, expected)
                << literalLoadOrder[index].settingsKey << " with " << literalLoadOrder[broken].settingsKey << " broken";
        }
    }
}

TEST_F(HotkeySettingsTest, RightAndBackLeftThrowsReadTheirOwnKeysWhenPresent) {
    writeSettings(std::string(twelveKeySettingsText) + "iGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(hotkeyBindings.grappleThrowRight, 39);
    EXPECT_EQ(hotkeyBindings.grappleThrowBackLeft, 40);

    markAllBindings();
    writeSettings(std::string(twelveKeySettingsText) + "iGrappleThrowRight=\n");
    EXPECT_EQ(load(), "invalid stoi argument") << "a present but empty key fails like any empty value";
    EXPECT_EQ(hotkeyBindings.grappleThrowLeft, 37);
    EXPECT_EQ(hotkeyBindings.grappleThrowRight, 254);
    EXPECT_EQ(hotkeyBindings.grappleThrowBackLeft, 254);
}

TEST_F(HotkeySettingsTest, MissingKeyStopsTheLoadThere) {
    markAllBindings();
    writeSettings("[Pellimore]\niXKey=65\niExecute=66\n");
    const LoadStop stop = loadHotkeySettings();
    EXPECT_EQ(stop.error, ConversionError::InvalidArgument);
    EXPECT_EQ(stop.position, 1) << "iKnockout, the second key read";
    EXPECT_EQ(bindingValues(), (Values{65, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254, 254}));
}

// The evaluation the tools use is the load's own rule, over bytes, from given
// bindings, and leaves the module's bindings and document alone.
TEST_F(HotkeySettingsTest, EvaluationOverBytesStopsWhereTheLoadWouldAndTouchesNoModuleState) {
    HotkeyBindings before;
    before.execute = 1;
    const SettingsEvaluation evaluation =
        evaluateSettingsBytes("[Pellimore]\r\niXKey=65\r\niKnockout=75\r\niExecute=x\r\n", before);
    EXPECT_EQ(evaluation.stop.error, ConversionError::InvalidArgument);
    EXPECT_EQ(evaluation.stop.position, 2);
    EXPECT_EQ(evaluation.bindings.xKey, 65);
    EXPECT_EQ(evaluation.bindings.knockout, 75);
    EXPECT_EQ(evaluation.bindings.execute, 1) << "the failed binding keeps its value from before";
    EXPECT_EQ(hotkeyBindings.xKey, 88);
    EXPECT_TRUE(settingsDocument.getSections().empty());
}

TEST_F(HotkeySettingsTest, SectionOrKeyInAnotherCaseIsNotFound) {
    markAllBindings();
    writeSettings("[pellimore]\niXKey=65\n");
    EXPECT_EQ(load(), "invalid stoi argument");
    EXPECT_EQ(bindingValues(), Values(14, 254));
    writeSettings("[Pellimore]\nixkey=65\n");
    EXPECT_EQ(load(), "invalid stoi argument");
    EXPECT_EQ(hotkeyBindings.xKey, 254);
}

TEST_F(HotkeySettingsTest, ValueOutOfRangeFailsWithItsOwnError) {
    markAllBindings();
    writeSettings(std::string(twelveKeySettingsText) + "iExecute=2147483648\n");
    EXPECT_EQ(load(), "stoi argument out of range");
    EXPECT_EQ(hotkeyBindings.knockout, 81);
    EXPECT_EQ(hotkeyBindings.execute, 254);
}

TEST_F(HotkeySettingsTest, ValuesAreStoredAsConvertedWithoutRangeCheck) {
    writeSettings(std::string(twelveKeySettingsText) +
                  "iXKey=-1\niKnockout=300\niExecute=12abc\niGrappleFront=0x41\niGrappleBack=+65\n");
    EXPECT_EQ(load(), "");
    EXPECT_EQ(hotkeyBindings.xKey, -1);
    EXPECT_EQ(hotkeyBindings.knockout, 300);
    EXPECT_EQ(hotkeyBindings.execute, 12);
    EXPECT_EQ(hotkeyBindings.grappleFront, 0);
    EXPECT_EQ(hotkeyBindings.grappleBack, 65);
}

TEST_F(HotkeySettingsTest, DocumentIsRebuiltFromTheFileEachLoad) {
    writeSettings(std::string(twelveKeySettingsText) + "[Extra]\nk=v\n");
    load();
    writeSettings(twelveKeySettingsText);
    load();
    EXPECT_EQ(settingsDocument.getSections().size(), 1u);
}

TEST_F(HotkeySettingsTest, UnreadableFileFailsAtTheFirstBinding) {
    // A directory opens but yields nothing: the document is empty, as when the
    // file vanishes between the probe and the parse.
    markAllBindings();
    std::filesystem::create_directory("Pellimore.ini");
    if (!std::ifstream("Pellimore.ini").is_open()) GTEST_SKIP() << "this C library does not open a directory as a file";
    EXPECT_EQ(load(), "invalid stoi argument");
    EXPECT_EQ(bindingValues(), Values(14, 254));
}

TEST_F(HotkeySettingsTest, ReloadingAnUnchangedFileAllocatesNothing) {
    // The game reloads every frame; the heap is the game's, so a steady file must cost it nothing,
    // whether it loads or fails part-way.
    if (!allocationCountingAvailable()) GTEST_SKIP() << "the sanitizer's runtime owns operator new here";
    for (const std::string& text :
         {std::string(twelveKeySettingsText) + "[Other]\nk=v\r\n", std::string("[Pellimore]\niXKey=x\n")}) {
        writeSettings(text);
        loadHotkeySettings();
        loadHotkeySettings();
        const std::uint64_t before = allocationCount();
        for (int tick = 0; tick < 100; ++tick) loadHotkeySettings();
        EXPECT_EQ(allocationCount() - before, 0u) << text;
    }
}

TEST_F(HotkeySettingsTest, RandomBytesEndNormallyOrWithAConversionError) {
    std::mt19937 random(20261208);
    for (int file = 0; file < 300; ++file) {
        std::string bytes(random() % 600, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random() % 256);
        // Some files get the header and a key, so conversion is reached too.
        if (file % 3 == 0) bytes = "[Pellimore]\niXKey=" + bytes;
        writeSettings(bytes);
        const std::string error = load();
        EXPECT_TRUE(error.empty() || error == "invalid stoi argument" || error == "stoi argument out of range")
            << error;
    }
}

}  // namespace

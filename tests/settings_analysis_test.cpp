// What `pellimore check` concludes about a file, as a value: verdict, stop
// point, row states and findings, from bytes alone.
#include "pellimore/check/settings_analysis.h"
#include "settings/hotkey_bindings.h"
#include "test_support.h"

#include <algorithm>

namespace {

class SettingsAnalysisTest : public PellimoreTest {
protected:
    static SettingsReport analyze(const std::string& text) { return analyzeSettingsBytes(text, "Pellimore.ini"); }
    static std::string state(const SettingsReport& report, int row) { return bindingStateText(report.rows[row]); }
};

TEST_F(SettingsAnalysisTest, StopPointIsWhereTheModulesLoadStopped) {
    const SettingsReport report = analyze("[Pellimore]\niXKey=88\niKnockout=75\niExecute=E\n");
    EXPECT_EQ(report.verdict, exitFailed);
    EXPECT_EQ(report.loadError, "invalid stoi argument");
    ASSERT_EQ(report.rows.size(), 14u);
    EXPECT_TRUE(report.rows[1].loaded);
    EXPECT_EQ(report.rows[1].code, 75);
    EXPECT_FALSE(report.rows[2].loaded);
    EXPECT_EQ(report.rows[2].line, 4);
    EXPECT_EQ(report.rows[2].state, BindingState::KeepsPreviousKey);
    EXPECT_EQ(report.rows[2].code, 69) << "the default a fresh game has";
    ASSERT_FALSE(report.warnings.empty());
    EXPECT_EQ(report.warnings.back().kind, FindingKind::LoadStops);
    EXPECT_EQ(report.warnings.back().field, "execute");
}

TEST_F(SettingsAnalysisTest, DispatchOrderDecidesWhatNeverFires) {
    const SettingsReport shared = analyze(twelveKeySettingsText);
    EXPECT_EQ(shared.verdict, exitWithWarnings);
    EXPECT_EQ(state(shared, 12), "never fires: same key as GrappleThrowFront");
    EXPECT_EQ(state(shared, 13), "never fires: same key as GrappleThrowLeft");
    ASSERT_EQ(shared.warnings.size(), 2u);
    EXPECT_EQ(shared.warnings[0].kind, FindingKind::SharedKey);
    EXPECT_EQ(shared.warnings[0].field, "grappleThrowRight");
    EXPECT_EQ(shared.warnings[0].keyCode, 38);

    const SettingsReport modifier = analyze(std::string(twelveKeySettingsText) +
                                            "iGrappleThrowFront=88\niGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(state(modifier, 10), "never fires: bound to the modifier");
    EXPECT_EQ(state(modifier, 12), "ok");

    // An earlier throw on the same key takes the release only while the modifier is held.
    const SettingsReport knockoutOnUp = analyze(std::string(twelveKeySettingsText) + "iKnockout=38\n");
    EXPECT_EQ(knockoutOnUp.rows[1].state, BindingState::FiresOnlyWithoutModifier);
    EXPECT_EQ(state(knockoutOnUp, 1), "fires only without the modifier: same key as GrappleThrowFront");

    const SettingsReport clean =
        analyze(std::string(twelveKeySettingsText) + "iGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(clean.verdict, exitAllGood);
    EXPECT_TRUE(clean.warnings.empty());
}

// The tools ask what the game would do without disturbing a running game: the
// analysis leaves the plug-in's bindings and document as they were.
TEST_F(SettingsAnalysisTest, AnalysisTouchesNoModuleState) {
    hotkeyBindings.knockout = 5;
    settingsDocument.ensureSection("kept");
    analyze("[Pellimore]\niXKey=1\niKnockout=2\n");
    EXPECT_EQ(hotkeyBindings.knockout, 5);
    EXPECT_EQ(settingsDocument.getSections().size(), 1u);
}

TEST_F(SettingsAnalysisTest, UnreadablePathsFailWithAReason) {
    EXPECT_EQ(analyzeSettingsFile("no-such-file.ini").verdict, exitFailed);
    EXPECT_EQ(analyzeSettingsFile("no-such-file.ini").fileError,
              "cannot open no-such-file.ini: there is no such file, or it cannot be read");
    EXPECT_EQ(analyzeSettingsFile(".").fileError, ". is a folder, not a settings file");
    // Some other file dropped onto the tool gets one sentence, not a page of skipped lines.
    EXPECT_EQ(analyze(std::string("MZ\x90\0\x03", 5))
                  .fileError.rfind("Pellimore.ini is not Pellimore.ini: it is a program file", 0),
              0u);
    std::string readme;
    for (int line = 0; line < 40; ++line) readme += "Some words of a readme about the keys, iXKey among them.\n";
    EXPECT_NE(analyze(readme).fileError.find("is not Pellimore.ini: it has no [Pellimore] section"), std::string::npos);
}

// Values players write where a code belongs each get the code to write instead.
TEST_F(SettingsAnalysisTest, KeyNamesHexAndCodeZeroGetTheCodeToWrite) {
    const SettingsReport name = analyze("[Pellimore]\niXKey=88\niKnockout = K\n");
    ASSERT_FALSE(name.warnings.empty());
    EXPECT_NE(name.warnings.back().text.find("K is 75, so write iKnockout=75"), std::string::npos);

    const SettingsReport commented = analyze("[Pellimore]\niXKey=88\n;iKnockout=81\n");
    ASSERT_FALSE(commented.warnings.empty());
    EXPECT_NE(commented.warnings.back().text.find("line 3 has it behind ';'"), std::string::npos);
    EXPECT_NE(commented.warnings.back().text.find("iKnockout=-1 to switch Knock out off"), std::string::npos);

    const SettingsReport zero = analyze(std::string(twelveKeySettingsText) +
                                        "iXKey=0\niKnockout=0x51\niGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(zero.verdict, exitWithWarnings);
    std::vector<FindingKind> kinds;
    for (const auto& warning : zero.warnings) kinds.push_back(warning.kind);
    EXPECT_NE(std::find(kinds.begin(), kinds.end(), FindingKind::HexNumber), kinds.end());
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), FindingKind::CodeZero), 2) << "the modifier and knockout";
    EXPECT_EQ(zero.rows[1].state, BindingState::NeverFiresCodeZero);

    // The game reads the file every frame: a huge one is worth a warning of its own.
    const SettingsReport large = analyze(std::string(twelveKeySettingsText) + std::string(300 * 1024, ';') + "\n");
    ASSERT_FALSE(large.warnings.empty());
    EXPECT_EQ(large.warnings.front().kind, FindingKind::LargeFile);
}

}  // namespace

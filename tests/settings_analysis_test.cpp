// What `pellimore check` concludes about a file, as a value: verdict, stop
// point, row states and findings, from bytes alone.
#include "pellimore/check/settings_analysis.h"
#include "settings/hotkey_bindings.h"
#include "test_support.h"

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
    EXPECT_EQ(analyzeSettingsFile("no-such-file.ini").fileError, "cannot open no-such-file.ini");
    EXPECT_EQ(analyzeSettingsFile(".").fileError, ". is a directory, not a settings file");
}

}  // namespace

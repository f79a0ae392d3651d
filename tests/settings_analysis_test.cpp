// What `pellimore check` concludes about a file, as a value: verdict, stop point, row states.
#include "pellimore/settings_analysis.h"
#include "test_support.h"

namespace {

class SettingsAnalysisTest : public PellimoreTest {
protected:
    SettingsReport analyze(const std::string& text) {
        writeSettings(text);
        return analyzeSettingsFile("Pellimore.ini");
    }
};

TEST_F(SettingsAnalysisTest, StopPointIsWhereTheModulesLoadStopped) {
    const SettingsReport report = analyze("[Pellimore]\niXKey=88\niKnockout=75\niExecute=E\n");
    EXPECT_EQ(report.verdict, checkLoadFails);
    EXPECT_EQ(report.loadError, "invalid stoi argument");
    ASSERT_EQ(report.rows.size(), 14u);
    EXPECT_TRUE(report.rows[1].loaded);
    EXPECT_EQ(report.rows[1].code, 75);
    EXPECT_FALSE(report.rows[2].loaded);
    EXPECT_EQ(report.rows[2].line, 4);
    EXPECT_EQ(report.rows[2].state, "keeps its previous key");
    EXPECT_EQ(report.rows[2].code, 69) << "the default a fresh game has";
}

TEST_F(SettingsAnalysisTest, DispatchOrderDecidesWhatNeverFires) {
    const SettingsReport shared = analyze(twelveKeySettingsText);
    EXPECT_EQ(shared.verdict, checkLoadsWithWarnings);
    EXPECT_EQ(shared.rows[12].state, "never fires: same key as GrappleThrowFront");
    EXPECT_EQ(shared.rows[13].state, "never fires: same key as GrappleThrowLeft");

    const SettingsReport modifier = analyze(std::string(twelveKeySettingsText) +
                                            "iGrappleThrowFront=88\niGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(modifier.rows[10].state, "never fires: bound to the modifier");
    EXPECT_EQ(modifier.rows[12].state, "ok");

    // An earlier throw on the same key takes the release only while the modifier is held.
    const SettingsReport knockoutOnUp = analyze(std::string(twelveKeySettingsText) + "iKnockout=38\n");
    EXPECT_EQ(knockoutOnUp.rows[1].state, "fires only without the modifier: same key as GrappleThrowFront");

    const SettingsReport clean = analyze(std::string(twelveKeySettingsText) + "iGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(clean.verdict, checkLoadsCleanly);
    EXPECT_TRUE(clean.warnings.empty());
}

TEST_F(SettingsAnalysisTest, UnreadablePathsFailWithAReason) {
    EXPECT_EQ(analyzeSettingsFile("no-such-file.ini").verdict, checkLoadFails);
    EXPECT_EQ(analyzeSettingsFile("no-such-file.ini").fileError, "cannot open no-such-file.ini");
    EXPECT_EQ(analyzeSettingsFile(".").fileError, ". is a directory, not a settings file");
}

}  // namespace

// What `pellimore check` concludes about a file, as facts: verdict, stop
// point, row states and findings with their values, from bytes alone. The
// words are pinned by the output baselines.
#include "pellimore/check/settings_analysis.h"
#include "pellimore/check/settings_checker.h"
#include "pellimore/check/settings_survey.h"
#include "pellimore/common/platform.h"
#include "settings/hotkey_settings.h"
#include "test_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

class SettingsAnalysisTest : public PellimoreTest {
protected:
    static SettingsReport analyze(const std::string& text) { return analyzeSettingsBytes(text, "Pellimore.ini"); }
};

std::vector<FindingKind> kindsOf(const std::vector<SettingsFinding>& findings) {
    std::vector<FindingKind> kinds;
    for (const auto& finding : findings) kinds.push_back(finding.kind);
    return kinds;
}

TEST_F(SettingsAnalysisTest, StopPointIsWhereTheModulesLoadStopped) {
    const SettingsReport report = analyze("[Pellimore]\niXKey=88\niKnockout=75\niExecute=E\n");
    EXPECT_EQ(report.verdict, exitFailed);
    EXPECT_EQ(report.loadError, ConversionError::InvalidArgument);
    ASSERT_EQ(report.rows.size(), 14u);
    EXPECT_TRUE(report.rows[1].loaded);
    EXPECT_EQ(report.rows[1].code, 75);
    EXPECT_FALSE(report.rows[2].loaded);
    EXPECT_EQ(report.rows[2].line, 4);
    EXPECT_EQ(report.rows[2].state, BindingState::KeepsPreviousKey);
    EXPECT_EQ(report.rows[2].code, 69) << "the default a fresh game has";
    ASSERT_FALSE(report.warnings.empty());
    const SettingsFinding& stop = report.warnings.back();
    EXPECT_EQ(stop.kind, FindingKind::LoadStops);
    EXPECT_EQ(stop.binding, KeyOwner(MeleeAction::Execute));
    EXPECT_EQ(stop.cause, StopCause::KeyName);
    EXPECT_EQ(stop.meantCode, 69) << "E is 69";
    EXPECT_EQ(stop.count, 11) << "the settings read after iExecute";
}

TEST_F(SettingsAnalysisTest, DispatchOrderDecidesWhatNeverFires) {
    const SettingsReport shared = analyze(twelveKeySettingsText);
    EXPECT_EQ(shared.verdict, exitWithWarnings);
    EXPECT_EQ(shared.rows[12].state, BindingState::NeverFiresSharedKey);
    EXPECT_EQ(shared.rows[12].sharedWith, MeleeAction::GrappleThrowFront);
    EXPECT_EQ(shared.rows[13].sharedWith, MeleeAction::GrappleThrowLeft);
    ASSERT_EQ(shared.warnings.size(), 2u);
    EXPECT_EQ(shared.warnings[0].kind, FindingKind::SharedKey);
    EXPECT_EQ(shared.warnings[0].binding, KeyOwner(MeleeAction::GrappleThrowRight));
    EXPECT_EQ(shared.warnings[0].otherMove, MeleeAction::GrappleThrowFront);
    EXPECT_EQ(shared.warnings[0].keyCode, 38);
    EXPECT_TRUE(shared.warnings[0].lacksOwnKey) << "older files give the right throw no key of its own";

    const SettingsReport modifier = analyze(std::string(twelveKeySettingsText) +
                                            "iGrappleThrowFront=88\niGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(modifier.rows[10].state, BindingState::NeverFiresOnModifier);
    EXPECT_EQ(modifier.rows[12].state, BindingState::Ok);

    // An earlier throw on the same key takes the release only while the modifier is held.
    const SettingsReport knockoutOnUp = analyze(std::string(twelveKeySettingsText) + "iKnockout=38\n");
    EXPECT_EQ(knockoutOnUp.rows[1].state, BindingState::FiresOnlyWithoutModifier);
    EXPECT_EQ(knockoutOnUp.rows[1].sharedWith, MeleeAction::GrappleThrowFront);

    // The modifier on a move's key: letting go of the modifier fires that move too.
    const SettingsReport modifierOnMount =
        analyze(std::string(twelveKeySettingsText) + "iXKey=17\niGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(modifierOnMount.verdict, exitWithWarnings);
    const auto onModifierKey =
        std::find_if(modifierOnMount.warnings.begin(), modifierOnMount.warnings.end(),
                     [](const SettingsFinding& finding) { return finding.kind == FindingKind::ModifierOnMoveKey; });
    ASSERT_NE(onModifierKey, modifierOnMount.warnings.end());
    EXPECT_EQ(onModifierKey->binding, KeyOwner(MeleeAction::GrappleSwitchFrontToMount));
    EXPECT_EQ(onModifierKey->keyCode, 17);
    EXPECT_EQ(modifierOnMount.rows[8].state, BindingState::FiresOnModifierRelease);

    // A move on the fixed challenge key: the challenge, which has no settings key, is the one that never fires.
    const SettingsReport onChallenge = analyze(std::string(twelveKeySettingsText) + "iKnockout=104\n");
    const auto challenge =
        std::find_if(onChallenge.warnings.begin(), onChallenge.warnings.end(), [](const SettingsFinding& finding) {
            return finding.kind == FindingKind::SharedKey &&
                   finding.binding == KeyOwner(MeleeAction::GrappleChallengeFront);
        });
    ASSERT_NE(challenge, onChallenge.warnings.end());
    EXPECT_EQ(challenge->otherMove, MeleeAction::Knockout);

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

TEST_F(SettingsAnalysisTest, UnreadablePathsAndOtherFilesFailWithAReason) {
    EXPECT_EQ(analyzeSettingsFile("no-such-file.ini").verdict, exitFailed);
    EXPECT_EQ(analyzeSettingsFile("no-such-file.ini").fileProblem, FileProblem::Unreadable);
    EXPECT_EQ(analyzeSettingsFile(".").fileProblem, FileProblem::Folder);
    // Some other file dropped onto the tool gets one sentence, not a page of skipped lines.
    EXPECT_EQ(analyze(std::string("MZ\x90\0\x03", 5)).fileProblem, FileProblem::ProgramFile);
    std::string readme;
    for (int line = 0; line < 40; ++line) readme += "Some words of a readme about the keys, iXKey among them.\n";
    EXPECT_EQ(analyze(readme).fileProblem, FileProblem::ReadsLikeText);
    EXPECT_EQ(analyze(readme).verdict, exitFailed);
}

// A file the game never reads by its name, or one whose edits do not stick, is a point to look at whatever it holds;
// a settings file under any other name (a modder's test file) says nothing of its name.
TEST_F(SettingsAnalysisTest, ANameTheGameNeverReadsAndAReadOnlyFileAreSaid) {
    const std::string shipped =
        readWholeFile(std::filesystem::path(PELLIMORE_SOURCE_DIR) / "package" / "Pellimore.ini").value();
    for (const char* name : {"Pellimore.ini", "Pellimore (1).ini", "pellimore.INI.txt", "complete.ini"})
        std::ofstream(scratchDirectory / name, std::ios::binary) << shipped;
    EXPECT_EQ(analyzeSettingsFile((scratchDirectory / "Pellimore.ini").string()).verdict, exitAllGood);
    EXPECT_EQ(analyzeSettingsFile((scratchDirectory / "complete.ini").string()).verdict, exitAllGood);
    for (const char* name : {"Pellimore (1).ini", "pellimore.INI.txt"}) {
        const SettingsReport named = analyzeSettingsFile((scratchDirectory / name).string());
        EXPECT_EQ(named.verdict, exitWithWarnings) << name;
        EXPECT_EQ(kindsOf(named.warnings), std::vector<FindingKind>{FindingKind::OtherFileName}) << name;
        EXPECT_EQ(named.warnings.front().written, name);
    }
    std::filesystem::permissions(scratchDirectory / "Pellimore.ini", std::filesystem::perms::owner_read |
                                                                         std::filesystem::perms::group_read |
                                                                         std::filesystem::perms::others_read);
    const SettingsReport readOnly = analyzeSettingsFile((scratchDirectory / "Pellimore.ini").string());
    EXPECT_EQ(kindsOf(readOnly.warnings), std::vector<FindingKind>{FindingKind::ReadOnly});
    EXPECT_EQ(analyzeSettingsFileContent((scratchDirectory / "Pellimore.ini").string()).verdict, exitAllGood);
}

// Values players write where a code belongs each carry the code meant.
TEST_F(SettingsAnalysisTest, KeyNamesHexAndCodeZeroCarryTheCodeMeant) {
    const SettingsReport commented = analyze("[Pellimore]\niXKey=88\n;iKnockout=81\n");
    ASSERT_FALSE(commented.warnings.empty());
    EXPECT_EQ(commented.warnings.back().cause, StopCause::MissingKey);
    EXPECT_EQ(commented.warnings.back().otherLine, 3) << "the line that has it behind ';'";

    const SettingsReport zero = analyze(std::string(twelveKeySettingsText) +
                                        "iXKey=0\niKnockout=0x51\niGrappleThrowRight=39\niGrappleThrowBackLeft=40\n");
    EXPECT_EQ(zero.verdict, exitWithWarnings);
    const auto kinds = kindsOf(zero.warnings);
    const auto hex = std::find_if(zero.warnings.begin(), zero.warnings.end(), [](const SettingsFinding& finding) {
        return finding.kind == FindingKind::HexNumber;
    });
    ASSERT_NE(hex, zero.warnings.end());
    EXPECT_EQ(hex->meantCode, 81);
    EXPECT_EQ(hex->hexText, "0x51");
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), FindingKind::CodeZero), 2) << "the modifier and knockout";
    EXPECT_EQ(zero.rows[1].state, BindingState::NeverFiresCodeZero);
    EXPECT_EQ(zero.rows[10].state, BindingState::NeverFiresNoModifier) << "no throw fires with the modifier on 0";

    // The game reads the file every frame: a huge one is worth a warning of its own.
    const SettingsReport large = analyze(std::string(twelveKeySettingsText) + std::string(300 * 1024, ';') + "\n");
    ASSERT_FALSE(large.warnings.empty());
    EXPECT_EQ(large.warnings.front().kind, FindingKind::LargeFile);
    EXPECT_EQ(large.warnings.front().count, 300);
    EXPECT_FALSE(large.warnings.front().tooLargeToRead);
}

}  // namespace

namespace {

// UTF-16 is told by its mark or by NUL bytes between letters, never by NULs beside one letter only.
TEST(SettingsSurvey, Utf16IsToldByItsMarkOrNulsBetweenLetters) {
    EXPECT_TRUE(looksLikeUtf16(std::string("\xFF\xFE[\0P\0", 6)));
    EXPECT_TRUE(looksLikeUtf16(std::string("\xFE\xFF\0[\0P", 6))) << "big-endian";
    EXPECT_TRUE(looksLikeUtf16(std::string("[\0P\0e\0", 6))) << "no mark, NULs between letters";
    EXPECT_FALSE(looksLikeUtf16(std::string("[Pellimore]\niXKey=88\n; end\0\0", 29))) << "NULs after one letter";
    EXPECT_FALSE(looksLikeUtf16(std::string("x\0", 2)));
}

// The game reads nothing past its size limit, and the check says so rather than explaining lines.
TEST(SettingsAnalysisLimits, AFileOverTheGamesLimitIsTooLargeToRead) {
    std::string huge = std::string(twelveKeySettingsText);
    huge.resize(maximumSettingsFileBytes + 1, ';');
    const SettingsReport report = analyzeSettingsBytes(huge, "huge.ini");
    ASSERT_FALSE(report.warnings.empty());
    EXPECT_EQ(report.warnings.front().kind, FindingKind::LargeFile);
    EXPECT_TRUE(report.warnings.front().tooLargeToRead);
    EXPECT_EQ(report.verdict, exitFailed) << "nothing is read, so nothing loads";
    EXPECT_FALSE(report.rows.front().loaded);
}

// The modders' table shows a value of up to 11 characters whole, and cuts a longer one to 10 and "~".
TEST(SettingsChecker, TheTableShowsElevenCharactersWholeAndCutsTwelve) {
    std::ostringstream printed;
    printSettingsReport(
        Voice{}, analyzeSettingsBytes("[Pellimore]\niXKey=88 ;eleven!\niKnockout=81 ;twelve!!\n", "t.ini"), printed);
    EXPECT_NE(printed.str().find(" 88 ;eleven! "), std::string::npos) << printed.str();
    EXPECT_NE(printed.str().find(" 81 ;twelve~ "), std::string::npos) << printed.str();
}

}  // namespace

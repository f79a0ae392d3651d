// The editor page's C++ (the checker and the rewrite) linked with the
// plug-in's settings layer alone: no host, no stand-in, no module state. If
// any of it reached for those, this program would not link. It also checks
// that what it links still works.
#include "pellimore/check/check_wording.h"
#include "pellimore/check/settings_analysis.h"
#include "settings_rewrite.h"

#include <iostream>

int main() {
    const std::string file = "[Pellimore]\r\niXKey=88\r\niKnockout=81\r\n";
    const std::string saved = rewriteSettings(file, {{MeleeAction::Knockout, 75}});
    const SettingsReport report = analyzeSettingsBytes(saved, "Pellimore.ini");
    if (report.rows.size() != 14 || report.rows[1].code != 75 || !report.rows[1].loaded) {
        std::cerr << "FAIL: the saved file does not load Knock out on 75\n";
        return 1;
    }
    std::cout << "page code links alone: " << verdictSentence(Voice{}, report) << "\n";
    return 0;
}

// Any bytes through the checker, as pellimore check and the page see them: it
// never crashes, every finding can be worded for both readers, and what it
// says the game does is what the plug-in's own load does with the same bytes.
#include "pellimore/check/check_wording.h"
#include "pellimore/check/settings_analysis.h"
#include "pellimore/check/settings_checker.h"

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A French player on AZERTY: findings about walking keys too, worded in a language other than the source's.
    static const Voice voice = voiceFor("fr", KeyboardLayout::French);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SettingsReport report = analyzeSettingsBytes(bytes, "fuzz.ini", voice.layouts);
    std::ostringstream printed;
    printSettingsReport(voice, report, printed);
    for (const auto* findings : {&report.warnings, &report.notes})
        for (const auto& finding : *findings)
            if (findingSentence(voice, finding).empty() || findingSentence(voice, finding, Reader::Page).empty())
                __builtin_trap();
    if (report.fileProblem != FileProblem::None) return 0;  // some other file: nothing is said of a load

    const SettingsEvaluation load = evaluateSettingsBytes(bytes, HotkeyBindings{});
    if (report.loadError != load.stop.error) __builtin_trap();
    if ((report.verdict == exitFailed) != (load.stop.error != ConversionError::None)) __builtin_trap();
    if (report.rows.size() != static_cast<std::size_t>(loadOrderLength)) __builtin_trap();
    for (int position = 0; position < loadOrderLength; ++position) {
        const BindingRow& row = report.rows[position];
        if (row.owner != loadOrder[position]) __builtin_trap();
        if (row.code != load.bindings.*keyRow(row.owner).binding) __builtin_trap();
        if (row.loaded != (load.stop.position < 0 || position < load.stop.position)) __builtin_trap();
    }
    return 0;
}

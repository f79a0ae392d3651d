#include "pellimore/check/settings_checker.h"

#include "pellimore/check/check_wording.h"
#include "pellimore/common/key_names.h"
#include "pellimore/common/text.h"

#include <iomanip>

namespace {

// The table's key column: the key's name, or "-" for a code without one.
std::string keyColumn(std::int32_t code) {
    const std::string name = keyName(code);
    return name.empty() ? "-" : name;
}

// The value column holds 11 characters; a longer value is cut to 10 and marked "~".
std::string valueColumn(const std::string& value) { return value.size() > 11 ? value.substr(0, 10) + "~" : value; }

// The state column starts at column 95; a longer state goes on below it, so no row passes the console's width.
std::string stateColumn(const std::string& state) {
    constexpr std::size_t column = 95;
    std::string text = wrappedText(state, consoleWidth - column);
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        text.insert(at + 1, column, ' ');
    return text;
}

void printTable(const SettingsReport& report, std::ostream& out) {
    const auto titles = tableColumnTitles();
    out << std::left << std::setw(27) << titles[0] << std::setw(38) << titles[1] << std::setw(12) << titles[2]
        << std::right << std::setw(6) << titles[3] << "  " << std::left << std::setw(10) << titles[4] << titles[5]
        << "\n";
    for (const auto& row : report.rows) {
        const std::string readFrom = row.readFrom + (row.line ? " (line " + std::to_string(row.line) + ")" : "");
        out << std::left << std::setw(27) << fieldName(row.owner) << std::setw(38) << readFrom << std::setw(12)
            << valueColumn(rawValueText(row)) << std::right << std::setw(6) << row.code << "  " << std::left
            << std::setw(10) << keyColumn(row.code) << stateColumn(bindingStateText(row)) << "\n";
    }
    out << fixedKeyLine() << "\n";
}

}  // namespace

// The verdict comes first and last: a console window that scrolls keeps one of them in view.
void printSettingsReport(const Voice& voice, const SettingsReport& report, std::ostream& out,
                         const std::string& heading) {
    if (report.fileProblem != FileProblem::None) {
        out << wrappedText(fileProblemLine(voice, report)) << "\n";
        return;
    }
    const std::string verdict = wrappedText(verdictSentence(voice, report));
    out << wrappedText(heading.empty() ? unbreakable(report.path) : heading) << "\n" << verdict << "\n\n";
    for (const auto& warning : report.warnings)
        out << wrappedText(findingWithLine(voice, warning), consoleWidth, 2) << "\n";
    if (!report.warnings.empty()) out << "\n";
    for (const auto& note : report.notes)
        out << wrappedText(noteLine(voice, note), consoleWidth, noteIndent(voice)) << "\n";
    if (!report.notes.empty()) out << "\n";
    out << tableHeading(voice) << "\n";
    printTable(report, out);
    if (const std::string stop = loadStopSentence(report); !stop.empty()) out << wrappedText(stop) << "\n";
    out << "\n" << verdict << "\n";
}

int checkSettingsFile(const Voice& voice, const std::string& path, std::ostream& out, const std::string& heading) {
    const SettingsReport report = analyzeSettingsFile(path, voice.layouts);
    printSettingsReport(voice, report, out, heading);
    return report.verdict;
}

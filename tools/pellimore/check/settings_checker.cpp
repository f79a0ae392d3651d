#include "pellimore/check/settings_checker.h"

#include "pellimore/common/key_names.h"

#include <iomanip>

namespace {

// The table's key column: the key's name, or "-" for a code without one.
std::string keyColumn(std::int32_t code) {
    const std::string name = keyName(code);
    return name.empty() ? "-" : name;
}

void printTable(const SettingsReport& report, std::ostream& out) {
    out << std::left << std::setw(27) << "binding" << std::setw(38) << "read from" << std::setw(12) << "value"
        << std::right << std::setw(6) << "code"
        << "  " << std::left << std::setw(10) << "key"
        << "in game\n";
    for (const auto& row : report.rows) {
        const std::string readFrom = row.readFrom + (row.line ? " (line " + std::to_string(row.line) + ")" : "");
        const std::string value = row.rawValue.size() > 11 ? row.rawValue.substr(0, 10) + "~" : row.rawValue;
        out << std::left << std::setw(27) << row.source->fieldName << std::setw(38) << readFrom << std::setw(12)
            << value << std::right << std::setw(6) << row.code << "  " << std::left << std::setw(10)
            << keyColumn(row.code) << bindingStateText(row) << "\n";
    }
    out << "  (GrappleChallengeFront is always on Numpad8, code 104)\n";
}

void printVerdict(const SettingsReport& report, std::ostream& out) {
    if (report.verdict == exitFailed) {
        out << "result: the load fails (" << report.loadError << "); exit 2\n";
    } else if (report.verdict == exitWithWarnings) {
        const std::size_t count = report.warnings.size();
        out << "result: loads, with " << count << " warning" << (count == 1 ? "" : "s") << "; exit 1\n";
    } else {
        out << "result: loads completely; exit 0\n";
    }
}

}  // namespace

void printSettingsReport(const SettingsReport& report, std::ostream& out) {
    if (!report.fileError.empty()) {
        out << "error: " << report.fileError << "\n";
        return;
    }
    out << report.path << "\n\n";
    printTable(report, out);
    if (!report.warnings.empty()) out << "\n";
    for (const auto& warning : report.warnings)
        out << (warning.line ? "line " + std::to_string(warning.line) + ": " : std::string()) << warning.text << "\n";
    if (!report.notes.empty()) out << "\n";
    for (const auto& note : report.notes) out << "note: " << note.text << "\n";
    out << "\n";
    printVerdict(report, out);
}

int checkSettingsFile(const std::string& path, std::ostream& out) {
    const SettingsReport report = analyzeSettingsFile(path);
    printSettingsReport(report, out);
    return report.verdict;
}

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

// The last line says the verdict in words; the exit status stays the process's own.
void printVerdict(const SettingsReport& report, std::ostream& out) {
    const std::size_t count = report.warnings.size();
    if (report.verdict == exitFailed)
        out << "Result: the game stops reading this file part-way, so some moves keep their old keys: see the "
               "point that says where it stops.\n";
    else if (report.verdict == exitWithWarnings)
        out << "Result: the game loads this file, but "
            << (count == 1 ? "the point" : std::to_string(count) + " points") << " above "
            << (count == 1 ? "does" : "do") << " not work as written.\n";
    else
        out << "Result: fine. The game loads every key from this file, and every move works as bound.\n";
}

// The load's own words, for modders: where it stopped and the conversion's message.
void printLoadStop(const SettingsReport& report, std::ostream& out) {
    for (const auto& row : report.rows)
        if (!row.loaded) {
            out << "the load stops at " << row.readFrom << " (" << report.loadError << "); " << row.source->fieldName
                << " and every binding after it keep their previous codes\n";
            return;
        }
}

}  // namespace

void printSettingsReport(const SettingsReport& report, std::ostream& out) {
    if (!report.fileError.empty()) {
        out << "problem: " << report.fileError << "\n";
        return;
    }
    out << report.path << "\n\n";
    for (const auto& warning : report.warnings)
        out << (warning.line ? "line " + std::to_string(warning.line) + ": " : std::string()) << warning.text << "\n";
    if (!report.warnings.empty()) out << "\n";
    for (const auto& note : report.notes) out << "note: " << note.text << "\n";
    if (!report.notes.empty()) out << "\n";
    out << "Details for modders: what the game loads, binding by binding\n";
    printTable(report, out);
    printLoadStop(report, out);
    out << "\n";
    printVerdict(report, out);
}

int checkSettingsFile(const std::string& path, std::ostream& out) {
    const SettingsReport report = analyzeSettingsFile(path);
    printSettingsReport(report, out);
    return report.verdict;
}

#include "pellimore/doctor/repair_run.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#ifdef _WIN32
// windows.h first: the process list's header builds on its types.
#include <windows.h>

#include <tlhelp32.h>
#endif

namespace fs = std::filesystem;

namespace {

// One move as the log keeps it: from, to, and the digest of what was moved.
struct LoggedMove {
    fs::path from;
    fs::path to;
    std::string digest;
};

std::string digestOf(const fs::path& file) {
    const auto bytes = readWholeFile(file);
    return bytes ? sha256Hex(*bytes) : "";
}

// Moves one file without ever writing over another: rename where it can, else
// copy, check the copy and only then remove the original (another drive).
bool moveFile(const fs::path& from, const fs::path& to) {
    std::error_code error;
    if (fs::exists(to, error)) return false;
    fs::create_directories(to.parent_path(), error);
    fs::rename(from, to, error);
    if (!error) return true;
    if (!fs::copy_file(from, to, fs::copy_options::none, error) || error) return false;
    if (digestOf(from) != digestOf(to)) {
        fs::remove(to, error);
        return false;
    }
    return fs::remove(from, error) && !error;
}

// Whether a file can be made in the folder: the plain test of rights that Windows will honour.
bool canWriteIn(const fs::path& folder) {
    const fs::path probe = folder / ".pellimore-write-test";
    {
        std::ofstream file(probe, std::ios::binary);
        if (!file.is_open()) return false;
    }
    std::error_code error;
    fs::remove(probe, error);
    return true;
}

// The first folder of the path that exists, for the rights test of a folder still to be made.
fs::path existingFolderOf(fs::path folder) {
    std::error_code error;
    while (!folder.empty() && !fs::exists(folder, error)) folder = folder.parent_path();
    return folder;
}

RepairOutcome preflight(const fs::path& game, const RepairPlan& plan) {
    std::vector<fs::path> arriving;
    for (const RepairStep& step : plan.steps) {
        std::error_code error;
        const bool madeEarlier = std::find(arriving.begin(), arriving.end(), step.from) != arriving.end();
        if (!madeEarlier && !fs::exists(game / step.from, error)) return {RepairProblem::SourceMissing, step.from};
        if (fs::exists(game / step.to, error)) {
            const bool leaving = std::any_of(plan.steps.begin(), plan.steps.end(),
                                             [&](const RepairStep& other) { return other.from == step.to; });
            if (!leaving) return {RepairProblem::TargetTaken, step.to};
        }
        if (!canWriteIn(existingFolderOf((game / step.to).parent_path())) ||
            !canWriteIn((game / step.from).parent_path()))
            return {RepairProblem::NotAllowed, step.to.parent_path().empty() ? step.to : step.to.parent_path()};
        arriving.push_back(step.to);
    }
    return {};
}

std::string nowText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

void appendLog(const fs::path& game, const std::string& text) {
    std::ofstream log(repairLogFile(game), std::ios::binary | std::ios::app);
    log << text;
}

std::string logLine(const LoggedMove& move) {
    return "move\t" + textFromPath(move.from.generic_u8string()) + "\t" + textFromPath(move.to.generic_u8string()) +
           "\t" + move.digest + "\r\n";
}

// Folders a repair makes for what it sets aside, removed again when a rollback or an undo leaves them empty.
void removeEmptySetAsideFolders(const fs::path& game, const std::vector<LoggedMove>& moves) {
    for (const LoggedMove& move : moves)
        for (const fs::path& file : {move.from, move.to}) {
            const fs::path folder = file.parent_path();
            const std::string name = textFromPath(folder.filename());
            std::error_code error;
            if ((name == "set-aside" || name == "Pellimore-set-aside") && fs::is_empty(game / folder, error))
                fs::remove(game / folder, error);
        }
}

// Undoes the moves in reverse; false when one of them cannot be undone. A file
// another program holds for a moment gets two more tries.
bool rollBack(const fs::path& game, const std::vector<LoggedMove>& done, const RepairFailures& failures) {
    bool whole = true;
    for (std::size_t index = done.size(); index-- > 0;) {
        bool moved = false;
        for (int attempt = 0; attempt < 3 && !moved; ++attempt) {
            const bool injected = attempt == 0 && failures.failAtRollbackStep == static_cast<int>(done.size() - index);
            moved = !injected && moveFile(game / done[index].to, game / done[index].from);
        }
        whole = whole && moved;
    }
    if (whole) removeEmptySetAsideFolders(game, done);
    return whole;
}

// The moves of the last repair the log holds that was not undone yet.
std::optional<std::vector<LoggedMove>> lastRepair(const fs::path& game) {
    const auto text = readWholeFile(repairLogFile(game));
    if (!text) return std::nullopt;
    std::optional<std::vector<LoggedMove>> last;
    std::vector<LoggedMove> current;
    for (const std::string& line : textLines(*text)) {
        if (line.starts_with("repair ")) current.clear();
        if (line.starts_with("done ")) last = current;
        if (line.starts_with("undone ")) last.reset();
        if (!line.starts_with("move\t")) continue;
        std::istringstream fields(line.substr(5));
        std::string from, to, digest;
        std::getline(fields, from, '\t');
        std::getline(fields, to, '\t');
        std::getline(fields, digest, '\t');
        current.push_back({pathFromText(from), pathFromText(to), digest});
    }
    return last;
}

}  // namespace

// The running tools' own folder when it is inside the game folder (also a release one folder too deep),
// else Pellimore-tools beside RDR2.exe, else the game folder itself.
fs::path repairLogFile(const fs::path& game) {
    std::error_code error;
    const fs::path tools = fs::weakly_canonical(toolDirectory(), error);
    const fs::path inside = fs::relative(tools, fs::weakly_canonical(game, error), error);
    if (!error && !inside.empty() && *inside.begin() != "..") return tools / "doctor-repairs.log";
    const auto besideTheGame = doctor::findEntry(game, "Pellimore-tools");
    return (besideTheGame ? *besideTheGame : game) / "doctor-repairs.log";
}

RepairOutcome runRepairs(const fs::path& game, const RepairPlan& plan, bool running, const RepairFailures& failures) {
    if (running) return {RepairProblem::GameRunning, {}};
    if (RepairOutcome checked = preflight(game, plan); checked.problem != RepairProblem::None) return checked;
    std::vector<LoggedMove> done;
    for (const RepairStep& step : plan.steps) {
        const LoggedMove move{step.from, step.to, digestOf(game / step.from)};
        const bool injected = failures.failAtStep == static_cast<int>(done.size()) + 1;
        if (injected || !moveFile(game / step.from, game / step.to)) {
            const bool whole = rollBack(game, done, failures);
            return {whole ? RepairProblem::RolledBack : RepairProblem::RollbackFailed, step.from,
                    static_cast<int>(done.size())};
        }
        done.push_back(move);
    }
    std::string log = "repair " + nowText() + "\r\n";
    for (const LoggedMove& move : done) log += logLine(move);
    appendLog(game, log + "done " + nowText() + "\r\n");
    return {RepairProblem::None, {}, static_cast<int>(done.size())};
}

RepairOutcome undoLastRepair(const fs::path& game, bool running, const RepairFailures& failures) {
    if (running) return {RepairProblem::GameRunning, {}};
    const auto repair = lastRepair(game);
    if (!repair || repair->empty()) return {RepairProblem::NothingToUndo, {}, 0, true};
    // Every file must still be what the repair left, and every place it came from free, before anything moves.
    for (std::size_t index = 0; index < repair->size(); ++index) {
        const LoggedMove& move = (*repair)[index];
        if (digestOf(game / move.to) != move.digest) return {RepairProblem::ChangedSinceRepair, move.to, 0, true};
        // A place a later move filled (a file set aside to make room) is free again by the time this one goes back.
        const bool freedFirst = std::any_of(repair->begin() + static_cast<long>(index) + 1, repair->end(),
                                            [&](const LoggedMove& later) { return later.to == move.from; });
        std::error_code error;
        if (!freedFirst && fs::exists(game / move.from, error)) return {RepairProblem::TargetTaken, move.from, 0, true};
    }
    std::vector<LoggedMove> undone;
    for (std::size_t index = repair->size(); index-- > 0;) {
        const LoggedMove& move = (*repair)[index];
        const bool injected = failures.failAtStep == static_cast<int>(undone.size()) + 1;
        if (injected || !moveFile(game / move.to, game / move.from)) {
            // Put back what this undo moved, so the folder stays as the repair left it.
            std::vector<LoggedMove> reversed;
            for (const LoggedMove& back : undone) reversed.push_back({back.to, back.from, back.digest});
            const bool whole = rollBack(game, reversed, failures);
            return {whole ? RepairProblem::RolledBack : RepairProblem::RollbackFailed, move.to,
                    static_cast<int>(undone.size()), true};
        }
        undone.push_back(move);
    }
    removeEmptySetAsideFolders(game, undone);
    appendLog(game, "undone " + nowText() + "\r\n");
    return {RepairProblem::None, {}, static_cast<int>(undone.size()), true};
}

bool gameIsRunning() {
#ifdef _WIN32
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool running = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !running; more = Process32NextW(snapshot, &entry))
        running = _wcsicmp(entry.szExeFile, L"RDR2.exe") == 0;
    CloseHandle(snapshot);
    return running;
#else
    return false;
#endif
}

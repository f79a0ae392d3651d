#include "pellimore/doctor/repair_journal.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/text.h"
#include "pellimore/doctor/doctor_checks.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>

namespace fs = std::filesystem;

namespace {

constexpr const char* journalName = "doctor-repairs.log";

std::vector<std::string> tabFields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// A path as written: absolute in this release's journal, relative to the game folder in earlier ones.
fs::path journalPath(const std::string& text, const fs::path& game) {
    const fs::path path = pathFromText(text);
    return path.is_absolute() ? path : game / path;
}

std::string pathText(const fs::path& path) { return textFromPath(path.generic_u8string()); }

// Only whole lines count: the last one, without its line end, may have been cut off mid-write.
std::vector<std::string> wholeLines(const std::string& text) {
    const std::size_t end = text.rfind('\n');
    return end == std::string::npos ? std::vector<std::string>{} : textLines(text.substr(0, end + 1));
}

int numberAfter(const std::string& line, std::size_t offset) {
    int number = -1;
    std::from_chars(line.data() + offset, line.data() + line.size(), number);
    return number;
}

void markStep(JournalRepair& repair, bool moved, int number) {
    if (number >= 1 && number <= static_cast<int>(repair.marked.size())) repair.marked[number - 1] = moved;
}

// Reads one line into the repair it belongs to; the word in front decides.
void readLine(const std::string& line, JournalRepair& repair, bool& planned, const fs::path& game) {
    const auto fields = tabFields(line);
    if (line.starts_with("step\t") && fields.size() == 5 && !planned)
        repair.steps.push_back({journalPath(fields[2], game), journalPath(fields[3], game), fields[4]});
    else if (line.starts_with("move\t") && fields.size() >= 4)  // an earlier release's, written once all moved
        repair.steps.push_back({journalPath(fields[1], game), journalPath(fields[2], game), fields[3]});
    else if (line.starts_with("planned "))
        planned = numberAfter(line, 8) == static_cast<int>(repair.steps.size()),
        repair.state = JournalState::Unfinished, repair.marked.assign(repair.steps.size(), false);
    else if (line.starts_with("moved ") || line.starts_with("back "))
        markStep(repair, line.starts_with("moved "), numberAfter(line, line.find(' ') + 1));
    else if (line.starts_with("done ") || line.starts_with("finished "))
        repair.state = JournalState::Done, planned = planned || !repair.steps.empty(),
        repair.marked.assign(repair.steps.size(), true);
    else if (line.starts_with("undo "))
        repair.state = JournalState::Unfinished;
    else if (line.starts_with("undone ") || line.starts_with("rolled back ") || line.starts_with("put back "))
        repair.state = JournalState::Closed, repair.marked.assign(repair.steps.size(), false);
}

// The newest repair of all the journals, by the time each began; ties go to the later-read journal.
std::optional<JournalRepair> newestRepair(const fs::path& game) {
    std::optional<JournalRepair> newest;
    for (const fs::path& file : journalFiles(game)) {
        const auto repairs = readJournal(file, game);
        if (!repairs.empty() && (!newest || repairs.back().time >= newest->time)) newest = repairs.back();
    }
    return newest;
}

}  // namespace

fs::path repairJournalFile(const fs::path& game) {
    std::error_code error;
    const fs::path root = fs::absolute(game, error).lexically_normal();
    const auto tools = doctor::findEntry(root, "Pellimore-tools");
    return (tools && fs::is_directory(*tools, error) ? *tools : root) / journalName;
}

std::vector<fs::path> journalFiles(const fs::path& game) {
    std::error_code error;
    const fs::path root = fs::absolute(game, error).lexically_normal();
    std::vector<fs::path> candidates{root / journalName};
    for (fs::directory_iterator entry(root, error), end; !error && entry != end; entry.increment(error)) {
        if (!entry->is_directory(error)) continue;
        candidates.push_back(entry->path() / journalName);
        candidates.push_back(entry->path() / "Pellimore-tools" / journalName);
    }
    const fs::path current = repairJournalFile(game);
    std::erase(candidates, current);
    candidates.push_back(current);  // read last: it wins a tie
    std::vector<fs::path> existing;
    for (const fs::path& file : candidates)
        if (fs::is_regular_file(file, error)) existing.push_back(file);
    return existing;
}

std::vector<JournalRepair> readJournal(const fs::path& journal, const fs::path& game) {
    std::vector<JournalRepair> repairs;
    const auto text = readWholeFile(journal);
    if (!text) return repairs;
    bool planned = false;
    std::optional<JournalRepair> current;
    const auto keep = [&] {
        if (current && planned) repairs.push_back(*current);
    };
    for (const std::string& line : wholeLines(*text)) {
        if (line.starts_with("repair ")) {
            keep();
            current = JournalRepair{journal, line.substr(7), {}, {}, JournalState::Closed};
            planned = false;
        } else if (current) {
            readLine(line, *current, planned, game);
        }
    }
    keep();
    return repairs;
}

std::optional<JournalRepair> interruptedRepair(const fs::path& game) {
    auto newest = newestRepair(game);
    return newest && newest->state == JournalState::Unfinished ? newest : std::nullopt;
}

std::optional<JournalRepair> lastDoneRepair(const fs::path& game) {
    std::optional<JournalRepair> last;
    for (const fs::path& file : journalFiles(game)) {
        const auto repairs = readJournal(file, game);
        if (repairs.empty()) continue;
        if (repairs.back().state == JournalState::Unfinished) return std::nullopt;
        if (repairs.back().state == JournalState::Done && (!last || repairs.back().time >= last->time))
            last = repairs.back();
    }
    return last;
}

std::string journalPlanText(const std::string& time, const std::vector<JournalStep>& steps) {
    std::string text = "repair " + time + "\r\n";
    for (std::size_t index = 0; index < steps.size(); ++index)
        text += "step\t" + std::to_string(index + 1) + "\t" + pathText(steps[index].from) + "\t" +
                pathText(steps[index].to) + "\t" + steps[index].digest + "\r\n";
    return text + "planned " + std::to_string(steps.size()) + "\r\n";
}

std::string journalMarkText(const std::string& word, const std::string& detail) { return word + " " + detail + "\r\n"; }

std::string journalTimeNow() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
    return text;
}

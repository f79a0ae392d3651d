// The doctor's repair journal, doctor-repairs.log: the whole plan is written
// and flushed before the first file moves, each step is marked once it has
// happened, and the end is marked. A repair cut short (a closed window, a
// crash, a power cut) so leaves a plan without its end, from which the next
// look tells the player what happened and puts it right.
//
// Lines end in CR LF; a last line without one was torn by the cut and counts
// for nothing. A repair's lines, in order:
//   repair <time>                                    it begins
//   step <n> <from> <to> <digest>                    (tab-separated, absolute paths) once per step
//   planned <count>                                  the plan is whole: until this line nothing moved
//   moved <n> | back <n>                             a step made, or moved back (hints: files decide)
//   done | finished | undo | undone | rolled back | put back <time>   where it stands
// Earlier releases wrote "repair", then "move <from> <to> <digest>" (relative
// to the game folder) for each step made, then "done"; their repairs read as done.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct JournalStep {
    std::filesystem::path from;  // absolute
    std::filesystem::path to;    // absolute
    std::string digest;          // SHA-256 of the bytes that move
};

enum class JournalState {
    Unfinished,  // planned and cut short, while repairing or while undoing
    Done,        // the repair finished: it can be undone
    Closed,      // undone, rolled back or put back: nothing of it stands
};

struct JournalRepair {
    std::filesystem::path journal;  // the file it is written in
    std::string time;               // when it began
    std::vector<JournalStep> steps;
    std::vector<bool> marked;  // per step: marked as made and not marked back since (a hint: the files decide)
    JournalState state = JournalState::Closed;
};

// Where this game folder's repairs are written: its Pellimore-tools folder
// where there is one, else the game folder. It follows from the game folder
// alone, so every copy of the tools finds the same journal.
std::filesystem::path repairJournalFile(const std::filesystem::path& game);

// The journal and the logs earlier releases wrote beside the copy of the tools
// that ran (in the game folder, or a release folder inside it): each that exists.
std::vector<std::filesystem::path> journalFiles(const std::filesystem::path& game);

// The repairs a journal holds, oldest first; a repair whose plan never closed moved nothing and is left out.
std::vector<JournalRepair> readJournal(const std::filesystem::path& journal, const std::filesystem::path& game);

// The newest repair across every journal of the game folder that was cut short, if the newest one was.
std::optional<JournalRepair> interruptedRepair(const std::filesystem::path& game);

// The newest repair across every journal that finished and was not undone; none while one is cut short.
std::optional<JournalRepair> lastDoneRepair(const std::filesystem::path& game);

// The journal's lines for a plan (from "repair" to "planned") and for a mark.
std::string journalPlanText(const std::string& time, const std::vector<JournalStep>& steps);
std::string journalMarkText(const std::string& word, const std::string& detail);

// The local time as the journal writes it: "2026-12-09 14:05:31".
std::string journalTimeNow();

// One step of a repair, made, undone and judged by the files themselves: a
// digest at the step's source and its target says where its bytes are,
// whatever the journal's marks say. A move across drives copies under a
// temporary name beside the target first ("Pellimore.asi.doctor-copy").
#pragma once

#include "pellimore/doctor/repair_files.h"
#include "pellimore/doctor/repair_journal.h"

#include <string>
#include <vector>

// Whether anything stands at the path: a file, a folder, or a link, even a broken one.
bool isPresent(const std::filesystem::path& file);

// SHA-256 of a file's bytes; "" where there is no file to read.
std::string fileDigest(const std::filesystem::path& file);

// Where a step's bytes are now.
enum class StepPlace {
    AtSource,  // not moved, or moved back
    AtTarget,  // moved
    AtBoth,    // a copy across drives stands at both: one of the two is the doctor's own copy
    Missing,   // at neither place: changed or moved since by someone else
};
// Judged by digests alone. Where a step's bytes stand at both ends and one end
// is another step's (a file set aside to make room for one with the same
// bytes), the journal's mark decides: the marks are written in order, so a
// later step made means this one was made too.
std::vector<StepPlace> judgedPlaces(const JournalRepair& repair);

// Moves the step's file from one end to the other without ever replacing a
// file: a rename, or across drives a copy under the temporary name, compared
// by digest, renamed into place, and only then the original removed. On any
// failure whatever this made is removed again and the original stays.
bool moveStep(const RepairFiles& files, const JournalStep& step, bool back);

// The temporary name of a copy on its way to the target.
std::filesystem::path temporaryCopyFor(const std::filesystem::path& target);

// Removes what a move cut short left of the step: its temporary copies, and
// where its bytes stand at both ends, the copy at the target, so the step
// stands at its source again. Nothing else is ever removed.
bool removeLeftovers(const RepairFiles& files, const JournalStep& step, StepPlace place);

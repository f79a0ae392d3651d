#include "pellimore/doctor/repair_moves.h"

#include "pellimore/common/platform.h"
#include "pellimore/common/sha256.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

// A temporary copy is the doctor's while it stands under the name a journal step gives it.
bool removeTemporary(const RepairFiles& files, const fs::path& target) {
    const fs::path temporary = temporaryCopyFor(target);
    return !isPresent(temporary) || files.remove(temporary);
}

// Across drives: copy, compare, rename into place, and only then remove the original.
bool copyAcross(const RepairFiles& files, const std::string& digest, const fs::path& from, const fs::path& to) {
    const fs::path temporary = temporaryCopyFor(to);
    if (isPresent(temporary)) return false;
    const bool placed = files.copyToNew(from, temporary) && fileDigest(temporary) == digest &&
                        files.move(temporary, to) == MoveResult::Moved;
    if (!placed) {
        removeTemporary(files, to);
        return false;
    }
    if (files.remove(from)) return true;
    // The original could not go (a program holds it): the copy goes again, so the file stands once.
    if (fileDigest(to) == digest) files.remove(to);
    return false;
}

}  // namespace

bool isPresent(const fs::path& file) {
    std::error_code error;
    return fs::exists(fs::symlink_status(file, error));
}

std::string fileDigest(const fs::path& file) {
    std::error_code error;
    if (!fs::is_regular_file(file, error)) return "";
    const auto bytes = readWholeFile(file);
    return bytes ? sha256Hex(*bytes) : "";
}

fs::path temporaryCopyFor(const fs::path& target) {
    fs::path temporary = target;
    temporary += ".doctor-copy";
    return temporary;
}

std::vector<StepPlace> judgedPlaces(const JournalRepair& repair) {
    std::vector<StepPlace> places;
    for (std::size_t index = 0; index < repair.steps.size(); ++index) {
        const JournalStep& step = repair.steps[index];
        const bool atSource = fileDigest(step.from) == step.digest;
        const bool atTarget = fileDigest(step.to) == step.digest;
        const bool shared = std::any_of(repair.steps.begin(), repair.steps.end(), [&](const JournalStep& other) {
            return &other != &step && other.digest == step.digest && (other.to == step.from || other.from == step.to);
        });
        const bool marked = index < repair.marked.size() && repair.marked[index];
        if (atSource && atTarget)
            places.push_back(!shared ? StepPlace::AtBoth : marked ? StepPlace::AtTarget : StepPlace::AtSource);
        else
            places.push_back(atSource ? StepPlace::AtSource : atTarget ? StepPlace::AtTarget : StepPlace::Missing);
    }
    return places;
}

bool moveStep(const RepairFiles& files, const JournalStep& step, bool back) {
    const fs::path& from = back ? step.to : step.from;
    const fs::path& to = back ? step.from : step.to;
    if (!isPresent(to.parent_path()) && !files.makeFolders(to.parent_path())) return false;
    switch (files.move(from, to)) {
        case MoveResult::Moved: return true;
        case MoveResult::Refused: return false;
        case MoveResult::OtherVolume: return copyAcross(files, step.digest, from, to);
    }
    return false;
}

bool removeLeftovers(const RepairFiles& files, const JournalStep& step, StepPlace place) {
    if (!removeTemporary(files, step.to) || !removeTemporary(files, step.from)) return false;
    return place != StepPlace::AtBoth || files.remove(step.to);
}

#include "faulty_repair_files.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

// Whether the operation of the next number goes ahead; a stop never returns.
bool goesAhead(const FaultPlan& plan, OperationCount& count) {
    const int number = ++count.value;
    if (number != plan.atOperation || plan.fault == Fault::None || plan.fault == Fault::Garble) return true;
    if (plan.fault == Fault::StopDead) {
        if (plan.stopDead) plan.stopDead();
        std::_Exit(9);  // the exit status a killed process shows
    }
    return false;
}

bool isTemporaryCopy(const fs::path& file) { return file.filename().string().ends_with(".doctor-copy"); }

}  // namespace

RepairFiles faultyRepairFiles(const FaultPlan& plan, std::shared_ptr<OperationCount> count) {
    const RepairFiles real = systemRepairFiles();
    RepairFiles files;
    files.move = [=](const fs::path& from, const fs::path& to) {
        if (!goesAhead(plan, *count)) return MoveResult::Refused;
        if (plan.otherVolume && !isTemporaryCopy(from)) return MoveResult::OtherVolume;
        return real.move(from, to);
    };
    files.copyToNew = [=](const fs::path& from, const fs::path& to) {
        const bool garbled = plan.fault == Fault::Garble && count->value + 1 == plan.atOperation;
        if (!goesAhead(plan, *count) || !real.copyToNew(from, to)) return false;
        if (garbled) std::ofstream(to, std::ios::binary | std::ios::app) << '!';
        return true;
    };
    files.remove = [=](const fs::path& file) { return goesAhead(plan, *count) && real.remove(file); };
    files.makeFolders = [=](const fs::path& folder) { return goesAhead(plan, *count) && real.makeFolders(folder); };
    files.removeEmptyFolder = [=](const fs::path& folder) {
        return goesAhead(plan, *count) && real.removeEmptyFolder(folder);
    };
    files.appendFlushed = [=](const fs::path& file, const std::string& text) {
        return goesAhead(plan, *count) && real.appendFlushed(file, text);
    };
    return files;
}

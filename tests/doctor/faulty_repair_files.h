// A test double of the repairs' file operations: the real ones, counted, with
// one of them refused or the run stopped dead at it, and moves that report
// another drive so the copy path runs on one disk.
#pragma once

#include "pellimore/doctor/repair_files.h"

#include <functional>
#include <memory>

enum class Fault {
    None,
    Refuse,    // the operation of that number fails and changes nothing
    StopDead,  // the run ends at that operation, before it acts, as a killed process does
    Garble,    // a copy of that number reports success but its last byte differs, as a failing disk's may
};

struct FaultPlan {
    Fault fault = Fault::None;
    int atOperation = 0;       // counted from 1 over every operation of the run
    bool otherVolume = false;  // every move of a player's file reports another drive
    // Called at the operation the plan stops at; by default the process ends there.
    std::function<void()> stopDead;
};

// The counter shared by the operations of one double: how many ran so far.
struct OperationCount {
    int value = 0;
};

RepairFiles faultyRepairFiles(const FaultPlan& plan, std::shared_ptr<OperationCount> count);

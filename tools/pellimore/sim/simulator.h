// Runs a scenario against the module's own tick over the stand-in host and
// reports, per tick, the keys seen, the moves fired and what each ped got.
#pragma once

#include "pellimore/sim/scenario.h"

#include <ostream>

struct SimulationOptions {
    bool trace = false;  // also list every native call
};

// Runs the scenario and returns the number of expectations that failed.
int runScenario(const Scenario& scenario, std::ostream& out, const SimulationOptions& options);

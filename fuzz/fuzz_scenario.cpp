// Any bytes as a simulator scenario: parsed, or refused with a ScenarioError
// naming the line; no other exception, no crash.
#include "pellimore/sim/scenario.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        parseScenario(std::string(reinterpret_cast<const char*>(data), size), "fuzz.scenario");
    } catch (const ScenarioError&) {}
    return 0;
}

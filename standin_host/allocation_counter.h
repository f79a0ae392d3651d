// Counts heap allocations made through operator new in the program that links it.
#pragma once

#include <cstdint>

// False in sanitizer builds, whose runtimes own operator new: there nothing is counted.
bool allocationCountingAvailable();

std::uint64_t allocationCount();

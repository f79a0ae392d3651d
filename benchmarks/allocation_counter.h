// Counts heap allocations made through operator new in this program.
#pragma once

#include <cstdint>

std::uint64_t allocationCount();

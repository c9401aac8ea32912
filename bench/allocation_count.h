// Counts heap allocations: the benchmarks that link allocation_count.cpp
// replace the global operator new, and every allocation on any thread is
// counted.
#pragma once

long Allocations();

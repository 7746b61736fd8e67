// Counts every heap allocation of the process: this program replaces malloc
// and its relatives (operator new reaches them too) and passes each call on
// to the C library's own allocator. While counting, it keeps the call stacks
// of the first allocations so a finding can say where they came from.
//
// The counters are process-wide by nature: the C library has one heap.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace alloc {

// Starts counting from zero.
void startCounting();
void stopCounting();
// Whether the stacks of further allocations are kept (off at the start).
void keepSites(bool on);

// Allocations (and the bytes asked for) since startCounting().
std::size_t allocationCount();
std::size_t allocatedBytes();

struct Site {
    std::size_t ordinal;  // allocationCount() just before this allocation
    std::size_t bytes;
    std::vector<std::string> frames;  // innermost first, the allocator's own left out
};

// The stacks kept since startCounting(), symbolized; call it after
// stopCounting(), since symbolizing allocates.
std::vector<Site> keptSites();

}  // namespace alloc

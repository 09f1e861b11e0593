#include "failing_allocations.h"

#include <cstdlib>
#include <new>

namespace {

thread_local bool allocationsFail = false;

}  // namespace

FailingAllocations::FailingAllocations() {
    allocationsFail = true;
}

FailingAllocations::~FailingAllocations() {
    allocationsFail = false;
}

AllocationsResumed::AllocationsResumed() : wereFailing_(allocationsFail) {
    allocationsFail = false;
}

AllocationsResumed::~AllocationsResumed() {
    allocationsFail = wereFailing_;
}

// The replaceable allocation functions of the whole test program. The array and nothrow forms
// of the library come here too; deletion matches, through free.
void* operator new(std::size_t size) {
    if (allocationsFail)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size != 0 ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

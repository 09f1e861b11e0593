#pragma once
// Memory that runs out on purpose: while a FailingAllocations lives, every operator new of this
// thread throws std::bad_alloc. The test program's own operator new does this
// (failing_allocations.cpp); other threads, and the system's DLLs with their own heaps, allocate as
// ever. Nothing inside the scope may need memory that the test means to succeed, GoogleTest's
// assertions included: they belong after it.

class FailingAllocations {
  public:
    FailingAllocations();
    ~FailingAllocations();
    FailingAllocations(const FailingAllocations&) = delete;
    FailingAllocations& operator=(const FailingAllocations&) = delete;
};

// The test's own bookkeeping inside a failing scope (a hook that notes what it saw): while an
// AllocationsResumed lives, this thread's allocations succeed again.
class AllocationsResumed {
  public:
    AllocationsResumed();
    ~AllocationsResumed();
    AllocationsResumed(const AllocationsResumed&) = delete;
    AllocationsResumed& operator=(const AllocationsResumed&) = delete;

  private:
    bool wereFailing_;
};

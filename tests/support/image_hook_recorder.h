#pragma once
// Installs image hooks that record every allocation, release and message of the loader, can make
// one allocation tag fail, and check that every block was given back.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

struct RecordedAllocation {
    std::int32_t size;
    std::string tag;
};

class ImageHookRecorder {
  public:
    ImageHookRecorder();   // installs the recording hooks; the newest recorder is the active one
    ~ImageHookRecorder();  // restores the default hooks

    static ImageHookRecorder& Active() { return *active_; }

    void FailAllocationsTagged(const std::string& tag) { failingTag_ = tag; }
    void SetReadBudget(std::int32_t budget);

    const std::vector<RecordedAllocation>& Allocations() const { return allocations_; }
    const std::vector<std::string>& Messages() const { return messages_; }
    std::vector<std::int32_t> SizesTagged(const std::string& tag) const;
    // Blocks obtained and not yet released, other than those the test took over.
    std::size_t OutstandingBlocks() const { return outstanding_.size(); }
    // Releases a block the loader handed to the caller (the pixel buffer, a palette).
    void Release(void* block);

  private:
    static void* Allocate(std::int32_t size, const char* tag);
    static void ReleaseHook(void* block);
    static void Report(const char* format, ...);

    static ImageHookRecorder* active_;
    ImageHookRecorder* previous_;
    std::vector<RecordedAllocation> allocations_;
    std::vector<std::string> messages_;
    std::set<void*> outstanding_;
    std::string failingTag_;
};

#include "support/image_hook_recorder.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "skin/image_hooks.h"

ImageHookRecorder* ImageHookRecorder::active_ = nullptr;

ImageHookRecorder::ImageHookRecorder() : previous_(active_) {
    active_ = this;
    imageHooks = {Allocate, ReleaseHook, Report, kDefaultReadBudget};
}

ImageHookRecorder::~ImageHookRecorder() {
    for (void* block : outstanding_)
        std::free(block);
    active_ = previous_;
    if (active_ == nullptr)
        InstallDefaultImageHooks();
}

void ImageHookRecorder::SetReadBudget(std::int32_t budget) {
    imageHooks.readBudget = budget;
}

std::vector<std::int32_t> ImageHookRecorder::SizesTagged(const std::string& tag) const {
    std::vector<std::int32_t> sizes;
    for (const RecordedAllocation& allocation : allocations_) {
        if (allocation.tag == tag)
            sizes.push_back(allocation.size);
    }
    return sizes;
}

void ImageHookRecorder::Release(void* block) {
    imageHooks.release(block);
}

void* ImageHookRecorder::Allocate(std::int32_t size, const char* tag) {
    active_->allocations_.push_back({size, tag});
    if (tag == active_->failingTag_ || size < 0)
        return nullptr;
    void* block = std::malloc(size > 0 ? static_cast<std::size_t>(size) : 1);
    active_->outstanding_.insert(block);
    return block;
}

void ImageHookRecorder::ReleaseHook(void* block) {
    active_->outstanding_.erase(block);
    std::free(block);
}

void ImageHookRecorder::Report(const char* format, ...) {
    char text[2048];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    active_->messages_.push_back(text);
}

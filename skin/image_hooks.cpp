#include "skin/image_hooks.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

void* HeapAllocate(std::int32_t size, const char*) {
    if (size < 0)
        return nullptr;
    // A zero-byte request still yields a block that release can free.
    return std::malloc(size > 0 ? static_cast<std::size_t>(size) : 1);
}

void HeapRelease(void* block) {
    std::free(block);
}

void DiscardReport(const char* format, ...) {
    char text[kImageMessageCapacity];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
}

}  // namespace

ImageHooks imageHooks = {HeapAllocate, HeapRelease, DiscardReport, kDefaultReadBudget};

void InstallDefaultImageHooks() {
    imageHooks = {HeapAllocate, HeapRelease, DiscardReport, kDefaultReadBudget};
}

void ReportImageError(const char* format, ...) {
    char text[kImageMessageCapacity];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    imageHooks.report("%s", text);
}

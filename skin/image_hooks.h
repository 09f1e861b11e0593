#pragma once
// The image library's replaceable hooks: where its memory comes from and where its messages go.
// The application installs the defaults once at start-up; tests install their own to watch
// allocations, inject failures and collect messages.

#include <cstdint>

struct ImageHooks {
    // Every block the loader obtains; `tag` names the block's use (see the tags below).
    void* (*allocate)(std::int32_t size, const char* tag);
    // Frees a block obtained through allocate.
    void (*release)(void* block);
    // Receives every loader message, printf style.
    void (*report)(const char* format, ...);
    // Upper bound for the read buffer of one chunk of rows.
    std::int32_t readBudget;
};

// The one process-wide record, read by every load.
extern ImageHooks imageHooks;

inline constexpr const char* kTagPixelData = "BMP PixData";
inline constexpr const char* kTagReadBuffer = "Read Buffer";
inline constexpr const char* kTagConversionBuffer = "BRIM conversion buffer";
inline constexpr const char* kTagPalette = "BMP palette";

inline constexpr std::int32_t kDefaultReadBudget = 0x20000;
inline constexpr int kImageMessageCapacity = 1024;

// Allocation from the C heap, a report hook that formats its message and drops it (loader messages
// reach no screen, file or debugger), and a read budget of 128 KiB.
void InstallDefaultImageHooks();

// Formats a message into a 1024-byte text and hands it to the report hook as "%s".
void ReportImageError(const char* format, ...);

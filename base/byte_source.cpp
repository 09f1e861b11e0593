#include "base/byte_source.h"

#include <algorithm>
#include <cstring>

FileByteSource::FileByteSource(const char* path) : file_(std::fopen(path, "rb")) {
    if (file_ == nullptr)
        return;
    // The size lets parsers refuse headers that promise more than the file holds. A size that
    // std::ftell cannot express (files past 2 GiB where long is 32 bits) stays unknown.
    if (std::fseek(file_, 0, SEEK_END) == 0) {
        const long end = std::ftell(file_);
        if (end >= 0)
            size_ = static_cast<std::uint64_t>(end);
    }
    std::rewind(file_);
}

FileByteSource::~FileByteSource() {
    if (file_ != nullptr)
        std::fclose(file_);
}

std::size_t FileByteSource::Read(void* into, std::size_t size) {
    const std::size_t got = std::fread(into, 1, size, file_);
    position_ += got;
    return got;
}

bool FileByteSource::Skip(std::uint64_t count) {
    if (count > Remaining()) {
        position_ = size_;
        std::fseek(file_, 0, SEEK_END);
        return false;
    }
    // Skips are short (chunk bodies of a RIFF file, gaps in a header); step in pieces that a long
    // offset always holds.
    std::uint64_t left = count;
    while (left > 0) {
        const long step = static_cast<long>(std::min<std::uint64_t>(left, 0x40000000));
        if (std::fseek(file_, step, SEEK_CUR) != 0)
            return false;
        left -= static_cast<std::uint64_t>(step);
    }
    position_ += count;
    return true;
}

std::uint64_t FileByteSource::Remaining() const {
    if (size_ == kUnknownSize)
        return kUnknownSize;
    return position_ < size_ ? size_ - position_ : 0;
}

std::size_t MemoryByteSource::Read(void* into, std::size_t size) {
    const std::size_t got = std::min(size, size_ - position_);
    if (got > 0)
        std::memcpy(into, data_ + position_, got);
    position_ += got;
    return got;
}

bool MemoryByteSource::Skip(std::uint64_t count) {
    if (count > size_ - position_) {
        position_ = size_;
        return false;
    }
    position_ += static_cast<std::size_t>(count);
    return true;
}

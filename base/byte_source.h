#pragma once
// A sequential source of bytes: a file opened with the C library, or a block in memory (tests and
// fuzzing). Parsers of files read through it so that the same code runs on both.

#include <cstddef>
#include <cstdint>
#include <cstdio>

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    // Copies up to `size` bytes and returns how many it copied; fewer means the end was reached.
    virtual std::size_t Read(void* into, std::size_t size) = 0;
    // Moves `count` bytes forward; returns false when that passes the end.
    virtual bool Skip(std::uint64_t count) = 0;
    // Bytes left from the current position; a very large number when the size cannot be known.
    virtual std::uint64_t Remaining() const = 0;
};

// Reads a file opened with mode "rb"; closes it when destroyed.
class FileByteSource final : public ByteSource {
  public:
    static constexpr std::uint64_t kUnknownSize = ~std::uint64_t{0};

    explicit FileByteSource(const char* path);
    ~FileByteSource() override;
    FileByteSource(const FileByteSource&) = delete;
    FileByteSource& operator=(const FileByteSource&) = delete;

    bool IsOpen() const { return file_ != nullptr; }
    std::size_t Read(void* into, std::size_t size) override;
    bool Skip(std::uint64_t count) override;
    std::uint64_t Remaining() const override;

  private:
    std::FILE* file_ = nullptr;
    std::uint64_t size_ = kUnknownSize;
    std::uint64_t position_ = 0;
};

// Reads a block of memory that the caller keeps alive.
class MemoryByteSource final : public ByteSource {
  public:
    MemoryByteSource(const void* data, std::size_t size)
        : data_(static_cast<const std::uint8_t*>(data)), size_(size) {}

    std::size_t Read(void* into, std::size_t size) override;
    bool Skip(std::uint64_t count) override;
    std::uint64_t Remaining() const override { return size_ - position_; }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

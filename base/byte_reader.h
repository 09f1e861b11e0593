#pragma once
// Reads little-endian numbers from a block of bytes. Every read checks what remains; once a read
// runs past the end, it and every later read yield zero and Failed() stays true, so a parser can
// read a whole header and test for failure once.

#include <cstddef>
#include <cstdint>
#include <cstring>

class ByteReader {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t U8() { return static_cast<std::uint8_t>(Take(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Take(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Take(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    void Bytes(void* into, std::size_t count) {
        if (!Has(count)) {
            std::memset(into, 0, count);
            return;
        }
        std::memcpy(into, data_ + position_, count);
        position_ += count;
    }

    void Skip(std::size_t count) {
        if (Has(count))
            position_ += count;
    }

    bool Failed() const { return failed_; }
    std::size_t Position() const { return position_; }

  private:
    bool Has(std::size_t count) {
        if (failed_ || count > size_ - position_)
            failed_ = true;
        return !failed_;
    }

    std::uint64_t Take(std::size_t count) {
        if (!Has(count))
            return 0;
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            value |= std::uint64_t{data_[position_ + i]} << (8 * i);
        }
        position_ += count;
        return value;
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

#pragma once
// Reads and writes little-endian numbers in a block of bytes: the one place where the project
// turns numbers into little-endian bytes and back. ByteReader and ByteWriter check every read or
// write against what remains; once one runs past the end, it and every later one fail, Failed()
// stays true, reads yield zero and writes write nothing, so a parser or an encoder can handle a
// whole header and test for failure once.

#include <cstddef>
#include <cstdint>
#include <cstring>

// Stores the `count` low bytes of `value` at `at`, least significant first, without a check: for
// loops over a buffer whose size was checked once before them. A check per value made loading a
// 24-bit picture into 16-bit words a quarter slower. ByteWriter checks every write.
inline void StoreLittleEndian(std::uint8_t* at, std::uint32_t value, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// The position in a block and the sticky failure that the reader and the writer share.
class ByteCursor {
  public:
    bool Failed() const { return failed_; }
    std::size_t Position() const { return position_; }

    // Moves to `offset` from the start of the block: how a record laid out by offsets is handled
    // field by field. An offset past the end fails like a read past it.
    void Seek(std::size_t offset) {
        if (offset > size_)
            failed_ = true;
        if (!failed_)
            position_ = offset;
    }

    void Skip(std::size_t count) {
        if (Has(count))
            position_ += count;
    }

  protected:
    explicit ByteCursor(std::size_t size) : size_(size) {}

    bool Has(std::size_t count) {
        if (failed_ || count > size_ - position_)
            failed_ = true;
        return !failed_;
    }

    std::size_t position_ = 0;

  private:
    std::size_t size_;
    bool failed_ = false;
};

class ByteReader : public ByteCursor {
  public:
    ByteReader(const std::uint8_t* data, std::size_t size) : ByteCursor(size), data_(data) {}

    std::uint8_t U8() { return static_cast<std::uint8_t>(Take(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Take(2)); }
    std::uint32_t U32() { return static_cast<std::uint32_t>(Take(4)); }
    std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

    void Bytes(void* into, std::size_t count) {
        if (count == 0)
            return;  // `into` may be null then, which memset and memcpy do not allow
        if (!Has(count)) {
            std::memset(into, 0, count);
            return;
        }
        std::memcpy(into, data_ + position_, count);
        position_ += count;
    }

  private:
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
};

class ByteWriter : public ByteCursor {
  public:
    ByteWriter(std::uint8_t* data, std::size_t size) : ByteCursor(size), data_(data) {}

    void U8(std::uint8_t value) { Put(value, 1); }
    void U16(std::uint16_t value) { Put(value, 2); }
    void U32(std::uint32_t value) { Put(value, 4); }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }

    void Bytes(const void* from, std::size_t count) {
        if (!Has(count) || count == 0)  // an empty source may have no address to copy from
            return;
        std::memcpy(data_ + position_, from, count);
        position_ += count;
    }

  private:
    void Put(std::uint32_t value, std::size_t count) {
        if (!Has(count))
            return;
        StoreLittleEndian(data_ + position_, value, count);
        position_ += count;
    }

    std::uint8_t* data_;
};

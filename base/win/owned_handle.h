#pragma once
// The owner of one Windows handle: it gives the handle back through `Release` when it goes. Null
// stands for "no handle"; kinds whose functions report failure otherwise (CreateFile's
// INVALID_HANDLE_VALUE) convert where they are opened.

#include <utility>

template <typename Handle, auto Release>
class OwnedHandle {
  public:
    OwnedHandle() = default;
    explicit OwnedHandle(Handle handle) : handle_(handle) {}
    ~OwnedHandle() { Reset(); }
    OwnedHandle(OwnedHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    OwnedHandle& operator=(OwnedHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    explicit operator bool() const { return handle_ != nullptr; }
    Handle Get() const { return handle_; }
    // For functions that hand the handle back through a pointer.
    Handle* Receive() {
        Reset();
        return &handle_;
    }
    void Reset() {
        if (handle_ != nullptr)
            Release(std::exchange(handle_, nullptr));
    }

  private:
    Handle handle_ = nullptr;
};

#pragma once
// A scope-bound owner for one COM interface pointer, released exactly once when it goes.

#include <unknwn.h>

namespace platform::win32 {

template <class Interface> class ComPtr {
public:
    ComPtr() : pointer_(nullptr) {}
    ~ComPtr() {
        if (pointer_) pointer_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    // The place where a creating or querying call puts a new reference; only while empty.
    void** receive() { return reinterpret_cast<void**>(&pointer_); }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    Interface* pointer_;
};

} // namespace platform::win32

#pragma once
// An icon that owns one platform icon handle (an HICON on Windows) and gives it back when it is
// destroyed.

namespace platform {

class Icon {
public:
    using Handle = void*;

    // Takes over `handle`, which must not be null.
    explicit Icon(Handle handle) : handle_(handle) {}
    ~Icon() { destroyIconHandle(handle_); }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    Handle handle() const { return handle_; }

private:
    static void destroyIconHandle(Handle handle); // per backend
    Handle handle_;
};

} // namespace platform

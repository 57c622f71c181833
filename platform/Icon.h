#pragma once
// An icon that owns one platform icon handle (an HICON on Windows) and gives it back when it is
// destroyed.

namespace platform {

class Icon {
public:
    using Handle = void*;

    // Takes over `handle`, which must not be null.
    explicit Icon(Handle handle) : handle_(handle) { ++liveCount_; }
    ~Icon() {
        destroyIconHandle(handle_);
        --liveCount_;
    }
    Icon(const Icon&) = delete;
    Icon& operator=(const Icon&) = delete;

    Handle handle() const { return handle_; }
    // How many icons exist: a leak shows as a count that keeps growing.
    static int liveCount() { return liveCount_; }

private:
    static void destroyIconHandle(Handle handle); // per backend
    Handle handle_;
    inline static int liveCount_ = 0;
};

} // namespace platform

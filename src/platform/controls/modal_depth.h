#pragma once

namespace platform {

// How many modal boxes are open right now. While one is open, its own event loop goes on
// delivering events, timer ticks included; the window tells such an event from a handler set
// off by the running one by this count. Every modal box holds a Scope while it is open.
class ModalDepth {
public:
    static int current() { return depth_; }

    class Scope {
    public:
        Scope() { ++depth_; }
        ~Scope() { --depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

private:
    static inline int depth_ = 0;
};

} // namespace platform

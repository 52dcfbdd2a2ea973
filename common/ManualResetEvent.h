#pragma once
// An event that stays signalled until it is reset: the hand-over between the transfer tool's
// window, reader and writer threads.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace vt {

class ManualResetEvent {
public:
    explicit ManualResetEvent(bool signalled = false) : signalled_(signalled) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until signalled; true when signalled, false on time-out.
    void Wait();
    bool WaitFor(std::chrono::milliseconds timeout);

private:
    mutable std::mutex mutex_;
    std::condition_variable cv_;
    bool signalled_;
};

} // namespace vt

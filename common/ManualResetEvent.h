#pragma once
// An event that stays signalled until it is reset: the hand-over between the transfer tool's
// window, reader and writer threads. It is one word waited on with a futex: a hand-over costs the
// waker one system call (none when nobody waits) and the waiter one, with no lock between them,
// which matters once per echoed byte of a write.
#include <atomic>
#include <chrono>
#include <cstdint>

namespace vt {

class ManualResetEvent {
public:
    explicit ManualResetEvent(bool signalled = false) : state_(signalled ? 1u : 0u) {}
    ManualResetEvent(const ManualResetEvent&) = delete;
    ManualResetEvent& operator=(const ManualResetEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;
    // Waits until signalled.
    void Wait();
    // True when signalled, false on time-out.
    bool WaitFor(std::chrono::milliseconds timeout);

private:
    std::atomic<uint32_t> state_;      // 1 signalled, 0 not
    std::atomic<uint32_t> waiters_{0}; // threads in (or about to enter) the futex wait
};

} // namespace vt

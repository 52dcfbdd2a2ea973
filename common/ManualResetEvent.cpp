#include "common/ManualResetEvent.h"

#include <cerrno>
#include <climits>
#include <ctime>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace vt {

namespace {
// Sleeps while *word is 0, at most *timeout (none: no limit); spurious returns are fine.
void FutexWait(std::atomic<uint32_t>* word, const timespec* timeout) {
    ::syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAIT_PRIVATE, 0u, timeout, nullptr, 0);
}
void FutexWakeAll(std::atomic<uint32_t>* word) {
    ::syscall(SYS_futex, reinterpret_cast<uint32_t*>(word), FUTEX_WAKE_PRIVATE, INT_MAX, nullptr, nullptr, 0);
}
} // namespace

// A waiter counts itself before it checks the word in the kernel, and the setter changes the word
// before it looks at the count (both sequentially consistent): either the setter sees the waiter
// and wakes it, or the waiter's kernel check already sees the word set.
void ManualResetEvent::Set() {
    if (state_.exchange(1) == 0 && waiters_.load() > 0) FutexWakeAll(&state_);
}

void ManualResetEvent::Reset() { state_.store(0); }

bool ManualResetEvent::IsSet() const { return state_.load() != 0; }

void ManualResetEvent::Wait() {
    while (state_.load() == 0) {
        waiters_.fetch_add(1);
        FutexWait(&state_, nullptr);
        waiters_.fetch_sub(1);
    }
}

bool ManualResetEvent::WaitFor(std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock; // the futex's relative time-out runs on the same clock
    auto deadline = Clock::now() + timeout;
    while (state_.load() == 0) {
        auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero()) return false;
        auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        timespec ts{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
        waiters_.fetch_add(1);
        FutexWait(&state_, &ts);
        waiters_.fetch_sub(1);
    }
    return true;
}

} // namespace vt

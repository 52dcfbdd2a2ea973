#pragma once
// The CPU that the reader and the writer of a write share. Every echoed byte passes from the
// reader to the writer; real-time threads on two CPUs pay a cross-CPU wake-up (an interrupt to the
// other CPU, a VM exit on a virtual machine) for each, and on a busy machine that is what spreads
// the write's tail. On one CPU the hand-over is a local switch, and with the writer one priority
// step above the reader it runs the moment the reader signals it. Threads without real-time
// priority are left to the scheduler: pinned, they could not leave a CPU that others keep busy.
#include <atomic>

namespace vt {

class SharedCpu {
public:
    enum class Role { Reader, Writer };

    // Called by each thread as it starts, after it asked for real-time priority. The first one
    // to come keeps the CPU it runs on, the other joins it. Nothing changes for a thread that is
    // not real-time, or where the system refuses.
    void Join(Role role);

private:
    std::atomic<int> cpu_{-1};
};

} // namespace vt

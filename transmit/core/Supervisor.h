#pragma once
// The one-second supervision of a transfer: progress, a silent radio, stalled transfers. The stall
// counts are totals over the transfer, never reset when progress resumes.
#include <optional>

namespace vt {

enum ConnState { StateIdle = 0, StateCalled = 1, StateTransferring = 2, StateDone = 4, StateNoRadio = 8, StateFailed = 9 };
enum ToolMode { ModeRead = 1, ModeWrite = 2 };

class Supervisor {
public:
    enum class Outcome { None, EchoError, Interrupted, NoRadio, Completed };
    struct Tick {
        std::optional<int> progress; // a new progress bar position
        Outcome outcome = Outcome::None;
    };

    // Ticks in total without progress that end a transfer, and ticks of an unanswered call that
    // end it: a radio that has gone quiet for that long is not coming back.
    static constexpr int kStallTicks = 3;
    static constexpr int kCallTicks = 5;

    Tick OnTick(int state, int mode, int writeIndex, int readCount);

    int FindTicks() const { return m_nFindTicks; }
    int WriteStalls() const { return m_nWriteStalls; }
    int ReadStalls() const { return m_nReadStalls; }

private:
    static void Progress(int value, int base, int& last, int& stalls, Tick& tick);

    int m_nFindTicks = 0;
    int m_nLastWriteIndex = 0, m_nWriteStalls = 0;
    int m_nLastReadCount = 0, m_nReadStalls = 0;
};

} // namespace vt

#pragma once
// The one-second supervision of a transfer: progress, a silent radio, stalled transfers. The stall
// counts are totals over the transfer, never reset when progress resumes.
#include <climits>
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
    // end it: a radio that has gone quiet for that long is not coming back. However slowly the
    // echoes of a write come, each tick that sees one is progress.
    static constexpr int kStallTicks = 3;
    static constexpr int kCallTicks = 5;

    Tick OnTick(int state, int mode, int writeIndex, int readCount);

    int FindTicks() const { return m_nFindTicks; }
    int WriteStalls() const { return m_nWriteStalls; }
    int ReadStalls() const { return m_nReadStalls; }

private:
    static void Progress(int value, int base, int& last, int& stalls, Tick& tick, int end = INT_MAX);

    int m_nFindTicks = 0;
    int m_nLastWriteIndex = 0, m_nWriteStalls = 0;
    int m_nLastReadCount = 0, m_nReadStalls = 0;
    // The first tick of a write's transfer is the one that fell due while the handshake's pauses
    // held the window: the write had not begun, so it only notes where the write stands.
    bool writeTicked_ = false;
};

} // namespace vt

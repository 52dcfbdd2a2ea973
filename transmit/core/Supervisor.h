#pragma once
// The one-second supervision of a transfer: progress, a silent radio, stalled transfers. The stall
// counts are totals over the transfer, never reset when progress resumes. A write that crawls
// (echoes that come late but within the echo wait) ends as one whose echoes stopped.
#include <array>
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
    // end it: a radio that has gone quiet for that long is not coming back.
    static constexpr int kStallTicks = 3;
    static constexpr int kCallTicks = 5;
    // The least a write must confirm in any kRateTicks ticks: a quarter of what the line carries
    // (9600 baud stop-and-wait, a byte out and its echo back: 480 bytes a second). Slower, the
    // radio's answers are late or the line is not what it should be; such a write would run for
    // minutes, so it ends within kRateTicks seconds of falling below it.
    static constexpr int kRateTicks = 5;
    static constexpr int kMinRateBytes = 600;

    Tick OnTick(int state, int mode, int writeIndex, int readCount);

    int FindTicks() const { return m_nFindTicks; }
    int WriteStalls() const { return m_nWriteStalls; }
    int ReadStalls() const { return m_nReadStalls; }

private:
    static void Progress(int value, int base, int& last, int& stalls, Tick& tick, int end = INT_MAX);

    int m_nFindTicks = 0;
    int m_nLastWriteIndex = 0, m_nWriteStalls = 0;
    int m_nLastReadCount = 0, m_nReadStalls = 0;
    // The write index at the last kRateTicks ticks of a write, oldest at rateNext_ once full.
    std::array<int, kRateTicks> rateHistory_{};
    int rateTicks_ = 0, rateNext_ = 0;
};

} // namespace vt

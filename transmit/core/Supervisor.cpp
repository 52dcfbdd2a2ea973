#include "transmit/core/Supervisor.h"

#include "transmit/core/EchoMatch.h"
#include "common/ExchangeFiles.h"

namespace vt {

void Supervisor::Progress(int value, int base, int& last, int& stalls, Tick& tick, int end) {
    int percent = value * 100 / base;
    if (percent < 100) tick.progress = percent;
    // At the end there is nothing left to confirm: a write waits there for a late echo only.
    if (value == last && value < end) ++stalls;
    last = value;
}

Supervisor::Tick Supervisor::OnTick(int state, int mode, int writeIndex, int readCount) {
    Tick tick;
    if (state == StateCalled) ++m_nFindTicks;
    if (state == StateTransferring) {
        if (mode == ModeWrite) {
            if (!writeTicked_) m_nLastWriteIndex = -1; // no index seen yet: not a tick without progress
            writeTicked_ = true;
            Progress(writeIndex, kWriteProgressBase, m_nLastWriteIndex, m_nWriteStalls, tick, kWriteLength);
        } else {
            Progress(readCount, static_cast<int>(kRadioImageSize), m_nLastReadCount, m_nReadStalls, tick);
        }
    }
    if (m_nWriteStalls == kStallTicks) tick.outcome = Outcome::EchoError;
    else if (m_nReadStalls == kStallTicks) tick.outcome = Outcome::Interrupted;
    else if (m_nFindTicks == kCallTicks) tick.outcome = Outcome::NoRadio;
    else if (state == StateDone) tick.outcome = Outcome::Completed;
    return tick;
}

} // namespace vt

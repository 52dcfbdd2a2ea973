#include "transmit/core/TransmitProtocol.h"

#include "common/ExchangeFiles.h"

namespace vt {

void TransmitProtocol::OnCommNotify(unsigned wParam) {
    if (doc_.m_bConnected && (wParam & 1u)) {
        uint8_t buf[16];
        size_t n = doc_.ReadComm(buf, sizeof buf);
        if (n > 0) {
            if (doc_.m_nState == StateCalled) OnHandshakeBytes(buf, n);
            if (doc_.m_nMode == ModeRead && doc_.m_nState == StateTransferring)
                for (size_t i = 0; i < n; ++i)
                    if (doc_.m_reception.Feed(buf[i])) doc_.m_nState = StateDone;
        }
    }
    doc_.m_hReadDoneEvent.Set(); // always: the reader may post the next notification
}

void TransmitProtocol::OnHandshakeBytes(const uint8_t* bytes, size_t n) {
    doc_.m_reply.Add(bytes, n);
    if (!doc_.m_reply.IsHandshakeReply()) return;
    if (doc_.m_nMode == ModeRead) {
        doc_.Pause(1000);
        doc_.m_nState = StateTransferring;
        doc_.Pause(200);
        doc_.SendCommand();
    } else {
        doc_.Pause(2000);
        doc_.m_nState = StateTransferring;
        doc_.SendCommand();
        doc_.Pause(100);
        doc_.PurgeRx();
        doc_.m_bEchoArmed = true;
        doc_.SignalEcho(); // the writer sends its first byte now
    }
    doc_.m_reply.Clear();
}

void TransmitProtocol::OnTimer() {
    if (ended_) return;
    auto tick = supervisor_.OnTick(doc_.m_nState, doc_.m_nMode, doc_.m_nWriteIndex,
                                   doc_.m_reception.ReadCount());
    if (tick.progress) doc_.Host().SetProgress(*tick.progress);
    switch (tick.outcome) {
    case Supervisor::Outcome::EchoError: End(StateFailed, StatusEchoError, MsgEchoError); break;
    case Supervisor::Outcome::Interrupted: End(StateFailed, StatusReadInterrupted, MsgInterrupted); break;
    case Supervisor::Outcome::NoRadio: End(StateNoRadio, StatusNoRadio, MsgNoRadio); break;
    case Supervisor::Outcome::Completed: End(StateDone, StatusCompleted, MsgCompleted); break;
    case Supervisor::Outcome::None: break;
    }
}

void TransmitProtocol::End(int state, uint8_t result, int message) {
    ended_ = true;
    if (!doc_.Host().StopTimer()) doc_.Message("Kill Error");
    doc_.m_nState = state;
    doc_.ClosePort();
    doc_.Host().ConnectionChanged();
    // A read counts as completed only once rbuffer.bin is written and closed; the editor must
    // not decode a file that failed to write.
    if (result == StatusCompleted && doc_.m_nMode == ModeRead && !doc_.SaveReadBuffer()) {
        doc_.m_byResult = StatusNoResult;
    } else {
        doc_.m_byResult = result;
        doc_.Message(doc_.m_texts.messages[static_cast<size_t>(message)]);
    }
    doc_.Host().RequestQuit();
}

} // namespace vt

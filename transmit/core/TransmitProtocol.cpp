#include "transmit/core/TransmitProtocol.h"

#include "common/ExchangeFiles.h"
#include "transmit/core/TransmitTimings.h"

namespace vt {

void TransmitProtocol::OnCommNotify(unsigned wParam) {
    // The reader found the write lost: ended at once, whatever the tick would say.
    if (!ended_ && doc_.EchoFailed()) End(StateFailed, StatusEchoError, MsgEchoError);
    if (doc_.IsConnected() && (wParam & 1u)) {
        uint8_t buf[16];
        size_t n = doc_.ReadComm(buf, sizeof buf);
        if (n > 0) {
            // The bytes that held the reply came before the read command: none of them is data.
            if (doc_.State() == StateCalled) OnHandshakeBytes(buf, n);
            else if (doc_.Mode() == ModeRead && doc_.State() == StateTransferring)
                for (size_t i = 0; i < n; ++i)
                    if (doc_.Reception().Feed(buf[i])) doc_.SetState(StateDone);
        }
    }
    doc_.NotificationHandled(); // always: the reader may post the next notification
}

void TransmitProtocol::OnHandshakeBytes(const uint8_t* bytes, size_t n) {
    doc_.Reply().Add(bytes, n);
    if (!doc_.Reply().IsHandshakeReply()) return;
    doc_.Reply().Clear();
    // A radio that answered the call waits, silent, for the command (what it still sends at the
    // start of the pause is dropped). Bytes in the last part of the pause mean the "reply" was
    // part of something still streaming in, the rest of an earlier read say: no command goes out,
    // and the call goes on waiting for its reply.
    const bool read = doc_.Mode() == ModeRead;
    if (read) {
        doc_.Pause(kReadReplyPause);
        doc_.PurgeRx();
        doc_.SetState(StateTransferring);
        doc_.Pause(kReadCommandPause);
    } else {
        doc_.Pause(kWriteReplyPause - kReplyQuiet);
        doc_.PurgeRx();
        doc_.Pause(kReplyQuiet);
        doc_.SetState(StateTransferring);
    }
    if (!doc_.LineQuiet()) {
        doc_.PurgeRx();
        doc_.SetState(StateCalled);
        return;
    }
    doc_.PurgeRx(); // nothing from before the command is data or an echo
    doc_.SendCommand();
    if (!read) {
        doc_.Pause(kWritePurgePause);
        doc_.PurgeRx();
        doc_.ArmEcho();
        doc_.SignalEcho(); // the writer sends its first byte now
    }
}

void TransmitProtocol::OnTimer() {
    if (ended_) return;
    if (doc_.EchoFailed()) return End(StateFailed, StatusEchoError, MsgEchoError);
    auto tick =
        supervisor_.OnTick(doc_.State(), doc_.Mode(), doc_.WriteIndex(), doc_.Reception().ReadCount());
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
    doc_.SetState(state);
    doc_.ClosePort();
    doc_.Host().ConnectionChanged();
    // A read counts as completed only once rbuffer.bin is written and closed; the editor must
    // not decode a file that failed to write.
    if (result == StatusCompleted && doc_.Mode() == ModeRead && !doc_.SaveReadBuffer()) {
        doc_.SetResult(StatusNoResult);
    } else {
        doc_.SetResult(result);
        doc_.Message(doc_.Texts().messages[static_cast<size_t>(message)]);
    }
    doc_.Host().RequestQuit();
}

} // namespace vt

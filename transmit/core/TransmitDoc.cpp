#include "transmit/core/TransmitDoc.h"

#include "common/ExchangeFiles.h"
#include "transmit/core/EchoMatch.h"
#include "transmit/core/TransmitCommandLine.h"
#include "transmit/core/TransmitTimings.h"

#include <algorithm>
#include <chrono>
#include <pthread.h>
#include <thread>

namespace vt {

namespace {
void Sleep(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }
} // namespace

TransmitDoc::TransmitDoc(std::filesystem::path programFolder, TransmitHost& host)
    : folder_(std::move(programFolder)), host_(host), ports_(folder_), pause_(Sleep) {}

TransmitDoc::~TransmitDoc() { ClosePort(); }

bool TransmitDoc::OnNewDocument(const std::string& commandLine) {
    m_nMode = ModeFromCommandLine(commandLine);
    if (auto read = ReadMsgSys(FilePath(kMsgSysName), m_byMsgSys); !read) {
        Message(ExchangeMessage(read));
        Message("Can't Open Msg File");
        return false;
    }
    m_strPort = "COM" + std::to_string(m_byMsgSys.port);
    m_texts = TransmitTexts::ForLanguage(m_byMsgSys.language);
    m_nState = StateIdle;
    return true;
}

void TransmitDoc::OnStart() {
    if (OpenPort()) StartTransfer();
    else Message("Can't Open COM Port!");
    host_.ConnectionChanged();
}

void TransmitDoc::OnStop() {
    ClosePort();
    host_.ConnectionChanged();
    host_.RequestQuit();
}

bool TransmitDoc::OpenPort() {
    host_.StartTimer();
    host_.ResetProgress();
    if (m_bConnected) return false;
    auto device = ports_.DeviceForName(m_strPort);
    if (!device || !m_hComm.Open(*device)) return false;
    m_bConnected = true;
    m_hComm.StartThread([this] { ReadThreadProc(); });
    if (m_nMode == ModeWrite) m_hComm.StartThread([this] { WriteThreadProc(); });
    return true;
}

void TransmitDoc::ClosePort() {
    if (!m_bConnected) return;
    host_.StopTimer();
    // The flag first, then the events: a released thread sees the flag cleared.
    m_bConnected = false;
    m_hReadDoneEvent.Set();
    m_hEchoEvent.Set();
    m_hComm.Close(); // wakes every wait, joins both threads, then closes the descriptor
}

void TransmitDoc::StartTransfer() {
    host_.DisableStart();
    // The status first. A Msg.sys the tool cannot write would leave the editor without the
    // result of a transfer that changed the radio: then nothing goes to the radio and the tool
    // ends, as when Msg.sys cannot be read at start. A file merely too short still takes the
    // final status (it needs one byte), as it always has.
    const uint8_t status = m_nMode == ModeRead ? StatusReading : StatusWriting;
    auto written = WriteMsgSysStatus(FilePath(kMsgSysName), status, kMsgSysSize);
    if (!written) Message(ExchangeMessage(written));
    if (written.failure == ExchangeFailure::Open || written.failure == ExchangeFailure::Write) {
        Message("Can't Open Msg File");
        ClosePort();
        host_.RequestQuit();
        return;
    }
    if (m_nMode == ModeRead) SendCommand();
    else if (auto load = LoadWriteBuffer(FilePath(kWBufferName), m_byImage)) SendCommand();
    else Message(ExchangeMessage(load));
}

bool TransmitDoc::SendCommand() {
    static const uint8_t kCall[] = {0x8C};
    static const uint8_t kRead[] = {0xA1, 0x21, 0x21};
    static const uint8_t kWrite[] = {0xA0, 0x20, 0x20};
    int state = m_nState;
    const uint8_t* bytes;
    size_t n;
    if (state == StateIdle) {
        bytes = kCall;
        n = 1;
    } else if (state == StateTransferring) {
        bytes = m_nMode == ModeWrite ? kWrite : kRead;
        n = 3;
    } else {
        return true;
    }
    for (size_t i = 0; i < n; ++i) {
        if (!m_bConnected) {
            Message("Comm didn't Connect!");
            return false;
        }
        WriteComm(bytes + i, 1);
        Pause(kCommandBytePause);
    }
    if (state == StateIdle) m_nState = StateCalled;
    return true;
}

size_t TransmitDoc::WriteComm(const uint8_t* data, size_t n) { return m_hComm.Write(data, n); }

size_t TransmitDoc::ReadComm(uint8_t* out, size_t n) {
    size_t queued = m_hComm.Queued();
    return m_hComm.Read(out, n < queued ? n : queued);
}

bool TransmitDoc::PurgeRx() { return m_hComm.PurgeRx(); }

uint8_t TransmitDoc::ExitStatus() const {
    uint8_t r = m_byResult;
    return r == kNoResult ? uint8_t(StatusNoResult) : r;
}

bool TransmitDoc::WriteExitStatus() {
    // Only byte 0 is needed at exit: a status still reaches the editor through a damaged file.
    auto written = WriteMsgSysStatus(FilePath(kMsgSysName), ExitStatus(), 1);
    if (!written) Message(ExchangeMessage(written));
    return bool(written);
}

bool TransmitDoc::SaveReadBuffer() {
    auto saved = vt::SaveReadBuffer(FilePath(kRBufferName), m_byImage);
    if (!saved) Message(ExchangeMessage(saved));
    return bool(saved);
}

void TransmitDoc::StartWriteAt(int index) {
    std::lock_guard lock(ledgerMutex_);
    m_ledger.StartAt(index);
    m_nWriteIndex = index;
}

long TransmitDoc::BytesSent() const {
    std::lock_guard lock(ledgerMutex_);
    return m_ledger.Sent();
}

long TransmitDoc::Resends() const {
    std::lock_guard lock(ledgerMutex_);
    return m_ledger.Resends();
}

bool TransmitDoc::EchoMatching() const {
    // Also once the last byte is confirmed: a late echo then still shows a byte stored twice.
    int state = m_nState;
    return m_nMode == ModeWrite && (state == StateTransferring || state == StateDone) && m_bEchoArmed &&
           !m_bEchoFailed;
}

void TransmitDoc::MatchEchoes() {
    // Straight to the read: the wait just said bytes are there, and a non-blocking read returns
    // at once with what is queued (at most 16). Per echo that is one wake, one read and the
    // hand-over to the writer.
    uint8_t buf[16];
    bool confirmed = false, failed = false;
    {
        std::lock_guard lock(ledgerMutex_);
        size_t n = m_hComm.Read(buf, sizeof buf);
        for (size_t i = 0; i < n && !failed; ++i) {
            auto echo = m_ledger.OnByte(buf[i]);
            confirmed |= echo == EchoLedger::Echo::Confirmed;
            failed = echo == EchoLedger::Echo::Failed;
        }
        m_nWriteIndex = m_ledger.Index();
        if (failed) m_bEchoFailed = true;
    }
    if (confirmed || failed) m_hEchoEvent.Set();
    if (failed) {
        // The window ends the write now, not at the next tick.
        m_hReadDoneEvent.Wait();
        m_hReadDoneEvent.Reset();
        if (m_bConnected) host_.PostCommNotify();
    }
}

void TransmitDoc::ReadThreadProc() {
    pthread_setname_np(pthread_self(), "line reader");
    MakeThreadTimeCritical();
    if (m_nMode == ModeWrite) lineCpu_.Join(SharedCpu::Role::Reader);
    bool queued = m_hComm.Queued() > 0;
    while (m_bConnected) {
        if (queued) {
            if (EchoMatching()) {
                // Matched or not, the wait below looks at the queue again: it returns at once
                // while more bytes are there.
                MatchEchoes();
            } else {
                m_hReadDoneEvent.Wait();
                m_hReadDoneEvent.Reset();
                if (!m_bConnected) break;
                if (EchoMatching()) {
                    // The handshake ended while we waited: these bytes are echoes now.
                    m_hReadDoneEvent.Set();
                    continue;
                }
                host_.PostCommNotify();
                queued = m_hComm.Queued() > 0;
                continue;
            }
        }
        // A hung-up line (adapter unplugged) ends the thread; the supervision ends the transfer.
        auto wait = m_hComm.WaitReadable(-1);
        if (wait == SerialPort::Wait::Hangup || wait == SerialPort::Wait::Closed) break;
        queued = wait == SerialPort::Wait::Readable;
    }
}

void TransmitDoc::AwaitEcho(int index, std::chrono::steady_clock::time_point firstSent) {
    for (;;) {
        if (m_hEchoEvent.WaitFor(kEchoWait)) break;
        std::lock_guard lock(ledgerMutex_);
        if (!m_bConnected || m_ledger.Failed() || m_ledger.Index() != index) break;
        // Bytes on the queue that the reader has not taken yet: it was held back, the line was
        // not. A resend now would reach a radio that has the byte already.
        if (m_hComm.Queued() == 0) return; // nothing came back: send it again
    }
    longestEcho_ = std::max(longestEcho_, std::chrono::steady_clock::now() - firstSent);
}

void TransmitDoc::SettleAfterResends() {
    // A resent byte whose first copy reached the radio after all shows as one more echo, which
    // may come after the last one. Done only once the line stays quiet for twice the longest
    // echo wait of this write.
    auto quiet = std::max<std::chrono::steady_clock::duration>(kResendSettle, 2 * longestEcho_);
    long seen = -1;
    for (;;) {
        long received;
        {
            std::lock_guard lock(ledgerMutex_);
            received = m_ledger.Received();
        }
        if (received == seen || !m_bConnected || m_bEchoFailed) return;
        seen = received;
        m_hEchoEvent.Reset();
        m_hEchoEvent.WaitFor(std::chrono::duration_cast<std::chrono::milliseconds>(quiet));
    }
}

void TransmitDoc::WriteThreadProc() {
    pthread_setname_np(pthread_self(), "line writer");
    MakeThreadTimeCritical();
    lineCpu_.Join(SharedCpu::Role::Writer);
    // Nothing goes out before the write handshake is over: a stray image byte there could shift
    // the radio's whole memory by one while every echo still matches.
    m_hEchoEvent.Wait();
    bool resent = false;
    int lastIndex = -1;
    std::chrono::steady_clock::time_point firstSent;
    while (m_bConnected) {
        uint8_t b;
        int index;
        {
            std::lock_guard lock(ledgerMutex_);
            if (m_ledger.Failed() || m_ledger.Done()) break;
            index = m_ledger.Index();
            if (index != lastIndex) firstSent = std::chrono::steady_clock::now();
            lastIndex = index;
            b = m_ledger.Send();
            resent = m_ledger.Resends() > 0;
            m_hEchoEvent.Reset(); // before sending, so an echo that comes back at once is not lost
        }
        WriteComm(&b, 1);
        AwaitEcho(index, firstSent);
    }
    if (resent) SettleAfterResends();
    if (m_bConnected && !m_bEchoFailed) m_nState = StateDone;
}

} // namespace vt

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
    : m_folder(std::move(programFolder)), m_host(host), m_ports(m_folder), m_pause(Sleep) {}

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
    else Message(m_strOpenFailure.empty() ? "Can't Open COM Port!" : "Can't Open COM Port!\n" + m_strOpenFailure);
    m_host.ConnectionChanged();
}

void TransmitDoc::OnStop() {
    ClosePort();
    m_host.ConnectionChanged();
    m_host.RequestQuit();
}

bool TransmitDoc::OpenPort() {
    m_host.StartTimer();
    m_host.ResetProgress();
    m_strOpenFailure.clear();
    if (m_bConnected) return false;
    auto device = m_ports.DeviceForName(m_strPort);
    if (!device) {
        m_strOpenFailure = NoDeviceText(m_texts, m_strPort);
        return false;
    }
    if (!m_hComm.Open(*device)) {
        m_strOpenFailure = PortFailureText(m_texts, device->string(), m_hComm.LastOpenError());
        return false;
    }
    // Whatever the line held before (the rest of an earlier read's stream, an old reply) belongs
    // to no transfer of this run.
    m_hComm.PurgeRx();
    m_bConnected = true;
    m_hComm.StartThread([this] { ReadThreadProc(); });
    if (m_nMode == ModeWrite) m_hComm.StartThread([this] { WriteThreadProc(); });
    return true;
}

void TransmitDoc::ClosePort() {
    if (!m_bConnected) return;
    m_host.StopTimer();
    // The flag first, then the events: a released thread sees the flag cleared.
    m_bConnected = false;
    m_hReadDoneEvent.Set();
    m_hEchoEvent.Set();
    m_hComm.Close(); // wakes every wait, joins both threads, then closes the descriptor
}

void TransmitDoc::StartTransfer() {
    m_host.DisableStart();
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
        m_host.RequestQuit();
        return;
    }
    if (m_nMode == ModeWrite) {
        if (auto load = LoadWriteBuffer(FilePath(kWBufferName), m_byImage); !load) {
            Message(ExchangeMessage(load));
            return;
        }
    }
    // A reply counts only when it comes after the call: nothing that arrived before it is kept.
    PurgeRx();
    SendCommand();
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
    std::lock_guard lock(m_ledgerMutex);
    m_ledger.StartAt(index);
    m_nWriteIndex = index;
}

bool TransmitDoc::EchoMatching() const {
    // Also once the last byte is confirmed: what the radio sends then is taken off the line here.
    int state = m_nState;
    return m_nMode == ModeWrite && (state == StateTransferring || state == StateDone) && m_bEchoArmed &&
           !m_bEchoFailed;
}

void TransmitDoc::MatchEchoes() {
    // Straight to the read: the wait just said bytes are there, and a non-blocking read returns
    // at once with what is queued (at most 16). Per echo that is one wake, one read and the
    // hand-over to the writer.
    uint8_t buf[16];
    bool booked = false, failed = false;
    {
        std::lock_guard lock(m_ledgerMutex);
        size_t n = m_hComm.Read(buf, sizeof buf);
        for (size_t i = 0; i < n && !failed; ++i) {
            auto echo = m_ledger.OnByte(buf[i]);
            booked |= echo != EchoLedger::Echo::Dropped;
            failed = echo == EchoLedger::Echo::Failed;
        }
        m_nWriteIndex = m_ledger.Index();
        if (failed) m_bEchoFailed = true;
    }
    if (booked) m_hEchoEvent.Set();
    if (failed) {
        // The window ends the write now, not at the next tick.
        m_hReadDoneEvent.Wait();
        m_hReadDoneEvent.Reset();
        if (m_bConnected) m_host.PostCommNotify();
    }
}

void TransmitDoc::ReadThreadProc() {
    pthread_setname_np(pthread_self(), "line reader");
    MakeThreadTimeCritical();
    if (m_nMode == ModeWrite) m_lineCpu.Join(SharedCpu::Role::Reader);
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
                m_host.PostCommNotify();
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

void TransmitDoc::AwaitSecondEcho() {
    for (;;) {
        if (m_hEchoEvent.WaitFor(kSecondEchoWait)) return; // something came: the ledger has it
        std::lock_guard lock(m_ledgerMutex);
        if (!m_ledger.AwaitingSecondEcho()) return;
        // Still on the port, not yet taken by a reader that was held back: not quiet.
        if (m_hComm.Queued() > 0) continue;
        m_ledger.EchoesOnce();
        m_nWriteIndex = m_ledger.Index();
        return;
    }
}

void TransmitDoc::WriteThreadProc() {
    pthread_setname_np(pthread_self(), "line writer");
    MakeThreadTimeCritical();
    m_lineCpu.Join(SharedCpu::Role::Writer);
    // Nothing goes out before the write handshake is over: an image byte that reached the radio
    // between the write command and the purge would be stored, and then stored again.
    m_hEchoEvent.Wait();
    while (m_bConnected) {
        uint8_t b = 0;
        bool send = false, secondEcho = false;
        {
            std::lock_guard lock(m_ledgerMutex);
            if (m_ledger.Failed() || m_ledger.Done()) break;
            send = m_ledger.Ready();
            if (send) b = m_ledger.Send();
            secondEcho = m_ledger.AwaitingSecondEcho();
            // Under the lock, after looking: an echo booked from now on sets it again, so none
            // is missed, and one that comes back at once after the send is not lost.
            m_hEchoEvent.Reset();
        }
        if (send) WriteComm(&b, 1);
        // However long the echo takes, the byte is not sent again: the stall ticks of the
        // supervision end a write whose echo never comes.
        if (secondEcho) AwaitSecondEcho();
        else m_hEchoEvent.Wait();
    }
    bool done;
    {
        std::lock_guard lock(m_ledgerMutex);
        done = m_ledger.Done() && !m_ledger.Failed();
    }
    if (m_bConnected && done) m_nState = StateDone;
}

} // namespace vt

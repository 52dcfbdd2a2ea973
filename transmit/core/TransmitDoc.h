#pragma once
// All the state of one run of the transfer tool: the exchange files, the serial connection with
// its reader and writer threads, and the counters they share with the window thread.
#include "common/ComPortMap.h"
#include "common/ExchangeFiles.h"
#include "common/ManualResetEvent.h"
#include "common/SerialPort.h"
#include "transmit/core/EchoMatch.h"
#include "transmit/core/HandshakeReply.h"
#include "transmit/core/ReadReception.h"
#include "transmit/core/SharedCpu.h"
#include "transmit/core/Supervisor.h"
#include "transmit/core/TransmitHost.h"
#include "transmit/core/TransmitTexts.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

namespace vt {

class TransmitDoc {
public:
    static constexpr uint8_t kNoResult = 0xFF;

    TransmitDoc(std::filesystem::path programFolder, TransmitHost& host);
    ~TransmitDoc(); // closes an open connection
    TransmitDoc(const TransmitDoc&) = delete;
    TransmitDoc& operator=(const TransmitDoc&) = delete;

    // Mode from the command line, Msg.sys read, port name and texts chosen. False (after its
    // messages) when Msg.sys cannot be read.
    bool OnNewDocument(const std::string& commandLine);

    // START: open the port, then begin the transfer; "Can't Open COM Port!" when it cannot open.
    void OnStart();
    // STOP: close the connection and end the tool without a result.
    void OnStop();

    bool OpenPort();
    void ClosePort();
    void StartTransfer();
    bool SendCommand();
    size_t WriteComm(const uint8_t* data, size_t n);
    size_t ReadComm(uint8_t* out, size_t n);
    bool PurgeRx();
    void SignalEcho() { m_hEchoEvent.Set(); }

    // The status that the tool leaves in Msg.sys at exit: the result, or 8 without one.
    uint8_t ExitStatus() const;
    bool WriteExitStatus();
    bool SaveReadBuffer();

    // The handshake's pauses block the window thread; tests may shorten them.
    void SetPause(std::function<void(std::chrono::milliseconds)> pause) { m_pause = std::move(pause); }
    void Pause(std::chrono::milliseconds time) const { m_pause(time); }
    void Message(const std::string& text) const { m_host.ShowMessage(text); }

    TransmitHost& Host() const { return m_host; }
    std::filesystem::path FilePath(const char* name) const { return m_folder / name; }

    // Set by OnNewDocument, before any other thread runs.
    ToolMode Mode() const { return m_nMode; }
    const std::string& Port() const { return m_strPort; }
    const TransmitTexts& Texts() const { return m_texts; }

    bool IsConnected() const { return m_bConnected; }
    int State() const { return m_nState; }
    void SetState(int state) { m_nState = state; }
    int WriteIndex() const { return m_nWriteIndex; }
    // Where the writer begins (before the handshake releases it): tests start a write part-way.
    void StartWriteAt(int index);
    // The line showed that the radio cannot hold exactly the image: the write is lost.
    bool EchoFailed() const { return m_bEchoFailed; }
    // The write handshake is over and the receive queue purged: what arrives now are echoes.
    void ArmEcho() { m_bEchoArmed = true; }
    // Nothing is waiting in the receive queue: the radio has said nothing since the last read.
    bool LineQuiet() const { return m_hComm.Queued() == 0; }
    // The window has read the bytes of the last notification: the reader may post the next.
    void NotificationHandled() { m_hReadDoneEvent.Set(); }
    void SetResult(uint8_t result) { m_byResult = result; }

    // The image: loaded from wbuffer.bin or filled by the read reception on the window thread;
    // during a write the writer and reader threads read it, after the handshake's hand-over.
    ToolImage& Image() { return m_byImage; }
    // Window thread only.
    HandshakeReply& Reply() { return m_reply; }
    ReadReception& Reception() { return m_reception; }
    const ReadReception& Reception() const { return m_reception; }

private:
    void ReadThreadProc();
    void WriteThreadProc();
    bool EchoMatching() const;
    void MatchEchoes();
    // The first byte's echo is in: a second one at once means a radio that echoes twice.
    void AwaitSecondEcho();

    // Each comment says which thread writes the member / which threads read it (window, reader,
    // writer).
    ToolMode m_nMode = ModeWrite;   // window, before the threads start / all three
    std::string m_strPort = "COM1"; // window / window
    // The device tried and why the last OpenPort failed, for the second line of its box.
    std::string m_strOpenFailure; // window / window
    MsgSys m_byMsgSys{};            // window / window
    TransmitTexts m_texts = TransmitTexts::ForLanguage(0); // window / window
    std::atomic<uint8_t> m_byResult{kNoResult};            // window (a transfer's end) / window (exit)

    std::atomic<bool> m_bConnected{false}; // window (OpenPort, ClosePort) / all three
    std::atomic<int> m_nState{StateIdle};  // window, and the writer when a write is done / all three
    std::atomic<int> m_nWriteIndex{0};     // reader (a matched echo) / writer, window (the timer)
    std::atomic<bool> m_bEchoFailed{false}; // reader / all three
    // Set once the write handshake is over and the receive queue purged: only from then on are
    // received bytes echoes of image bytes.
    std::atomic<bool> m_bEchoArmed{false}; // window (the handshake) / reader
    // Set by the window (a notification handled, ClosePort); the reader waits for it and resets it.
    ManualResetEvent m_hReadDoneEvent{true};
    // Set by the reader (a matched echo) and the window (the handshake, ClosePort); the writer
    // waits for it and resets it.
    ManualResetEvent m_hEchoEvent{false};
    // Where the reader and the writer of a write run: each joins it as it starts.
    SharedCpu m_lineCpu;
    ToolImage m_byImage{};                // window (wbuffer.bin, the read reception) / writer, reader
    // What went out and what came back during a write. The reader reads the port and books what
    // it got under the lock, and the writer books a send and looks at the port's queue under it:
    // an echo is then either still queued or already booked, never in between.
    mutable std::mutex m_ledgerMutex;
    EchoLedger m_ledger{m_byImage.data(), kWriteLength};
    HandshakeReply m_reply;               // window only
    ReadReception m_reception{m_byImage}; // window only

    std::filesystem::path m_folder;
    TransmitHost& m_host;
    ComPortMap m_ports;
    // Opened and closed by the window, which joins both threads before the close; the window
    // (commands, ReadComm, PurgeRx), the reader and the writer read and write through it.
    SerialPort m_hComm;
    std::function<void(std::chrono::milliseconds)> m_pause;
};

} // namespace vt

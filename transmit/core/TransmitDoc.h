#pragma once
// All the state of one run of the transfer tool: the exchange files, the serial connection with
// its reader and writer threads, and the counters they share with the window thread.
#include "common/ComPortMap.h"
#include "common/ExchangeFiles.h"
#include "common/ManualResetEvent.h"
#include "common/SerialPort.h"
#include "transmit/core/HandshakeReply.h"
#include "transmit/core/ReadReception.h"
#include "transmit/core/Supervisor.h"
#include "transmit/core/TransmitHost.h"
#include "transmit/core/TransmitTexts.h"

#include <atomic>
#include <filesystem>
#include <functional>
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
    void SetPause(std::function<void(int ms)> pause) { pause_ = std::move(pause); }
    void Pause(int ms) const { pause_(ms); }
    void Message(const std::string& text) const { host_.ShowMessage(text); }

    TransmitHost& Host() const { return host_; }
    std::filesystem::path FilePath(const char* name) const { return folder_ / name; }

    // Document members, named as the users of the old tool's documentation know them.
    ToolMode m_nMode = ModeWrite;
    std::string m_strPort = "COM1";
    MsgSys m_byMsgSys{};
    TransmitTexts m_texts = TransmitTexts::ForLanguage(0);
    std::atomic<uint8_t> m_byResult{kNoResult}; // the application's result byte

    std::atomic<bool> m_bConnected{false};
    std::atomic<int> m_nState{StateIdle};
    std::atomic<int> m_nWriteIndex{0};
    // Set once the write handshake is over and the receive queue purged: only from then on are
    // received bytes echoes of image bytes.
    std::atomic<bool> m_bEchoArmed{false};
    ManualResetEvent m_hReadDoneEvent{true};
    ManualResetEvent m_hEchoEvent{false};
    ToolImage m_byImage{};
    HandshakeReply m_reply;
    ReadReception m_reception{m_byImage};

private:
    void ReadThreadProc();
    void WriteThreadProc();
    bool EchoMatching() const;
    bool MatchEchoes();

    std::filesystem::path folder_;
    TransmitHost& host_;
    ComPortMap ports_;
    SerialPort m_hComm;
    std::function<void(int)> pause_;
};

} // namespace vt

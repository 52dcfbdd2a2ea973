#pragma once
// The setup window's automatic transfer engine: a staged handshake, then the radio's memory
// received into MemImage (and decoded) or MemImage sent to the radio, supervised by a one-second
// tick. No command of the editor starts it; it is kept complete and safe should anything do so.
#include "common/ExchangeFiles.h"
#include "editor/service/core/SetupLink.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace vt {

struct EditorData;

class SetupEngine {
public:
    enum Stage { StageIdle = 0, StageHandshake = 1, StageTransfer = 2, StageDone = 3 };

    // How a tick ended the run; the value is the index of the window's message text.
    enum class Outcome { Running = 0, TimedOut = 1, NotReceiving = 2, Stalled = 3, Completed = 4 };

    static constexpr int kTimeoutTicks = 5;
    static constexpr int kStallLimit = 3;
    static constexpr long kSendLength = static_cast<long>(kRadioImageSize); // bytes of MemImage a write sends
    static constexpr long kReceiveLength = 16400;  // bytes a read waits for
    static constexpr long kStoreLength = static_cast<long>(kRadioImageSize); // bytes of a read that reach MemImage
    // Bytes handed to the line per call: one second of line time at 9600 baud, so that a tick
    // sees progress and the window never blocks for long.
    static constexpr long kSendChunk = 960;

    // decode runs DecodeImage with the radio as source once a read has completed.
    SetupEngine(EditorData& data, SetupLink& link, std::function<void()> decode);

    // Every variable back to its start value (the window's load).
    void Reset();

    // StartSetupProcess: opens the port for receiving, enters the handshake and calls the radio.
    // False (and nothing started) when the port cannot be opened.
    bool StartSetupProcess();
    // RealCommunicate: what the current stage sends.
    void RealCommunicate();
    // SendData: hands the next part of MemImage to the line.
    void SendData();
    // ctrTimer_Timer: supervision, once a second while running.
    Outcome Tick();
    // Bytes from the radio (the port's receive event).
    void OnReceived(const uint8_t* data, size_t size);

    bool Running() const { return running_; }
    int SetupStage() const { return stage_; }
    bool SetupAnswerFlag() const { return answered_; }
    int SetupTicks() const { return ticks_; }
    long SetupReceived() const { return received_; }
    long SendPosition() const { return sendPos_; }
    int Mode() const { return mode_; }

    // The receiving flag of the window's port (set when it is opened for receiving).
    bool ReceivingFlag = false;

    // The progress caption of a read: prefix (the window's language text, or the built-in one)
    // followed by the percentage.
    std::string StatusCaption(const std::string& prefix) const;
    static const char* DefaultStatusPrefix();

private:
    void SendCommand(const char* hex);
    Outcome Finish(Outcome why);
    void HandshakeByte(uint8_t b);
    void ReadByte(uint8_t b);

    EditorData& data_;
    SetupLink& link_;
    std::function<void()> decode_;

    bool running_ = false;
    int mode_ = 0; // TransferMode when started: 0 read, 1 write
    int stage_ = StageIdle;
    bool answered_ = false;
    int ticks_ = 0;
    int stalls_ = 0;          // ticks without progress
    int receiveStalls_ = 0;   // ticks without the receiving flag
    long received_ = 0;
    long sendPos_ = 0;
    long lastReceived_ = 0;
    long lastSendPos_ = 0;
    bool dataStarted_ = false;
    std::vector<uint8_t> reply_;
};

} // namespace vt

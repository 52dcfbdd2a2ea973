#include "editor/service/core/SetupEngine.h"

#include "editor/service/core/SetupCodes.h"
#include "editor/dataset/EditorData.h"

#include <algorithm>

namespace vt {

namespace {
constexpr uint8_t kHandshakeReply = 0x83;
constexpr uint8_t kIgnoredReply = 0xA0;
constexpr uint8_t kDataMarker = 0xEB;
constexpr size_t kReplyKeep = 64; // a chattering line cannot grow the reply buffer
} // namespace

SetupEngine::SetupEngine(EditorData& data, SetupLink& link, std::function<void()> decode)
    : data_(data), link_(link), decode_(std::move(decode)) {}

void SetupEngine::Reset() {
    running_ = false;
    mode_ = 0;
    stage_ = StageIdle;
    answered_ = false;
    ticks_ = 0;
    stalls_ = 0;
    receiveStalls_ = 0;
    received_ = 0;
    sendPos_ = 0;
    lastReceived_ = 0;
    lastSendPos_ = 0;
    dataStarted_ = false;
    reply_.clear();
    ReceivingFlag = false;
}

bool SetupEngine::StartSetupProcess() {
    Reset();
    if (!link_.OpenForReceiving()) return false;
    ReceivingFlag = true;
    mode_ = data_.TransferMode == 1 ? 1 : 0;
    stage_ = StageHandshake;
    running_ = true;
    RealCommunicate();
    return true;
}

void SetupEngine::SendCommand(const char* hex) {
    const std::vector<uint8_t> bytes = strHexToByteArray(hex);
    if (bytes.empty()) return;
    link_.SetRts(true);
    link_.Write(bytes.data(), bytes.size());
    link_.Pause(10);
    link_.SetRts(false);
}

void SetupEngine::RealCommunicate() {
    if (stage_ == StageHandshake) {
        SendCommand("8C");
    } else if (stage_ == StageTransfer) {
        const bool write = mode_ == 1;
        SendCommand(write ? "A0" : "A1");
        link_.Pause(5);
        SendCommand(write ? "2020" : "2121");
        link_.Pause(150);
        if (write) SendData();
    }
}

void SetupEngine::SendData() {
    link_.DiscardInput();
    const long end = std::min<long>(kSendLength, static_cast<long>(data_.MemImage.size()));
    if (sendPos_ >= end) return;
    const long chunk = std::min(kSendChunk, end - sendPos_);
    link_.SetRts(true);
    sendPos_ += static_cast<long>(link_.Write(data_.MemImage.data() + sendPos_, static_cast<size_t>(chunk)));
}

SetupEngine::Outcome SetupEngine::Finish(Outcome why) {
    running_ = false;
    if (why == Outcome::Completed) {
        stage_ = StageDone;
        if (mode_ == 0 && decode_) decode_();
    }
    return why;
}

SetupEngine::Outcome SetupEngine::Tick() {
    if (!running_) return Outcome::Running;
    if (stage_ == StageHandshake) {
        if (answered_) {
            stage_ = StageTransfer;
            link_.Pause(50);
            RealCommunicate();
        } else {
            ++ticks_;
        }
    }
    if (ticks_ >= kTimeoutTicks) return Finish(Outcome::TimedOut);
    if (stage_ != StageTransfer) return Outcome::Running;

    if (mode_ == 1) {
        SendData();
        // A write that has handed over all of MemImage is complete, not stalled.
        if (sendPos_ >= kSendLength) return Finish(Outcome::Completed);
        if (sendPos_ == lastSendPos_) ++stalls_;
        lastSendPos_ = sendPos_;
        if (stalls_ >= kStallLimit) return Finish(Outcome::Stalled);
        return Outcome::Running;
    }

    if (!ReceivingFlag && ++receiveStalls_ >= kStallLimit) return Finish(Outcome::NotReceiving);
    if (received_ == lastReceived_) ++stalls_;
    lastReceived_ = received_;
    if (stalls_ >= kStallLimit) return Finish(Outcome::Stalled);
    if (received_ > kReceiveLength) return Finish(Outcome::Completed);
    return Outcome::Running;
}

void SetupEngine::HandshakeByte(uint8_t b) {
    if (b == kIgnoredReply || reply_.size() >= kReplyKeep) return;
    reply_.push_back(b);
    auto it = std::find(reply_.begin(), reply_.end(), kHandshakeReply);
    if (it != reply_.end() && it + 1 != reply_.end()) answered_ = true;
}

void SetupEngine::ReadByte(uint8_t b) {
    if (dataStarted_) {
        if (received_ < kStoreLength) data_.MemImage[static_cast<size_t>(received_)] = b;
        ++received_;
    } else if (b == kDataMarker) {
        dataStarted_ = true;
    }
}

void SetupEngine::OnReceived(const uint8_t* data, size_t size) {
    if (!running_) return;
    for (size_t i = 0; i < size; ++i) {
        if (stage_ == StageHandshake && !answered_) HandshakeByte(data[i]);
        else if (stage_ == StageTransfer && mode_ == 0) ReadByte(data[i]);
    }
}

const char* SetupEngine::DefaultStatusPrefix() {
    return "Process is executing! \nNo operation until Process completed\n";
}

std::string SetupEngine::StatusCaption(const std::string& prefix) const {
    const long percent = received_ * 100 / kReceiveLength;
    return prefix + std::to_string(percent) + "% Completed";
}

} // namespace vt
